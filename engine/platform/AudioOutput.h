#pragma once

// The sound card as the mixer sees it: a 44100 Hz, 16-bit stereo stream that pulls its frames
// from a source, on the output's own thread for a real device.

#include <cstdint>
#include <memory>

namespace Platform {

constexpr int AUDIO_SAMPLE_RATE = 44100;
constexpr int AUDIO_CHANNELS = 2;

class IAudioSource {
public:
    virtual ~IAudioSource() = default;
    // Fills frameCount interleaved stereo frames. May run on another thread; must not throw.
    virtual void fillAudio(int16_t* frames, int frameCount) noexcept = 0;
};

class IAudioOutput {
public:
    virtual ~IAudioOutput() = default;
    // Begins pulling from the source, which must outlive the output or a later stop.
    virtual void start(IAudioSource& source) = 0;
    // Stops pulling; when it returns the source is no longer called.
    virtual void stop() = 0;
};

// The machine's audio device, or null when there is none; under MEADOW_HEADLESS=1 a null
// output (headless/NullAudioOutput.h) that the caller pulls by hand.
std::unique_ptr<IAudioOutput> createAudioOutput();

} // namespace Platform
