#pragma once

// Reader of RIFF WAVE files with 8- or 16-bit PCM in one or two channels.

#include "engine/core/DataStream.h"
#include "engine/media/SoundBuffer.h"

namespace Engine {

class cWavReader {
public:
    // Reads the whole sound from the stream's start; throws a narrow cString saying what is wrong.
    static cSoundBuffer read(IDataStream& stream);
};

} // namespace Engine
