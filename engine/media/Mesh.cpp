#include "engine/media/Mesh.h"

#include "engine/core/DirectXError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/media/ResourceReader.h"
#include "engine/media/TextureFactory.h"

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
    // One buffer for every file; an empty file leaves it untouched, so it is emptied first.
    static std::vector<uint8_t> bytes;
    bytes.clear();
    fileSystem->readFile(path, bytes);
    return loadMeshBytes(path, bytes.data(), bytes.size());
}

} // namespace Engine
