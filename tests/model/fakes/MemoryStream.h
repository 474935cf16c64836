#pragma once

// A data stream over bytes in memory, for writing and reading level-save records.

#include "engine/core/DataStream.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace TestFakes {

class MemoryStream : public Engine::IDataStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string bytes) : m_bytes(std::move(bytes)) {}

    int32_t getSize() override { return int32_t(m_bytes.size()); }
    int32_t seek(int32_t offset, int origin) override {
        int32_t base = origin == SEEK_FROM_START ? 0 : origin == SEEK_FROM_CURRENT ? m_position : getSize();
        m_position = std::clamp(base + offset, 0, getSize());
        return m_position;
    }
    int32_t read(void* buffer, int32_t count) override {
        int32_t n = std::min(count, getSize() - m_position);
        std::memcpy(buffer, m_bytes.data() + m_position, size_t(n));
        m_position += n;
        return n;
    }
    int32_t write(const void* buffer, int32_t count) override {
        if (size_t(m_position + count) > m_bytes.size())
            m_bytes.resize(size_t(m_position + count));
        std::memcpy(&m_bytes[size_t(m_position)], buffer, size_t(count));
        m_position += count;
        return count;
    }
    void close() override {}

    const std::string& bytes() const { return m_bytes; }
    void rewind() { m_position = 0; }

private:
    std::string m_bytes;
    int32_t m_position = 0;
};

} // namespace TestFakes
