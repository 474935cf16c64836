#pragma once

// A sound being built: float samples at 44100 Hz in one or two interleaved channels, mixed,
// shaped and looped before it is measured and encoded.

#include <cstddef>
#include <vector>

namespace Synth {

constexpr int RATE = 44100;
constexpr double PI = 3.14159265358979323846;

inline size_t toFrames(double seconds) {
    return seconds <= 0 ? 0 : size_t(seconds * RATE + 0.5);
}

class cSignal {
public:
    cSignal() = default;
    explicit cSignal(double seconds, int channels = 1) : cSignal(toFrames(seconds), channels) {}
    cSignal(size_t frames, int channels) : m_channels(channels), m_samples(frames * size_t(channels), 0.0f) {}

    int getChannels() const { return m_channels; }
    size_t getFrames() const { return m_samples.size() / size_t(m_channels); }
    double getSeconds() const { return double(getFrames()) / RATE; }
    float& at(size_t frame, int channel = 0) { return m_samples[frame * size_t(m_channels) + size_t(channel)]; }
    float at(size_t frame, int channel = 0) const { return m_samples[frame * size_t(m_channels) + size_t(channel)]; }
    const std::vector<float>& getSamples() const { return m_samples; }

    // Adds a mono or same-width source from a start time on, growing this signal as needed. A mono
    // source mixed into stereo is placed by pan (-1 left, 0 centre, 1 right, equal power).
    void mix(const cSignal& source, double start, double gain = 1.0, double pan = 0.0);
    void scale(double gain);
    void fadeIn(double seconds);
    void fadeOut(double seconds);
    void resize(size_t frames) { m_samples.resize(frames * size_t(m_channels), 0.0f); }

    // Adds everything past the loop length onto the start and cuts there: notes that ring over
    // the loop's end continue at its start, so the loop repeats without a seam.
    void foldLoop(size_t loopFrames);
    // For steady beds (wind, engines) rendered longer than the loop: cross-fades the frames past
    // the loop length into its start with equal power, then cuts there.
    void crossfadeLoop(size_t loopFrames);

    double getPeak() const;

private:
    int m_channels = 1;
    std::vector<float> m_samples;
};

// The synthesiser's own noise and random choices: a small linear congruential generator, so
// every run makes the same sounds.
class cRandom {
public:
    explicit cRandom(unsigned seed) : m_state(seed) {}
    // Uniform in [0, 1).
    double uniform() {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }
    double range(double low, double high) { return low + (high - low) * uniform(); }
    double noise() { return 2.0 * uniform() - 1.0; }
    int below(int count) { return int(uniform() * count); }

private:
    unsigned m_state;
};

} // namespace Synth
