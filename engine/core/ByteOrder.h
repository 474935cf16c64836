#pragma once

// Little-endian integers of the file and network formats, read byte by byte so that neither
// the machine's byte order nor alignment matters.

#include <cstdint>

namespace Engine {

inline uint16_t readUint16LE(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

inline uint32_t readUint32LE(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline int32_t readInt32LE(const uint8_t* p) {
    return int32_t(readUint32LE(p));
}

} // namespace Engine
