#include "engine/media/Mesh.h"

#include "engine/core/DirectXError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/media/ResourceReader.h"
#include "engine/media/TextureFactory.h"

#include <cmath>
#include <cstring>

namespace Engine {

using namespace Platform;

cMesh* IResourceManager::getMesh(const std::string& path) {
    return static_cast<cMesh*>(getDeviceResource(path, RESOURCE_MESH));
}

cMesh::cMesh(const std::string& path, uint32_t format, uint32_t stride)
    : cResource(path), m_format(format), m_stride(stride) {}

cMesh::~cMesh() {
    releaseMeshBuffers();
}

void cMesh::unload() {
    releaseMeshBuffers();
}

void cMesh::load() {
    if (!m_vertexBuffer && !m_indexBuffer)
        uploadMeshBuffers();
}

size_t cMesh::read(const uint8_t* bytes, size_t count) {
    cResourceReader reader(bytes, count);
    reader.readSignature();
    reader.readUint32(); // the class sets its own format code
    const uint32_t vertexCount = reader.readUint32();
    const uint32_t indexCount = reader.readUint32();
    const uint32_t triangleCount = indexCount / 3;
    reader.readSignature();
    // Counts are checked against the bytes left before anything is allocated.
    if (!reader.fits(vertexCount, m_stride))
        throw "Unexpected end of source";
    const uint8_t* vertices = reader.take(size_t(vertexCount) * m_stride);
    reader.readSignature();
    if (!reader.fits(triangleCount, 6))
        throw "Unexpected end of source";
    const uint8_t* indices = reader.take(size_t(triangleCount) * 6);
    reader.readSignature();
    if (vertexCount == 0 || triangleCount == 0)
        throw "Mesh without triangles";
    for (uint32_t i = 0; i < triangleCount * 3; ++i)
        if (readUint16LE(indices + 2 * i) >= vertexCount)
            throw "Mesh index out of range";
    m_vertexCount = vertexCount;
    m_triangleCount = triangleCount;
    m_vertexData.assign(vertices, vertices + size_t(vertexCount) * m_stride);
    m_indexData.assign(indices, indices + size_t(triangleCount) * 6);
    return reader.getPosition();
}

void cMesh::checkBoneNumbers(uint32_t boneCount) const {
    // The four bone bytes follow the position and the three weights.
    for (uint32_t v = 0; v < m_vertexCount; ++v) {
        const uint8_t* bones = m_vertexData.data() + size_t(v) * m_stride + 24;
        for (int i = 0; i < 4; ++i)
            if (bones[i] >= boneCount)
                throw "Mesh bone number out of range";
    }
}

void cMesh::uploadMeshBuffers() {
    cTextureFactory* factory = getTextureFactory();
    if (!factory || !factory->getRenderDevice())
        throw cStringA("Cannot create mesh buffers: no graphics device.");
    IRenderDevice& device = *factory->getRenderDevice();
    tResult result = factory->createIndexBuffer(m_triangleCount * 3, m_indexBuffer, POOL_MANAGED);
    if (result != RESULT_OK) {
        m_indexBuffer = 0;
        throwDirectXError(result, "CreateIndexBuffer(...)");
    }
    result = factory->createVertexBuffer(m_vertexCount, m_stride, m_format, m_vertexBuffer, POOL_MANAGED);
    if (result != RESULT_OK) {
        m_vertexBuffer = 0;
        releaseMeshBuffers();
        throwDirectXError(result, "CreateVertexBuffer(...)");
    }
    void* vertexMemory = device.lockBuffer(m_vertexBuffer, false);
    if (vertexMemory) {
        std::memcpy(vertexMemory, m_vertexData.data(), m_vertexData.size());
        device.unlockBuffer(m_vertexBuffer);
    }
    void* indexMemory = device.lockBuffer(m_indexBuffer, false);
    if (indexMemory) {
        std::memcpy(indexMemory, m_indexData.data(), m_indexData.size());
        device.unlockBuffer(m_indexBuffer);
    }
    if (!vertexMemory || !indexMemory) {
        releaseMeshBuffers();
        throw cStringA("Cannot lock mesh buffers.");
    }
}

void cMesh::releaseMeshBuffers() {
    cTextureFactory* factory = getTextureFactory();
    IRenderDevice* device = factory ? factory->getRenderDevice() : nullptr;
    if (device) {
        if (m_vertexBuffer)
            device->destroyBuffer(m_vertexBuffer);
        if (m_indexBuffer)
            device->destroyBuffer(m_indexBuffer);
    }
    m_vertexBuffer = m_indexBuffer = 0;
}

cMeshPNT::cMeshPNT(const std::string& path, const uint8_t* bytes, size_t count) : cMesh(path, MESH_FORMAT_PNT, 32) {
    read(bytes, count);
    load();
}

cMeshPT::cMeshPT(const std::string& path, const uint8_t* bytes, size_t count) : cMesh(path, MESH_FORMAT_PT, 20) {
    read(bytes, count);
    load();
}

cMeshPN::cMeshPN(const std::string& path, const uint8_t* bytes, size_t count) : cMesh(path, MESH_FORMAT_PN, 24) {
    read(bytes, count);
    load();
}

cSkinnedMesh::cSkinnedMesh(const std::string& path, const uint8_t* bytes, size_t count) : cSkinnedMeshBase(path) {
    cResourceReader reader(bytes, count);
    reader.take(read(bytes, count));
    const uint32_t boneCount = reader.readUint32();
    if (!reader.fits(boneCount, 64))
        throw "Unexpected end of source";
    m_bones.resize(boneCount);
    for (cMatrix4& bone : m_bones)
        for (float& element : bone.m)
            element = reader.readFloat();
    reader.readSignature();
    // Checked before the buffers exist, so a bad vertex never reaches the device.
    checkBoneNumbers(boneCount);
    load();
}

cSkinnedMesh::~cSkinnedMesh() {
    releaseSkinnedBuffer();
}

void cSkinnedMesh::unload() {
    releaseSkinnedBuffer();
    cMesh::unload();
}

void cSkinnedMesh::releaseSkinnedBuffer() const {
    cTextureFactory* factory = getTextureFactory();
    if (m_skinnedBuffer && factory && factory->getRenderDevice())
        factory->getRenderDevice()->destroyBuffer(m_skinnedBuffer);
    m_skinnedBuffer = 0;
    m_skinnedValid = false;
}

const IMeshGeometry* cSkinnedMesh::getSkinned(const std::vector<cMatrix4>& pose) const {
    cTextureFactory* factory = getTextureFactory();
    IRenderDevice* device = factory ? factory->getRenderDevice() : nullptr;
    if (!device || !getIndexBuffer())
        return nullptr;
    if (m_skinnedValid && pose.size() == m_skinnedPose.size() &&
        (pose.empty() || std::memcmp(pose.data(), m_skinnedPose.data(), pose.size() * sizeof(cMatrix4)) == 0))
        return &m_skinned;
    const uint32_t vertexCount = getVertexCount();
    if (!m_skinnedBuffer) {
        // Rewritten whenever the pose changes: dynamic, in the managed pool when the default refuses.
        for (ePool pool : {POOL_DEFAULT, POOL_MANAGED})
            if (device->createVertexBuffer(vertexCount * 32, MESH_FORMAT_PNT, true, pool, m_skinnedBuffer) == RESULT_OK)
                break;
        if (!m_skinnedBuffer)
            return nullptr;
    }
    auto* out = static_cast<float*>(device->lockBuffer(m_skinnedBuffer, true));
    if (!out)
        return nullptr;
    static const cMatrix4 identity;
    const uint8_t* in = getVertexData().data();
    for (uint32_t v = 0; v < vertexCount; ++v, in += 48, out += 8) {
        float f[12];
        std::memcpy(f, in, 24);          // position, three weights
        std::memcpy(f + 6, in + 28, 20); // normal, texture coordinate
        const uint8_t* bone = in + 24;
        // Three weights and the rest for the fourth bone, as the device's indexed blending does.
        const float weights[4] = {f[3], f[4], f[5], 1 - f[3] - f[4] - f[5]};
        float p[3] = {0, 0, 0}, n[3] = {0, 0, 0};
        for (int i = 0; i < 4; ++i) {
            if (weights[i] == 0)
                continue;
            const cMatrix4& m = bone[i] < pose.size() ? pose[bone[i]] : identity;
            for (int c = 0; c < 3; ++c) {
                p[c] += weights[i] * (f[0] * m.m[c] + f[1] * m.m[4 + c] + f[2] * m.m[8 + c] + m.m[12 + c]);
                n[c] += weights[i] * (f[6] * m.m[c] + f[7] * m.m[4 + c] + f[8] * m.m[8 + c]);
            }
        }
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0)
            for (float& c : n)
                c /= length;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        out[3] = n[0];
        out[4] = n[1];
        out[5] = n[2];
        out[6] = f[9];
        out[7] = f[10];
    }
    device->unlockBuffer(m_skinnedBuffer);
    m_skinnedPose = pose;
    m_skinnedValid = true;
    return &m_skinned;
}

cMesh* readMeshPNT(const std::string& path, const uint8_t* bytes, size_t count) {
    return new cMeshPNT(path, bytes, count);
}

cMesh* readMeshPT(const std::string& path, const uint8_t* bytes, size_t count) {
    return new cMeshPT(path, bytes, count);
}

cMesh* readMeshPN(const std::string& path, const uint8_t* bytes, size_t count) {
    return new cMeshPN(path, bytes, count);
}

cMesh* readSkinnedMesh(const std::string& path, const uint8_t* bytes, size_t count) {
    return new cSkinnedMesh(path, bytes, count);
}

cMesh* loadMeshBytes(const std::string& path, const uint8_t* bytes, size_t count) {
    if (count < 4 || readUint32LE(bytes) != RESOURCE_SIGNATURE)
        throw cStringA("Invalid mesh format. File:" + path);
    cResourceReader reader(bytes, count);
    reader.readSignature();
    switch (reader.readUint32()) {
    case MESH_FORMAT_PNT:
        return readMeshPNT(path, bytes, count);
    case MESH_FORMAT_PT:
        return readMeshPT(path, bytes, count);
    case MESH_FORMAT_PN:
        return readMeshPN(path, bytes, count);
    case MESH_FORMAT_SKINNED:
        return readSkinnedMesh(path, bytes, count);
    default:
        throw cStringA("Undefined vertex format. Resource:" + path);
    }
}

cMesh* loadMeshFile(const std::string& path) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cStringA("Cannot load mesh \"" + path + "\": no file system.");
    std::vector<uint8_t> bytes;
    fileSystem->readFile(path, bytes);
    return loadMeshBytes(path, bytes.data(), bytes.size());
}

} // namespace Engine
