#pragma once

// A long sound (music, an ambience) played while it decodes: its compressed file stays in
// memory, and each channel that plays it decodes a block ahead of the mixer, on the mixer's
// thread, instead of the whole sound being decoded when it loads.

#include "engine/media/VorbisReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Engine {

class cSoundStream;

class cStreamedSound : public std::enable_shared_from_this<cStreamedSound> {
public:
    // Takes an Ogg Vorbis file at the output's rate; throws a narrow cString when it is not one.
    explicit cStreamedSound(std::vector<uint8_t> bytes);

    size_t getFrameCount() const { return m_frames; }
    // Bytes held: the compressed file.
    size_t getMemorySize() const { return m_bytes.capacity(); }
    // A new place in the sound, at its start; throws as the constructor does.
    std::unique_ptr<cSoundStream> open() const;

private:
    friend class cSoundStream;
    std::vector<uint8_t> m_bytes;
    size_t m_frames = 0;
};

class cSoundStream {
public:
    // Frames decoded at a time.
    static constexpr size_t BLOCK_FRAMES = 4096;

    explicit cSoundStream(std::shared_ptr<const cStreamedSound> sound);

    // The next frames, at most count, as interleaved stereo, valid until the next call; none at
    // the end. A damaged place ends the sound there.
    size_t next(size_t count, const int16_t*& frames) noexcept;
    // Nothing is left to play; decodes the next block when the last one has been played.
    bool finished() noexcept;
    // Back to the first frame; false when the file cannot start over.
    bool rewind() noexcept;

private:
    void decodeBlock() noexcept;

    std::shared_ptr<const cStreamedSound> m_sound;
    cVorbisDecoder m_decoder;
    std::vector<int16_t> m_block;
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_exhausted = false;
};

} // namespace Engine
