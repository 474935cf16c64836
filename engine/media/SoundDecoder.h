#pragma once

// Decodes a sound file of any format the engine plays (WAV, Ogg Vorbis), told apart by content.

#include "engine/core/DataStream.h"
#include "engine/media/SoundBuffer.h"

namespace Engine {

class cSoundDecoder {
public:
    // The whole sound, converted to the output's rate; throws when the file is not a sound
    // the engine can play.
    static cSoundBuffer decode(IDataStream& stream);
};

} // namespace Engine
