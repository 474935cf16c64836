#include "tools/synth/Signal.h"

#include <algorithm>
#include <cmath>

namespace Synth {

void cSignal::mix(const cSignal& source, double start, double gain, double pan) {
    size_t offset = toFrames(start);
    size_t frames = source.getFrames();
    if (getFrames() < offset + frames)
        resize(offset + frames);
    if (source.m_channels == m_channels) {
        for (size_t i = 0; i < frames * size_t(m_channels); ++i)
            m_samples[offset * size_t(m_channels) + i] += float(source.m_samples[i] * gain);
        return;
    }
    if (source.m_channels == 1 && m_channels == 2) {
        double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * PI / 4.0;
        double left = std::cos(angle) * std::sqrt(2.0) * gain, right = std::sin(angle) * std::sqrt(2.0) * gain;
        for (size_t i = 0; i < frames; ++i) {
            at(offset + i, 0) += float(source.at(i) * left);
            at(offset + i, 1) += float(source.at(i) * right);
        }
        return;
    }
    for (size_t i = 0; i < frames; ++i)
        at(offset + i) += float(0.5 * (source.at(i, 0) + source.at(i, 1)) * gain);
}

void cSignal::scale(double gain) {
    for (float& sample : m_samples)
        sample = float(sample * gain);
}

void cSignal::fadeIn(double seconds) {
    size_t count = std::min(toFrames(seconds), getFrames());
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < m_channels; ++c)
            at(i, c) = float(at(i, c) * double(i) / double(count));
}

void cSignal::fadeOut(double seconds) {
    size_t frames = getFrames();
    size_t count = std::min(toFrames(seconds), frames);
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < m_channels; ++c)
            at(frames - 1 - i, c) = float(at(frames - 1 - i, c) * double(i) / double(count));
}

void cSignal::foldLoop(size_t loopFrames) {
    size_t frames = getFrames();
    for (size_t i = loopFrames; i < frames; ++i)
        for (int c = 0; c < m_channels; ++c)
            at(i % loopFrames, c) += at(i, c);
    resize(loopFrames);
}

void cSignal::crossfadeLoop(size_t loopFrames) {
    size_t fade = std::min(getFrames() - std::min(getFrames(), loopFrames), loopFrames);
    for (size_t i = 0; i < fade; ++i) {
        double x = (double(i) + 0.5) / double(fade);
        double in = std::sin(x * PI / 2.0), out = std::cos(x * PI / 2.0);
        for (int c = 0; c < m_channels; ++c)
            at(i, c) = float(at(i, c) * in + at(loopFrames + i, c) * out);
    }
    resize(loopFrames);
}

double cSignal::getPeak() const {
    double peak = 0.0;
    for (float sample : m_samples)
        peak = std::max(peak, double(std::fabs(sample)));
    return peak;
}

} // namespace Synth
