#pragma once

// A decoded sound in memory: interleaved 16-bit stereo frames at a sample rate, or one channel
// once a sound whose sides are the same is compacted for the mixer. The mixer plays buffers at
// the output's rate, so the decoders' results are converted once, at load.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine {

class cSoundBuffer {
public:
    cSoundBuffer() = default;
    cSoundBuffer(int sampleRate, std::vector<int16_t> frames) : m_sampleRate(sampleRate), m_frames(std::move(frames)) {}

    int getSampleRate() const { return m_sampleRate; }
    int getChannels() const { return m_channels; }
    size_t getFrameCount() const { return m_frames.size() / size_t(m_channels); }
    // Interleaved samples of getChannels() channels.
    const std::vector<int16_t>& getFrames() const { return m_frames; }

    // Appends interleaved samples of one or two channels; mono is copied to both sides.
    void appendSamples(const int16_t* samples, size_t frameCount, int channels);
    // Converts to another rate by linear interpolation; nothing when the rate is already that.
    void resample(int sampleRate);
    // Gives back what the buffer holds beyond its frames.
    void fit() { m_frames.shrink_to_fit(); }
    // Keeps one channel, at its exact size, when both sides of every frame are the same.
    void compactMono();
    // Bytes held, spare room included.
    size_t getMemorySize() const { return m_frames.capacity() * sizeof(int16_t); }

private:
    int m_sampleRate = 0;
    int m_channels = 2;
    std::vector<int16_t> m_frames;
};

} // namespace Engine
