#pragma once

// What a mesh sprite hands to the graphics device's batch: the mesh and its animation, the
// texture, the world matrix, the material, the lighting choice and the blend from the
// previous animation. The batch reads the mesh and the animation through the small
// interfaces below, which the mesh resources implement.

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/platform/RenderDevice.h"

#include <cstdint>
#include <vector>

namespace Engine {

class cTexture;

// A mesh's device buffers: one indexed triangle list over all its vertices.
class IMeshGeometry {
public:
    virtual ~IMeshGeometry() = default;
    virtual Platform::tBufferHandle getIndexBuffer() const = 0;
    virtual Platform::tBufferHandle getVertexBuffer() const = 0;
    virtual uint32_t getVertexStride() const = 0;
    virtual uint32_t getVertexFormat() const = 0;
    virtual uint32_t getVertexCount() const = 0;
    virtual uint32_t getTriangleCount() const = 0;
    // The bind matrices of a skinned mesh's bones; null for other meshes.
    virtual const std::vector<cMatrix4>* getBones() const { return nullptr; }
    // A mesh skinned on the CPU: its vertices moved by the bone matrices, as a plain mesh in
    // buffers of its own. Null for meshes the device blends (or when no buffer can be made).
    virtual const IMeshGeometry* getSkinned(const std::vector<cMatrix4>&) const { return nullptr; }
};

// A skeletal animation: the bone matrices of the mesh at a time in seconds.
class IMeshAnimation {
public:
    virtual ~IMeshAnimation() = default;
    virtual void getPose(float time, const IMeshGeometry& mesh, std::vector<cMatrix4>& pose) const = 0;
};

struct cMeshDrawRecord {
    cMeshDrawRecord() { world.setIdentity(); }

    const IMeshGeometry* mesh = nullptr;
    const IMeshAnimation* animation = nullptr;
    cTexture* texture = nullptr;
    float time = 0;
    cMatrix4 world;
    cColor diffuse, ambient, specular, emissive;
    float power = 0;
    bool lighting = false;
    int lightTable = 0;
    std::vector<cMatrix4> blendSource;
    float blendFactor = 0;
};

} // namespace Engine
