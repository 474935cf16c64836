#pragma once

// Sound files made by the tests: WAV bytes written here, Ogg Vorbis encoded with libvorbisenc,
// and a memory stream to read them from without a file system.

#include "engine/core/DataStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport {

// A PCM WAV file of 16-bit (or 8-bit: samples >> 8, offset by 128) interleaved samples.
std::string makeWav(const std::vector<int16_t>& samples, int channels, int rate, int bits = 16);
// An Ogg Vorbis file of interleaved samples.
std::string makeOgg(const std::vector<int16_t>& samples, int channels, int rate);
// A sine of the given length, amplitude and period (in frames), one channel.
std::vector<int16_t> makeSine(int frames, int amplitude, int period);

class cMemoryStream : public Engine::IDataStream {
public:
    explicit cMemoryStream(std::string bytes) : m_bytes(std::move(bytes)) {}
    int32_t getSize() override { return int32_t(m_bytes.size()); }
    int32_t seek(int32_t offset, int origin) override;
    int32_t read(void* buffer, int32_t count) override;
    int32_t write(const void*, int32_t) override { return 0; }
    void close() override {}

    // Seeks answer with the old position, as a stream that cannot seek would.
    bool refuseSeeks = false;
    // Reads throw after this many bytes (negative: never).
    int64_t throwAfter = -1;

private:
    std::string m_bytes;
    int64_t m_position = 0;
};

} // namespace TestSupport
