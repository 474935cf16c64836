#include "engine/media/MeshAnimation.h"

#include "engine/core/FileSystem.h"
#include "engine/core/MathFunctions.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/media/ResourceReader.h"

#include <cmath>
#include <cstring>

namespace Engine {

namespace {

bool sameMatrices(const std::vector<cMatrix4>& a, const std::vector<cMatrix4>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(cMatrix4)) == 0);
}

} // namespace

cMeshAnimation* IResourceManager::getAnimation(const std::string& path) {
    return static_cast<cMeshAnimation*>(getResource(path, RESOURCE_ANIMATION));
}

cMeshAnimation::cMeshAnimation(const std::string& path) : cResource(path) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cStringA("Cannot load animation \"" + path + "\": no file system.");
    std::vector<uint8_t> bytes;
    fileSystem->readFile(path, bytes);
    read(bytes.data(), bytes.size());
}

cMeshAnimation::cMeshAnimation(const std::string& path, const uint8_t* bytes, size_t count) : cResource(path) {
    read(bytes, count);
}

void cMeshAnimation::read(const uint8_t* bytes, size_t count) {
    cResourceReader reader(bytes, count);
    reader.readSignature();
    const uint32_t boneCount = reader.readUint32();
    const float length = reader.readFloat();
    if (!std::isfinite(length) || length <= 0)
        throw "Invalid animation length";
    // A bone record takes at least 12 bytes: the count is checked before anything is sized.
    if (!reader.fits(boneCount, 12))
        throw "Unexpected end of source";
    m_length = length;
    m_tracks.resize(boneCount);
    m_bones.resize(boneCount);
    m_done.assign(boneCount, 0);
    for (cTrack& track : m_tracks) {
        const uint32_t keyCount = reader.readUint32();
        track.parent = reader.readInt32();
        if (!reader.fits(keyCount, 68))
            throw "Unexpected end of source";
        track.keys.resize(keyCount);
        float previous = -INFINITY;
        for (cKey& key : track.keys) {
            for (float& element : key.matrix.m)
                element = reader.readFloat();
            key.time = reader.readFloat();
            // Ascending times keep the interpolation's span positive.
            if (!(key.time >= previous) || !std::isfinite(key.time))
                throw "Invalid keyframe time";
            previous = key.time;
        }
        reader.readSignature();
    }
    checkHierarchy();
}

void cMeshAnimation::checkHierarchy() const {
    const size_t count = m_tracks.size();
    for (const cTrack& track : m_tracks)
        if (track.parent != -1 && (track.parent < 0 || size_t(track.parent) >= count))
            throw "Invalid bone parent";
    // 0 unvisited, 1 on the current walk, 2 known to reach a root.
    std::vector<uint8_t> state(count, 0);
    std::vector<size_t> walk;
    for (size_t start = 0; start < count; ++start) {
        walk.clear();
        size_t b = start;
        while (state[b] == 0) {
            state[b] = 1;
            walk.push_back(b);
            if (m_tracks[b].parent == -1)
                break;
            b = size_t(m_tracks[b].parent);
            if (state[b] == 1)
                throw "Invalid bone parent";
        }
        for (size_t visited : walk)
            state[visited] = 2;
    }
}

void cMeshAnimation::setTime(float time, const std::vector<cMatrix4>* bindMatrices) {
    if (!bindMatrices)
        return;
    float wrapped = fmodFloat(time, m_length);
    if (wrapped < 0)
        wrapped += m_length;
    // fmod of a value just below 0 may come back as the length itself.
    if (wrapped >= m_length || !std::isfinite(wrapped))
        wrapped = 0;
    if (wrapped == m_time && sameMatrices(*bindMatrices, m_poseBind))
        return;
    m_time = wrapped;
    m_poseBind = *bindMatrices;
    ++m_poseCount;

    for (size_t b = 0; b < m_tracks.size(); ++b) {
        m_done[b] = 0;
        const std::vector<cKey>& keys = m_tracks[b].keys;
        cMatrix4& matrix = m_bones[b];
        if (keys.empty()) {
            matrix.setIdentity();
            continue;
        }
        size_t next = 0;
        while (next < keys.size() && !(keys[next].time > m_time))
            ++next;
        if (next == 0) {
            matrix = keys.front().matrix;
        } else if (next == keys.size()) {
            matrix = keys.back().matrix;
        } else {
            const cKey& p = keys[next - 1];
            const cKey& n = keys[next];
            const float span = n.time - p.time;
            const float wp = 1 - (m_time - p.time) / span;
            const float wn = 1 - (n.time - m_time) / span;
            matrix = p.matrix.scaled(wp) + n.matrix.scaled(wn);
            // Blending two rotations shrinks the axes; give them back their blended lengths.
            matrix.setAxisScale(n.matrix.getScale() * wn + p.matrix.getScale() * wp);
        }
    }
    for (size_t b = 0; b < m_tracks.size(); ++b)
        computeBone(b);
    const size_t skinned = std::min(bindMatrices->size(), m_tracks.size());
    for (size_t b = 0; b < skinned; ++b) {
        if (m_tracks[b].keys.empty())
            continue;
        cMatrix4 inverse = (*bindMatrices)[b];
        inverse.affineInverse();
        m_bones[b] = inverse * m_bones[b];
    }
}

void cMeshAnimation::computeBone(size_t b) {
    if (b >= m_tracks.size())
        return;
    // Walk up to the first ancestor already done (or a root), then resolve downwards: a deep
    // hierarchy costs no stack.
    m_chain.clear();
    size_t current = b;
    while (!m_done[current]) {
        m_chain.push_back(current);
        const int32_t parent = m_tracks[current].parent;
        if (parent < 0)
            break;
        current = size_t(parent);
    }
    for (size_t i = m_chain.size(); i-- > 0;) {
        const size_t bone = m_chain[i];
        const int32_t parent = m_tracks[bone].parent;
        if (parent >= 0)
            m_bones[bone] *= m_bones[size_t(parent)];
        m_done[bone] = 1;
    }
}

void cMeshAnimation::getPose(float time, const IMeshGeometry& mesh, std::vector<cMatrix4>& pose) const {
    static const std::vector<cMatrix4> noBones;
    const std::vector<cMatrix4>* bind = mesh.getBones();
    // Posing changes only the cached pose, never the tracks.
    const_cast<cMeshAnimation*>(this)->setTime(time, bind ? bind : &noBones);
    pose = m_bones;
}

} // namespace Engine
