#include "engine/media/SoundDecoder.h"

#include "engine/core/String.h"
#include "engine/media/SoundStream.h"
#include "engine/media/VorbisReader.h"
#include "engine/media/WavReader.h"
#include "engine/platform/AudioOutput.h"

#include <cstring>

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
    std::vector<uint8_t> bytes = cVorbisReader::readAll(stream);
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
