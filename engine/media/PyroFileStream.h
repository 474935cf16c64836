#pragma once

// The file stream the particle library reads its effect files through, over an engine data
// stream that it does not own (and that may be absent: every call then returns 0).

#include "engine/core/DataStream.h"

#include <cstdint>

namespace Engine {

class IPyroFileStream {
public:
    virtual ~IPyroFileStream() = default;
    // Bytes transferred.
    virtual int32_t read(void* buffer, int32_t size) = 0;
    virtual int32_t write(const void* buffer, int32_t size) = 0;
    // The new position; origins as IDataStream's.
    virtual int32_t seek(int32_t offset, int origin) = 0;
    virtual const void* getHandle() = 0;
};

class cPyroFileStream : public IPyroFileStream {
public:
    explicit cPyroFileStream(IDataStream* stream) : m_stream(stream) {}
    int32_t read(void* buffer, int32_t size) override { return m_stream ? m_stream->read(buffer, size) : 0; }
    int32_t write(const void* buffer, int32_t size) override { return m_stream ? m_stream->write(buffer, size) : 0; }
    int32_t seek(int32_t offset, int origin) override { return m_stream ? m_stream->seek(offset, origin) : 0; }
    const void* getHandle() override { return nullptr; }

private:
    IDataStream* m_stream;
};

} // namespace Engine
