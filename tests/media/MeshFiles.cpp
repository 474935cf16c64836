#include "tests/media/MeshFiles.h"

#include "engine/core/Vector3.h"

#include <cstring>

namespace TestMeshes {

Writer& Writer::u32(uint32_t value) {
    for (int i = 0; i < 4; ++i)
        m_bytes += char((value >> (8 * i)) & 0xFF);
    return *this;
}

Writer& Writer::f32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return u32(bits);
}

Writer& Writer::u16(uint16_t value) {
    m_bytes += char(value & 0xFF);
    m_bytes += char(value >> 8);
    return *this;
}

Writer& Writer::u8(uint8_t value) {
    m_bytes += char(value);
    return *this;
}

Writer& Writer::matrix(const Engine::cMatrix4& m) {
    for (float element : m.m)
        f32(element);
    return *this;
}

std::string mesh(uint32_t format, uint32_t stride, uint32_t vertexCount, const std::vector<uint16_t>& indices,
                 int64_t indexCount) {
    Writer w;
    w.signature().u32(format).u32(vertexCount).u32(uint32_t(indexCount < 0 ? int64_t(indices.size()) : indexCount));
    w.signature();
    for (uint32_t v = 0; v < vertexCount; ++v)
        for (uint32_t f = 0; f < stride / 4; ++f)
            w.f32(float(v * 100 + f));
    w.signature();
    for (uint16_t index : indices)
        w.u16(index);
    w.signature();
    return w.bytes();
}

std::string skinnedMesh(const std::vector<float>& positions, const std::vector<uint8_t>& boneOfVertex,
                        const std::vector<Engine::cMatrix4>& bind) {
    const uint32_t vertexCount = uint32_t(boneOfVertex.size());
    Writer w;
    w.signature().u32(0x111C).u32(vertexCount).u32(3).signature();
    for (uint32_t v = 0; v < vertexCount; ++v) {
        w.f32(positions[3 * v]).f32(positions[3 * v + 1]).f32(positions[3 * v + 2]);
        w.f32(1).f32(0).f32(0);
        w.u8(boneOfVertex[v]).u8(0).u8(0).u8(0);
        w.f32(0).f32(0).f32(-1).f32(0).f32(0);
    }
    w.signature().u16(0).u16(uint16_t(vertexCount > 1 ? 1 : 0)).u16(uint16_t(vertexCount > 2 ? 2 : 0)).signature();
    w.u32(uint32_t(bind.size()));
    for (const Engine::cMatrix4& m : bind)
        w.matrix(m);
    w.signature();
    return w.bytes();
}

std::string animation(float length, const std::vector<Bone>& bones) {
    Writer w;
    w.signature().u32(uint32_t(bones.size())).f32(length);
    for (const Bone& bone : bones) {
        w.u32(uint32_t(bone.keys.size())).i32(bone.parent);
        for (const Key& key : bone.keys)
            w.matrix(key.matrix).f32(key.time);
        w.signature();
    }
    return w.bytes();
}

Engine::cMatrix4 translation(float x, float y, float z) {
    Engine::cMatrix4 m;
    m.setTranslation(Engine::cVector3(x, y, z));
    return m;
}

} // namespace TestMeshes
