#include "tools/synth/Loudness.h"

#include "tools/synth/Biquad.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Synth {

double cLoudness::measure(const cSignal& signal) {
    size_t frames = signal.getFrames();
    if (frames == 0)
        return -100.0;
    // Squared K-weighted samples summed over the channels.
    std::vector<double> power(frames, 0.0);
    for (int c = 0; c < signal.getChannels(); ++c) {
        cBiquad shelf, highpass;
        shelf.setHighShelf(1681.97, 0.7072, 4.0);
        highpass.setHighpass(38.14, 0.5003);
        for (size_t i = 0; i < frames; ++i) {
            double y = highpass.process(shelf.process(signal.at(i, c)));
            power[i] += y * y;
        }
    }
    size_t block = std::min(frames, toFrames(0.4));
    size_t step = std::max<size_t>(1, block / 4);
    std::vector<double> blocks;
    for (size_t start = 0; start + block <= frames; start += step) {
        double sum = 0.0;
        for (size_t i = start; i < start + block; ++i)
            sum += power[i];
        blocks.push_back(sum / double(block));
    }
    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        int count = 0;
        for (double z : blocks)
            if (-0.691 + 10.0 * std::log10(z + 1e-20) > gate) {
                sum += z;
                ++count;
            }
        return count ? sum / count : 1e-20;
    };
    double absolute = -0.691 + 10.0 * std::log10(gatedMean(-70.0));
    return -0.691 + 10.0 * std::log10(gatedMean(absolute - 10.0));
}

double cLoudness::normalise(cSignal& signal, double targetLufs, double ceilingDb, double maxReductionDb) {
    double ceiling = std::pow(10.0, ceilingDb / 20.0);
    double gain = std::pow(10.0, (targetLufs - measure(signal)) / 20.0);
    double peak = signal.getPeak();
    if (peak * gain > ceiling) {
        double reduction = std::min(peak * gain / ceiling, std::pow(10.0, maxReductionDb / 20.0));
        limit(signal, peak / reduction);
        // The limiter lowered the loudness a little too: measure again.
        gain = std::pow(10.0, (targetLufs - measure(signal)) / 20.0);
        gain = std::min(gain, ceiling / signal.getPeak());
    }
    signal.scale(gain);
    return measure(signal);
}

void cLoudness::limit(cSignal& signal, double threshold) {
    size_t frames = signal.getFrames();
    const size_t window = toFrames(0.003);
    std::vector<double> wanted(frames, 1.0);
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < signal.getChannels(); ++c) {
            double level = std::fabs(signal.at(i, c));
            if (level > threshold)
                wanted[i] = std::min(wanted[i], threshold / level);
        }
    // The least gain wanted within the window ahead, held with a slow release, then averaged
    // over the window behind: every value in that average already looked ahead as far as the
    // current sample, so no peak escapes, and the gain falls smoothly into each peak.
    const double release = 1.0 - std::exp(-1.0 / (0.06 * RATE));
    std::vector<double> held(frames, 1.0);
    double level = 1.0;
    for (size_t i = 0; i < frames; ++i) {
        double least = 1.0;
        for (size_t k = i; k < std::min(frames, i + window); ++k)
            least = std::min(least, wanted[k]);
        level = std::min(least, level + (1.0 - level) * release);
        held[i] = level;
    }
    double sum = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        sum += held[i];
        if (i >= window)
            sum -= held[i - window];
        double gain = sum / double(std::min(i + 1, window));
        for (int c = 0; c < signal.getChannels(); ++c)
            signal.at(i, c) = float(signal.at(i, c) * gain);
    }
}

} // namespace Synth
