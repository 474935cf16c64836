// Feeds arbitrary bytes to the sound decoders (WAV and Ogg Vorbis) as a sound file in memory.

#include "engine/media/SoundDecoder.h"
#include "engine/core/DataStream.h"

#include <cstdint>
#include <cstring>

using namespace Engine;

namespace {

class cBytesStream : public IDataStream {
public:
    cBytesStream(const uint8_t* data, size_t size) : m_data(data), m_size(int32_t(size)) {}
    int32_t getSize() override { return m_size; }
    int32_t seek(int32_t offset, int origin) override {
        int64_t target = origin == 0 ? offset : origin == 1 ? int64_t(m_position) + offset : int64_t(m_size) + offset;
        if (target < 0 || target > m_size)
            return -1;
        m_position = int32_t(target);
        return m_position;
    }
    int32_t read(void* buffer, int32_t count) override {
        int32_t n = count < m_size - m_position ? count : m_size - m_position;
        if (n <= 0)
            return 0;
        std::memcpy(buffer, m_data + m_position, size_t(n));
        m_position += n;
        return n;
    }
    int32_t write(const void*, int32_t) override { return 0; }
    void close() override {}

private:
    const uint8_t* m_data;
    int32_t m_size;
    int32_t m_position = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    cBytesStream stream(data, size);
    try {
        cSoundDecoder::decode(stream);
    } catch (...) {
    }
    return 0;
}
