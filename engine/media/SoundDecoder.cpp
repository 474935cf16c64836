#include "engine/media/SoundDecoder.h"

#include "engine/core/String.h"
#include "engine/media/VorbisReader.h"
#include "engine/media/WavReader.h"
#include "engine/platform/AudioOutput.h"

#include <cstring>

namespace Engine {

cSoundBuffer cSoundDecoder::decode(IDataStream& stream) {
    char magic[4] = {};
    stream.seek(0, IDataStream::SEEK_FROM_START);
    if (stream.read(magic, 4) != 4)
        throw cStringA(std::string("sound file too short"));
    if (stream.seek(0, IDataStream::SEEK_FROM_START) != 0)
        throw cStringA(std::string("sound file cannot be read again from its start"));
    cSoundBuffer buffer;
    if (std::memcmp(magic, "RIFF", 4) == 0)
        buffer = cWavReader::read(stream);
    else if (std::memcmp(magic, "OggS", 4) == 0)
        buffer = cVorbisReader::read(stream);
    else
        throw cStringA(std::string("unknown sound format"));
    buffer.resample(Platform::AUDIO_SAMPLE_RATE);
    return buffer;
}

} // namespace Engine
