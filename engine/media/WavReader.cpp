#include "engine/media/WavReader.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/String.h"

#include <cstring>

namespace Engine {

namespace {

[[noreturn]] void fail(const char* why) {
    throw cStringA(std::string("WAV: ") + why);
}

bool readExact(IDataStream& stream, void* buffer, int32_t count) {
    return stream.read(buffer, count) == count;
}

} // namespace

cSoundBuffer cWavReader::read(IDataStream& stream) {
    const int64_t size = stream.getSize();
    if (stream.seek(0, IDataStream::SEEK_FROM_START) != 0)
        fail("cannot seek");
    uint8_t header[12];
    if (!readExact(stream, header, 12) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        fail("not a RIFF WAVE file");

    bool haveFormat = false;
    int channels = 0, rate = 0, bits = 0;
    int64_t dataStart = -1, dataSize = 0;
    int64_t position = 12;
    while (position + 8 <= size) {
        uint8_t chunk[8];
        if (stream.seek(int32_t(position), IDataStream::SEEK_FROM_START) != position || !readExact(stream, chunk, 8))
            break;
        const int64_t chunkSize = readUint32LE(chunk + 4);
        const int64_t body = position + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uint8_t format[40] = {};
            if (chunkSize < 16 || !readExact(stream, format, int32_t(chunkSize < 40 ? chunkSize : 40)))
                fail("bad format chunk");
            uint16_t tag = readUint16LE(format);
            // The extensible header names the real format in its sub-format's first two bytes.
            if (tag == 0xFFFE && chunkSize >= 26)
                tag = readUint16LE(format + 24);
            channels = readUint16LE(format + 2);
            rate = int(readUint32LE(format + 4));
            bits = readUint16LE(format + 14);
            const int blockAlign = readUint16LE(format + 12);
            if (tag != 1)
                fail("not PCM");
            if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || blockAlign != channels * bits / 8)
                fail("unsupported sample layout");
            if (rate < 1000 || rate > 192000)
                fail("unsupported sample rate");
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && dataStart < 0) {
            dataStart = body;
            // A writer that never fixed the size up leaves more than the file holds.
            dataSize = chunkSize <= size - body ? chunkSize : size - body;
        }
        position = body + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat)
        fail("no format chunk");
    if (dataStart < 0)
        fail("no data chunk");

    const int frameBytes = channels * bits / 8;
    const size_t frameCount = size_t(dataSize / frameBytes);
    std::vector<uint8_t> raw(frameCount * size_t(frameBytes));
    if (stream.seek(int32_t(dataStart), IDataStream::SEEK_FROM_START) != dataStart ||
        !readExact(stream, raw.data(), int32_t(raw.size())))
        fail("data cut short");

    std::vector<int16_t> samples(frameCount * size_t(channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = bits == 8 ? int16_t((int(raw[i]) - 128) * 256) : int16_t(readUint16LE(&raw[i * 2]));
    cSoundBuffer buffer(rate, {});
    buffer.appendSamples(samples.data(), frameCount, channels);
    return buffer;
}

} // namespace Engine
