#include "tools/synth/Instruments.h"

#include "tools/synth/Biquad.h"

#include <algorithm>
#include <cmath>

namespace Synth {

namespace {

double saw(double phase) {
    return 2.0 * (phase - std::floor(phase)) - 1.0;
}

// A short raised-cosine fade at both ends keeps every note free of clicks.
void softEdges(cSignal& signal, double attack = 0.002, double release = 0.01) {
    signal.fadeIn(attack);
    signal.fadeOut(release);
}

} // namespace

double cInstruments::adsr(double t, double attack, double decay, double sustain, double release, double length) {
    if (t < 0 || t >= length)
        return 0.0;
    double level =
        t < attack ? t / attack : sustain + (1.0 - sustain) * std::exp(-(t - attack) / std::max(decay, 1e-4));
    double releaseStart = length - release;
    if (t > releaseStart && release > 0)
        level *= (length - t) / release;
    return level;
}

cSignal cInstruments::pluck(double frequency, double seconds, double brightness, unsigned seed) {
    cSignal out(seconds);
    cRandom random(seed);
    // Loop delay: N samples, half a sample for the averaging filter, the rest in an all-pass, so
    // the string sits exactly on its pitch.
    double period = double(RATE) / frequency;
    size_t length = size_t(period - 0.6);
    double fraction = period - 0.5 - double(length);
    double allpass = (1.0 - fraction) / (1.0 + fraction);
    std::vector<double> line(length);
    // A soft excitation: noise smoothed more for a darker pluck.
    double smooth = 0.8 - 0.7 * brightness, previous = 0.0, mean = 0.0;
    for (double& x : line) {
        previous = smooth * previous + (1.0 - smooth) * random.noise();
        x = previous;
        mean += x;
    }
    mean /= double(line.size());
    for (double& x : line)
        x -= mean;
    double loss = std::pow(0.003, 1.0 / (seconds * frequency));
    double lastIn = 0.0, apIn = 0.0, apOut = 0.0;
    size_t position = 0;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double x = line[position];
        double averaged = 0.5 * (x + lastIn) * loss;
        lastIn = x;
        apOut = allpass * averaged + apIn - allpass * apOut;
        apIn = averaged;
        line[position] = apOut;
        position = (position + 1) % length;
        out.at(i) = float(x);
    }
    softEdges(out, 0.001, std::min(0.05, seconds * 0.2));
    return out;
}

cSignal cInstruments::marimba(double frequency, double seconds) {
    cSignal out(seconds);
    const double ratios[] = {1.0, 3.93, 9.2};
    const double gains[] = {1.0, 0.35, 0.08};
    const double decays[] = {0.45, 0.09, 0.03};
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, sum = 0.0;
        for (int p = 0; p < 3; ++p) {
            double f = frequency * ratios[p];
            if (f < RATE * 0.45)
                sum +=
                    gains[p] * std::sin(2 * PI * f * t) * std::exp(-t / (decays[p] * std::pow(440.0 / frequency, 0.3)));
        }
        out.at(i) = float(sum);
    }
    softEdges(out, 0.0015, 0.02);
    return out;
}

cSignal cInstruments::chime(double frequency, double seconds) {
    cSignal out(seconds);
    const double ratios[] = {1.0, 2.0, 3.01, 4.17, 5.43};
    const double gains[] = {1.0, 0.5, 0.25, 0.18, 0.1};
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, sum = 0.0;
        for (int p = 0; p < 5; ++p) {
            double f = frequency * ratios[p];
            if (f < RATE * 0.45)
                sum += gains[p] * std::sin(2 * PI * f * t) * std::exp(-t * (1.5 + 3.0 * p) / seconds);
        }
        out.at(i) = float(sum);
    }
    softEdges(out, 0.002, 0.02);
    return out;
}

cSignal cInstruments::metal(double frequency, double seconds, const std::vector<double>& ratios, double decay,
                            unsigned seed) {
    cSignal out(seconds);
    cRandom random(seed);
    struct cPartial {
        double f, gain, decay, phase;
    };
    std::vector<cPartial> partials;
    for (size_t p = 0; p < ratios.size(); ++p)
        partials.push_back({frequency * ratios[p] * random.range(0.995, 1.005), 1.0 / (1.0 + 0.4 * double(p)),
                            decay / (1.0 + 0.35 * double(p)), random.range(0, 2 * PI)});
    cBiquad strike;
    strike.setHighpass(2500);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, sum = 0.0;
        for (const cPartial& p : partials)
            if (p.f < RATE * 0.45)
                sum += p.gain * std::sin(2 * PI * p.f * t + p.phase) * std::exp(-t / p.decay);
        sum += 0.6 * strike.process(random.noise()) * std::exp(-t / 0.008);
        out.at(i) = float(sum);
    }
    softEdges(out, 0.0005, 0.03);
    return out;
}

cSignal cInstruments::pad(double frequency, double seconds, unsigned seed) {
    cSignal out(seconds);
    cRandom random(seed);
    const double detune[] = {-0.006, 0.0, 0.0065};
    double phases[3];
    for (double& phase : phases)
        phase = random.uniform();
    cBiquad low, low2;
    low.setLowpass(std::min(1800.0, frequency * 4.0), 0.6);
    low2.setLowpass(std::min(2400.0, frequency * 6.0), 0.6);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, sum = 0.0;
        for (int v = 0; v < 3; ++v) {
            phases[v] += frequency * (1.0 + detune[v]) / RATE;
            sum += saw(phases[v]);
        }
        double env = adsr(t, std::min(0.35, seconds * 0.3), 0.5, 0.8, std::min(0.6, seconds * 0.4), seconds);
        out.at(i) = float(low2.process(low.process(sum / 3.0)) * env);
    }
    return out;
}

cSignal cInstruments::bass(double frequency, double seconds) {
    cSignal out(seconds);
    double phase = 0.0;
    cBiquad low;
    low.setLowpass(700, 0.7);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        phase += frequency / RATE;
        double tone = std::sin(2 * PI * phase) + 0.25 * std::sin(4 * PI * phase) * std::exp(-t / 0.15) +
                      0.3 * saw(phase) * std::exp(-t / 0.05);
        out.at(i) = float(low.process(tone) * adsr(t, 0.006, 0.35, 0.55, 0.06, seconds));
    }
    return out;
}

cSignal cInstruments::brass(double frequency, double seconds) {
    cSignal out(seconds);
    double phase = 0.0;
    cBiquad low, low2;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        double vibrato = 1.0 + 0.004 * std::sin(2 * PI * 5.5 * t) * std::min(1.0, t / 0.3);
        phase += frequency * vibrato / RATE;
        double frac = phase - std::floor(phase);
        double tone = 0.7 * saw(phase) + 0.3 * (frac < 0.4 ? 1.0 : -1.0);
        // The filter opens with the attack, as a player's lips do.
        double cutoff = frequency * (1.5 + 4.0 * std::min(1.0, t / 0.06)) * (0.75 + 0.25 * std::exp(-t / 0.4));
        low.setLowpass(cutoff, 0.8);
        low2.setLowpass(cutoff * 1.2, 0.6);
        out.at(i) =
            float(low2.process(low.process(tone)) * adsr(t, 0.03, 0.3, 0.75, std::min(0.15, seconds * 0.3), seconds));
    }
    return out;
}

cSignal cInstruments::horn(double frequency, double seconds) {
    cSignal out(seconds);
    double a = 0.0, b = 0.0;
    cBiquad band, low;
    band.setBandpass(900, 0.9);
    low.setLowpass(2500);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        a += frequency / RATE;
        b += frequency * 1.006 / RATE;
        double tone = ((a - std::floor(a)) < 0.3 ? 1.0 : -0.4) + ((b - std::floor(b)) < 0.3 ? 1.0 : -0.4);
        out.at(i) = float((low.process(band.process(tone)) + 0.15 * tone) * adsr(t, 0.015, 0.2, 0.85, 0.04, seconds));
    }
    return out;
}

cSignal cInstruments::kick(double gain) {
    cSignal out(0.35);
    double phase = 0.0;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        phase += (48.0 + 90.0 * std::exp(-t / 0.03)) / RATE;
        out.at(i) = float(gain * std::sin(2 * PI * phase) * std::exp(-t / 0.12));
    }
    softEdges(out, 0.001, 0.03);
    return out;
}

cSignal cInstruments::shaker(unsigned seed) {
    cSignal out(0.09);
    cRandom random(seed);
    cBiquad high, band;
    high.setHighpass(5000);
    band.setBandpass(8000, 0.9);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        double env = std::min(1.0, t / 0.008) * std::exp(-t / 0.025);
        out.at(i) = float(band.process(high.process(random.noise())) * env);
    }
    return out;
}

cSignal cInstruments::snap(unsigned seed) {
    cSignal out(0.12);
    cRandom random(seed);
    cBiquad band;
    band.setBandpass(1800, 1.5);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        out.at(i) = float(band.process(random.noise()) * std::exp(-t / 0.02) +
                          0.3 * std::sin(2 * PI * 950 * t) * std::exp(-t / 0.015));
    }
    softEdges(out, 0.0005, 0.01);
    return out;
}

cSignal cInstruments::noiseSweep(double seconds, double fromHz, double toHz, double q, double attack, unsigned seed) {
    cSignal out(seconds);
    cRandom random(seed);
    cBiquad band;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, x = t / seconds;
        if (i % 32 == 0)
            band.setBandpass(fromHz * std::pow(toHz / fromHz, x), q);
        double env = std::min(1.0, t / attack) * std::pow(1.0 - x, 1.5);
        out.at(i) = float(band.process(random.noise()) * env);
    }
    return out;
}

cSignal cInstruments::knock(const std::vector<double>& modes, double decay, double q, unsigned seed) {
    cSignal out(decay * 7.0);
    cRandom random(seed);
    std::vector<cBiquad> bodies(modes.size());
    for (size_t m = 0; m < modes.size(); ++m)
        bodies[m].setBandpass(modes[m], q);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        double excite = random.noise() * std::exp(-t / 0.004);
        double sum = 0.0;
        for (size_t m = 0; m < bodies.size(); ++m)
            sum += bodies[m].process(excite) / (1.0 + 0.5 * double(m));
        out.at(i) = float(sum * std::exp(-t / decay) + 0.15 * excite);
    }
    softEdges(out, 0.0005, 0.01);
    return out;
}

cSignal cInstruments::glide(double fromHz, double toHz, double seconds, double attack, double decay) {
    cSignal out(seconds);
    double phase = 0.0;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, x = t / seconds;
        phase += fromHz * std::pow(toHz / fromHz, x) / RATE;
        out.at(i) = float(std::sin(2 * PI * phase) * std::min(1.0, t / attack) * std::exp(-t / decay));
    }
    softEdges(out, 0.001, 0.01);
    return out;
}

cSignal cInstruments::chirp(double fromHz, double toHz, double seconds, double trillHz, double trillDepth) {
    cSignal out(seconds);
    double phase = 0.0;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE, x = t / seconds;
        double f = fromHz + (toHz - fromHz) * (1.0 - (1.0 - x) * (1.0 - x));
        f *= 1.0 + trillDepth * std::sin(2 * PI * trillHz * t);
        phase += f / RATE;
        out.at(i) = float(std::sin(2 * PI * phase) * std::sin(PI * x) * std::sin(PI * x));
    }
    return out;
}

tVowel cInstruments::vowel(char name) {
    switch (name) {
    case 'i':
        return {{300, 60, 1.0}, {2300, 120, 0.5}, {3000, 180, 0.3}};
    case 'e':
        return {{480, 70, 1.0}, {1900, 110, 0.55}, {2600, 170, 0.3}};
    case 'a':
        return {{750, 90, 1.0}, {1200, 110, 0.7}, {2500, 170, 0.3}};
    case 'o':
        return {{500, 80, 1.0}, {850, 90, 0.6}, {2500, 170, 0.2}};
    case 'u':
        return {{330, 60, 1.0}, {750, 90, 0.4}, {2400, 170, 0.12}};
    default: // 'm': a hummed nasal
        return {{250, 60, 1.0}, {1000, 200, 0.15}, {2500, 250, 0.05}};
    }
}

cSignal cInstruments::voice(const cVoiceShape& shape) {
    cSignal out(shape.seconds);
    cRandom random(shape.seed);
    size_t formants = shape.vowels.front().size();
    std::vector<cBiquad> filters(formants);
    std::vector<double> gains(formants, 0.0);
    double phase = 0.0;
    double lastFlow = 0.0;
    cBiquad tilt, air;
    tilt.setLowpass(5000, 0.5);
    // Above the third formant a voice has little left but hiss: cut it.
    air.setLowpass(std::min(4500.0 * shape.formantScale, 12000.0), 0.7);
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        if (i % 32 == 0) {
            double mix = std::clamp(shape.vowelMix(t), 0.0, double(shape.vowels.size() - 1));
            size_t first = std::min(size_t(mix), shape.vowels.size() - 1);
            size_t second = std::min(first + 1, shape.vowels.size() - 1);
            double x = mix - double(first);
            for (size_t f = 0; f < formants; ++f) {
                const cFormant& a = shape.vowels[first][f];
                const cFormant& b = shape.vowels[second][f];
                double frequency = (a.frequency + (b.frequency - a.frequency) * x) * shape.formantScale;
                double bandwidth = (a.bandwidth + (b.bandwidth - a.bandwidth) * x) * shape.formantScale;
                filters[f].setBandpass(frequency, frequency / bandwidth);
                gains[f] = a.gain + (b.gain - a.gain) * x;
            }
        }
        double vibrato = 1.0 + shape.vibratoDepth * std::sin(2 * PI * shape.vibratoRate * t);
        phase += shape.pitch(t) * vibrato / RATE;
        // The glottal flow (Rosenberg pulse: opening, quick closing, closed), differentiated:
        // the sharp closure is what gives a voice its overtones.
        double frac = phase - std::floor(phase);
        double flow = frac < 0.4 ? 0.5 * (1.0 - std::cos(PI * frac / 0.4))
                                 : (frac < 0.56 ? std::cos(PI / 2.0 * (frac - 0.4) / 0.16) : 0.0);
        double source = tilt.process((flow - lastFlow) * RATE / (shape.pitch(t) * 6.0)) + shape.breath * random.noise();
        lastFlow = flow;
        double sum = 0.0;
        for (size_t f = 0; f < formants; ++f)
            sum += gains[f] * filters[f].process(source);
        out.at(i) = float(air.process(sum) * std::clamp(shape.amplitude(t), 0.0, 1.0));
    }
    softEdges(out, 0.003, 0.02);
    return out;
}

} // namespace Synth
