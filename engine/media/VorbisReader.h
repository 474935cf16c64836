#pragma once

// Reader of Ogg Vorbis files in one or two channels, decoded whole through libvorbisfile, which
// reads the engine's stream through callbacks, front to back.

#include "engine/core/DataStream.h"
#include "engine/media/SoundBuffer.h"

namespace Engine {

class cVorbisReader {
public:
    // Reads the whole sound from the stream, which stands at its start; throws a narrow cString saying what is
    // wrong, or whatever the stream threw.
    static cSoundBuffer read(IDataStream& stream);

    // Longest sound decoded, in frames; longer files are refused rather than filling memory.
    static constexpr int64_t MAX_FRAMES = int64_t(44100) * 60 * 20;
};

} // namespace Engine
