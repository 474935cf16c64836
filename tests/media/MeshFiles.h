#pragma once

// Mesh and animation files written by the tests, field by field in the engine's binary formats.

#include "engine/core/Matrix4.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TestMeshes {

// Little-endian bytes of numbers, floats and the "rouq" signature.
class Writer {
public:
    Writer& u32(uint32_t value);
    Writer& i32(int32_t value) { return u32(uint32_t(value)); }
    Writer& f32(float value);
    Writer& u16(uint16_t value);
    Writer& u8(uint8_t value);
    Writer& signature() { return u32(0x71756F72u); }
    Writer& matrix(const Engine::cMatrix4& m);
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// A mesh of the format with V vertices (stride bytes each, a distinct float per element) and
// the given 16-bit indices; the index count written is indexCount (or the list's size).
std::string mesh(uint32_t format, uint32_t stride, uint32_t vertexCount, const std::vector<uint16_t>& indices,
                 int64_t indexCount = -1);
// A skinned mesh: vertices at the positions, each fully on one bone, and its bind matrices.
std::string skinnedMesh(const std::vector<float>& positions, const std::vector<uint8_t>& boneOfVertex,
                        const std::vector<Engine::cMatrix4>& bind);

struct Key {
    Engine::cMatrix4 matrix;
    float time;
};
struct Bone {
    int32_t parent;
    std::vector<Key> keys;
};
std::string animation(float length, const std::vector<Bone>& bones);

Engine::cMatrix4 translation(float x, float y, float z);

} // namespace TestMeshes
