#pragma once

// Ogg Vorbis files in one or two channels through libvorbisfile: decoded whole (cVorbisReader),
// or a few blocks at a time from the file held in memory (cVorbisDecoder), which can start over
// at its first frame, sample-exact, as a loop does.

#include "engine/core/DataStream.h"
#include "engine/media/SoundBuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Engine {

class cVorbisDecoder {
public:
    // Opens the file, whose bytes must outlive the decoder; throws a narrow cString saying what
    // is wrong.
    cVorbisDecoder(const uint8_t* bytes, size_t size);
    ~cVorbisDecoder();
    cVorbisDecoder(const cVorbisDecoder&) = delete;
    cVorbisDecoder& operator=(const cVorbisDecoder&) = delete;

    int getChannels() const { return m_channels; }
    int getSampleRate() const { return m_rate; }
    // Frames in the file, as its last page tells.
    int64_t getFrameCount() const { return m_frames; }

    // Decodes up to count frames as stereo (mono copied to both sides); fewer only at the end.
    // Throws a narrow cString for corrupt data or a chained stream that changes its layout.
    size_t read(int16_t* stereo, size_t count);
    // Back to the first frame; throws when the file cannot seek there.
    void rewind();

private:
    struct cState;
    std::unique_ptr<cState> m_state;
    int m_channels = 0;
    int m_rate = 0;
    int64_t m_frames = 0;
    std::vector<int16_t> m_mono;
};

class cVorbisReader {
public:
    // Reads the stream, which stands at its start, front to back, then decodes it whole; throws
    // a narrow cString saying what is wrong, or whatever the stream threw.
    static cSoundBuffer read(IDataStream& stream);
    // The whole sound in a buffer of its exact size.
    static cSoundBuffer read(const uint8_t* bytes, size_t size);
    // The bytes of the stream from its place to its end.
    static std::vector<uint8_t> readAll(IDataStream& stream);

    // Longest sound decoded, in frames; longer files are refused rather than filling memory.
    static constexpr int64_t MAX_FRAMES = int64_t(44100) * 60 * 20;
};

} // namespace Engine
