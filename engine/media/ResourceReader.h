#pragma once

// Reads the fields of the engine's binary mesh and animation files in place: little-endian
// numbers, byte blocks and the "rouq" signature that fences every section. A field or block
// that does not lie wholly inside the data throws "Unexpected end of source"; a signature that
// does not match throws "Invalid resource format" (both plain texts).

#include "engine/core/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Engine {

// The signature "rouq" read as one little-endian 32-bit integer.
constexpr uint32_t RESOURCE_SIGNATURE = 0x71756F72u;

class cResourceReader {
public:
    cResourceReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t getPosition() const { return m_position; }
    size_t getRemaining() const { return m_size - m_position; }
    // Whether count items of itemSize bytes still fit; checked before anything is allocated.
    bool fits(uint64_t count, uint64_t itemSize) const {
        return itemSize == 0 || count <= uint64_t(getRemaining()) / itemSize;
    }

    const uint8_t* take(size_t bytes) {
        if (bytes > getRemaining())
            throw "Unexpected end of source";
        const uint8_t* at = m_data + m_position;
        m_position += bytes;
        return at;
    }
    uint32_t readUint32() { return readUint32LE(take(4)); }
    int32_t readInt32() { return readInt32LE(take(4)); }
    float readFloat() {
        uint32_t bits = readUint32();
        float value;
        std::memcpy(&value, &bits, 4);
        return value;
    }
    void readSignature() {
        if (readUint32() != RESOURCE_SIGNATURE)
            throw "Invalid resource format";
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

} // namespace Engine
