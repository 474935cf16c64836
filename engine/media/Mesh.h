#pragma once

// Mesh resources: one indexed triangle list read from the engine's binary mesh format, kept in
// managed device buffers. One class per vertex layout; a skinned mesh also holds the bind
// matrices of its bones. Created through the resource manager's getMesh.

#include "engine/core/Matrix4.h"
#include "engine/core/Resource.h"
#include "engine/media/MeshDrawRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

// Vertex format codes of the mesh file (Direct3D FVF codes).
enum eMeshFormat : uint32_t {
    MESH_FORMAT_PNT = 0x112,     // position, normal, texture coordinate
    MESH_FORMAT_PT = 0x102,      // position, texture coordinate
    MESH_FORMAT_PN = 0x12,       // position, normal
    MESH_FORMAT_SKINNED = 0x111C // position, 3 weights, 4 bone bytes, normal, texture coordinate
};

class cMesh : public cResource, public IMeshGeometry {
public:
    ~cMesh() override;

    int getKind() const override { return RESOURCE_MESH; }
    // Releases the device buffers; the bytes stay, so load builds them again.
    void unload() override;
    void load() override;

    // IMeshGeometry
    Platform::tBufferHandle getIndexBuffer() const override { return m_indexBuffer; }
    Platform::tBufferHandle getVertexBuffer() const override { return m_vertexBuffer; }
    uint32_t getVertexStride() const override { return m_stride; }
    uint32_t getVertexFormat() const override { return m_format; }
    uint32_t getVertexCount() const override { return m_vertexCount; }
    uint32_t getTriangleCount() const override { return m_triangleCount; }
    const std::vector<cMatrix4>* getBones() const override { return nullptr; }

    const std::vector<uint8_t>& getVertexData() const { return m_vertexData; }
    const std::vector<uint8_t>& getIndexData() const { return m_indexData; }

protected:
    cMesh(const std::string& path, uint32_t format, uint32_t stride);
    // Reads the sections shared by every layout, checks them and, unless the caller has more
    // to read, uploads the buffers. Returns the reader position after the index section.
    size_t read(const uint8_t* bytes, size_t count);
    // Throws when a vertex names a bone at or past the count (skinned meshes).
    void checkBoneNumbers(uint32_t boneCount) const;

private:
    void uploadMeshBuffers();
    void releaseMeshBuffers();

    Platform::tBufferHandle m_vertexBuffer = 0;
    Platform::tBufferHandle m_indexBuffer = 0;
    uint32_t m_triangleCount = 0;
    uint32_t m_vertexCount = 0;
    std::vector<uint8_t> m_indexData;
    std::vector<uint8_t> m_vertexData;
    uint32_t m_format;
    uint32_t m_stride;
};

class cMeshPNT : public cMesh {
public:
    cMeshPNT(const std::string& path, const uint8_t* bytes, size_t count);
};

class cMeshPT : public cMesh {
public:
    cMeshPT(const std::string& path, const uint8_t* bytes, size_t count);
};

class cMeshPN : public cMesh {
public:
    cMeshPN(const std::string& path, const uint8_t* bytes, size_t count);
};

// The skinned vertex layout without the bone section.
class cSkinnedMeshBase : public cMesh {
protected:
    cSkinnedMeshBase(const std::string& path) : cMesh(path, MESH_FORMAT_SKINNED, 48) {}
};

// Skinned on the CPU into a dynamic buffer of position, normal and texture coordinate, so
// that any number of bones draws the same on every device.
class cSkinnedMesh : public cSkinnedMeshBase {
public:
    cSkinnedMesh(const std::string& path, const uint8_t* bytes, size_t count);
    ~cSkinnedMesh() override;
    const std::vector<cMatrix4>* getBones() const override { return &m_bones; }
    // Skins again only when the pose differs from the last one.
    const IMeshGeometry* getSkinned(const std::vector<cMatrix4>& pose) const override;
    void unload() override;

private:
    // The skinned vertices: the mesh's indices over a buffer of MESH_FORMAT_PNT vertices.
    class cSkinnedGeometry : public IMeshGeometry {
    public:
        explicit cSkinnedGeometry(const cSkinnedMesh& mesh) : m_mesh(mesh) {}
        Platform::tBufferHandle getIndexBuffer() const override { return m_mesh.getIndexBuffer(); }
        Platform::tBufferHandle getVertexBuffer() const override { return m_mesh.m_skinnedBuffer; }
        uint32_t getVertexStride() const override { return 32; }
        uint32_t getVertexFormat() const override { return MESH_FORMAT_PNT; }
        uint32_t getVertexCount() const override { return m_mesh.getVertexCount(); }
        uint32_t getTriangleCount() const override { return m_mesh.getTriangleCount(); }

    private:
        const cSkinnedMesh& m_mesh;
    };

    void releaseSkinnedBuffer() const;

    std::vector<cMatrix4> m_bones;
    cSkinnedGeometry m_skinned{*this};
    mutable Platform::tBufferHandle m_skinnedBuffer = 0;
    mutable std::vector<cMatrix4> m_skinnedPose;
    mutable bool m_skinnedValid = false;
};

cMesh* readMeshPNT(const std::string& path, const uint8_t* bytes, size_t count);
cMesh* readMeshPT(const std::string& path, const uint8_t* bytes, size_t count);
cMesh* readMeshPN(const std::string& path, const uint8_t* bytes, size_t count);
cMesh* readSkinnedMesh(const std::string& path, const uint8_t* bytes, size_t count);

// Reads the whole file and builds the mesh of its format code. Throws the narrow strings
// "Invalid mesh format. File:" + path (wrong leading signature) and "Undefined vertex format.
// Resource:" + path (unknown code), and the reader's plain texts for damaged contents.
cMesh* loadMeshFile(const std::string& path);
// The same from bytes in memory.
cMesh* loadMeshBytes(const std::string& path, const uint8_t* bytes, size_t count);

} // namespace Engine
