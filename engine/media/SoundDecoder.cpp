#include "engine/media/SoundDecoder.h"

#include "engine/core/String.h"
#include "engine/media/SoundStream.h"
#include "engine/media/VorbisReader.h"
#include "engine/media/WavReader.h"
#include "engine/platform/AudioOutput.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Engine {

namespace {

enum eFormat { FORMAT_WAV, FORMAT_OGG };

// The format by the first bytes; the stream is left at its start.
eFormat detect(IDataStream& stream) {
    char magic[4] = {};
    stream.seek(0, IDataStream::SEEK_FROM_START);
    if (stream.read(magic, 4) != 4)
        throw cStringA(std::string("sound file too short"));
    if (stream.seek(0, IDataStream::SEEK_FROM_START) != 0)
        throw cStringA(std::string("sound file cannot be read again from its start"));
    if (std::memcmp(magic, "RIFF", 4) == 0)
        return FORMAT_WAV;
    if (std::memcmp(magic, "OggS", 4) == 0)
        return FORMAT_OGG;
    throw cStringA(std::string("unknown sound format"));
}

// A file read whole, as a stream for the WAV reader.
class cByteStream : public IDataStream {
public:
    explicit cByteStream(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    int32_t getSize() override { return int32_t(m_bytes.size()); }
    int32_t seek(int32_t offset, int origin) override {
        const int64_t base = origin == SEEK_FROM_CURRENT ? m_position
                             : origin == SEEK_FROM_END   ? int64_t(m_bytes.size())
                                                         : 0;
        m_position = std::min<int64_t>(std::max<int64_t>(base + offset, 0), int64_t(m_bytes.size()));
        return int32_t(m_position);
    }
    int32_t read(void* buffer, int32_t count) override {
        const int64_t n = std::min<int64_t>(std::max(count, 0), int64_t(m_bytes.size()) - m_position);
        if (n > 0)
            std::memcpy(buffer, m_bytes.data() + m_position, size_t(n));
        m_position += n;
        return int32_t(n);
    }
    int32_t write(const void*, int32_t) override { return 0; }
    void close() override {}

private:
    const std::vector<uint8_t>& m_bytes;
    int64_t m_position = 0;
};

cSoundBuffer atOutputRate(cSoundBuffer buffer) {
    buffer.resample(Platform::AUDIO_SAMPLE_RATE);
    buffer.fit();
    return buffer;
}

} // namespace

cSoundBuffer cSoundDecoder::decode(IDataStream& stream) {
    if (detect(stream) == FORMAT_WAV)
        return atOutputRate(cWavReader::read(stream));
    return atOutputRate(cVorbisReader::read(stream));
}

cLoadedSound cSoundDecoder::load(IDataStream& stream) {
    cLoadedSound sound;
    // Effects are mono: the mixer holds one channel of them.
    if (detect(stream) == FORMAT_WAV) {
        cSoundBuffer buffer = atOutputRate(cWavReader::read(stream));
        buffer.compactMono();
        sound.buffer = std::make_shared<const cSoundBuffer>(std::move(buffer));
        return sound;
    }
    return loadVorbis(cVorbisReader::readAll(stream));
}

cLoadedSound cSoundDecoder::load(std::vector<uint8_t> bytes) {
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0)
        return loadVorbis(std::move(bytes));
    cByteStream stream(bytes);
    return load(stream);
}

cLoadedSound cSoundDecoder::loadVorbis(std::vector<uint8_t> bytes) {
    cLoadedSound sound;
    bool streams = false;
    {
        cVorbisDecoder probe(bytes.data(), bytes.size());
        streams = probe.getSampleRate() == Platform::AUDIO_SAMPLE_RATE &&
                  probe.getFrameCount() >= int64_t(STREAM_SECONDS) * Platform::AUDIO_SAMPLE_RATE;
    }
    if (streams) {
        sound.streamed = std::make_shared<const cStreamedSound>(std::move(bytes));
        return sound;
    }
    cSoundBuffer buffer = atOutputRate(cVorbisReader::read(bytes.data(), bytes.size()));
    buffer.compactMono();
    sound.buffer = std::make_shared<const cSoundBuffer>(std::move(buffer));
    return sound;
}

} // namespace Engine
