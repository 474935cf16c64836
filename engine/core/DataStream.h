#pragma once

// A byte stream over a plain file or one entry of a zip pack. Whoever receives a stream owns it;
// deleting a stream closes it. Sizes and positions are 32-bit.

#include <cstdint>

namespace Engine {

class IDataStream {
public:
    // Seek origins, the values of SEEK_SET, SEEK_CUR and SEEK_END.
    enum { SEEK_FROM_START = 0, SEEK_FROM_CURRENT = 1, SEEK_FROM_END = 2 };

    virtual ~IDataStream() = default;
    virtual int32_t getSize() = 0;
    // Returns the new position.
    virtual int32_t seek(int32_t offset, int origin) = 0;
    // Return the number of bytes transferred.
    virtual int32_t read(void* buffer, int32_t count) = 0;
    virtual int32_t write(const void* buffer, int32_t count) = 0;
    virtual void close() = 0;
};

} // namespace Engine
