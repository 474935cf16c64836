#pragma once

// A skeletal animation resource: per-bone keyframe tracks read from the engine's binary
// animation format, posed for a time into one skinning matrix per bone. Created through the
// resource manager's getAnimation.

#include "engine/core/Matrix4.h"
#include "engine/core/Resource.h"
#include "engine/media/MeshDrawRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

class cMeshAnimation : public cResource, public IMeshAnimation {
public:
    // Reads the whole file. Throws the file system's error for a missing file and plain texts
    // for damaged contents (see read).
    explicit cMeshAnimation(const std::string& path);
    // From bytes in memory.
    cMeshAnimation(const std::string& path, const uint8_t* bytes, size_t count);
    ~cMeshAnimation() override = default;

    int getKind() const override { return RESOURCE_ANIMATION; }

    // The bone matrices at that time (wrapped into [0, length)), made into skinning matrices
    // with the affine inverses of the bind matrices. Nothing without bind matrices; nothing
    // when the time and the bind matrices are those of the last pose.
    void setTime(float time, const std::vector<cMatrix4>* bindMatrices);
    // Brings bone b (and first its ancestors) to its global matrix.
    void computeBone(size_t b);

    const std::vector<cMatrix4>& getBoneMatrices() const { return m_bones; }
    float getTime() const { return m_time; }
    size_t getBoneCount() const { return m_tracks.size(); }
    float getLength() const { return m_length; }
    // How many poses were computed (the cache's hits compute none).
    unsigned getPoseCount() const { return m_poseCount; }

    // IMeshAnimation: the pose for the mesh's bind matrices.
    void getPose(float time, const IMeshGeometry& mesh, std::vector<cMatrix4>& pose) const override;

private:
    struct cKey {
        cMatrix4 matrix;
        float time = 0;
    };
    struct cTrack {
        std::vector<cKey> keys;
        int32_t parent = -1;
    };

    // Throws "Unexpected end of source", "Invalid resource format", "Invalid animation length",
    // "Invalid bone parent" (out of range or in a cycle) and "Invalid keyframe time".
    void read(const uint8_t* bytes, size_t count);
    void checkHierarchy() const;

    float m_time = -1;
    std::vector<uint8_t> m_done;
    std::vector<cMatrix4> m_bones;
    std::vector<cTrack> m_tracks;
    float m_length = 1;
    // The bind matrices of the last pose: a pose is reused only for the same time and bind pose.
    std::vector<cMatrix4> m_poseBind;
    std::vector<size_t> m_chain;
    unsigned m_poseCount = 0;
};

} // namespace Engine
