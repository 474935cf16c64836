#pragma once

// Decodes a sound file of any format the engine plays (WAV, Ogg Vorbis), told apart by content.

#include "engine/core/DataStream.h"
#include "engine/media/SoundBuffer.h"

#include <memory>
#include <vector>

namespace Engine {

class cStreamedSound;

// A sound ready for the mixer: decoded whole, or kept compressed to stream as it plays.
struct cLoadedSound {
    std::shared_ptr<const cSoundBuffer> buffer;
    std::shared_ptr<const cStreamedSound> streamed;
};

class cSoundDecoder {
public:
    // Sounds at least this long (music, ambience) stream when they can.
    static constexpr int STREAM_SECONDS = 10;

    // The whole sound, converted to the output's rate, in a buffer of its exact size; throws
    // when the file is not a sound the engine can play.
    static cSoundBuffer decode(IDataStream& stream);
    // An Ogg Vorbis sound of STREAM_SECONDS or more at the output's rate stays compressed and
    // streams; anything else is decoded whole, in one channel when it is mono. Throws as decode
    // does.
    static cLoadedSound load(IDataStream& stream);
    // The same for a file read whole.
    static cLoadedSound load(std::vector<uint8_t> bytes);

private:
    static cLoadedSound loadVorbis(std::vector<uint8_t> bytes);
};

} // namespace Engine
