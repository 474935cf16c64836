#include "tools/synth/SoundBank.h"

#include "tools/synth/Biquad.h"
#include "tools/synth/Instruments.h"
#include "tools/synth/Music.h"

#include <array>
#include <cmath>

namespace Synth {

namespace {

using I = cInstruments;

// Loudness targets: effects sit around -14 LUFS, quiet interface ticks below them, music about
// 6 dB under the effects. The menu loops its ambient bed under its music: well under it, or the
// bed's birds sound like a second piece playing.
constexpr double EFFECT = -14.0, SOFT = -17.0, UI = -22.0, MUSIC = -20.0, BED = -34.0;

cSignal lowpass(cSignal signal, double frequency) {
    cBiquad first, second;
    first.setLowpass(frequency);
    second.setLowpass(frequency);
    first.processAll(signal);
    second.processAll(signal);
    return signal;
}

double hz(double midi) {
    return I::midiToHz(midi);
}

// C major pentatonic from G3 up, the steps the match sounds climb.
double matchNote(int step) {
    static const int offsets[] = {0, 2, 4, 7, 9};
    int index = step + 3; // G3 is the fourth note above C3
    return 48.0 + 12.0 * (index / 5) + offsets[index % 5];
}

cSignal matchSound(int number) {
    double f = hz(matchNote(number - 1));
    cSignal out;
    out.mix(I::pluck(f, 1.0, 0.45, 100u + unsigned(number)), 0.0, 1.0);
    // A quiet octave harmonic gives the pluck a rounder, bell-like body.
    out.mix(I::marimba(f * 2.0, 0.5), 0.0, 0.12);
    return out;
}

cSignal matchAddSound(int number) {
    // The chime sits two octaves above the match it rides on, on a chord tone.
    static const int notes[] = {84, 88, 91, 93, 96};
    cSignal out;
    double f = hz(notes[number - 1]);
    out.mix(I::chime(f, 1.2), 0.0, 1.0);
    out.mix(I::chime(f * 1.5, 0.8), 0.06, 0.35);
    return out;
}

cSignal arpeggio(const std::vector<int>& notes, double step, double length, bool chime) {
    cSignal out;
    for (size_t k = 0; k < notes.size(); ++k)
        out.mix(chime ? I::chime(hz(notes[k]), length) : I::pluck(hz(notes[k]), length, 0.75, unsigned(k) + 7u),
                double(k) * step, 1.0);
    return out;
}

cSignal fanfare(const std::vector<std::array<double, 3>>& notes, double bpm, bool sparkle) {
    // Each note: beat, beats, MIDI; notes sharing a beat sound as a chord.
    double spb = 60.0 / bpm;
    cSignal out;
    for (const auto& n : notes) {
        out.mix(I::brass(hz(n[2]), n[1] * spb + 0.1), n[0] * spb, 0.5);
        out.mix(I::pluck(hz(n[2] + 12), n[1] * spb + 0.4, 0.8, unsigned(n[2])), n[0] * spb, 0.25);
    }
    if (sparkle) {
        double end = notes.back()[0] * spb;
        const int shimmer[] = {96, 100, 103, 108, 103, 100};
        for (int k = 0; k < 6; ++k)
            out.mix(I::chime(hz(shimmer[k]), 0.7), end + 0.05 + k * 0.06, 0.15);
    }
    return out;
}

cSignal thud(double frequency, double seconds, unsigned seed) {
    cSignal out = I::glide(frequency * 2.0, frequency, seconds, 0.002, seconds / 4.0);
    cSignal dust = I::noiseSweep(seconds, 800, 200, 0.7, 0.003, seed);
    out.mix(dust, 0.0, 0.5);
    return out;
}

// The cat: "mi-a-ow", pitch rising then falling.
cSignal meow(double base, double seconds, double rise, unsigned seed) {
    cVoiceShape v;
    v.seconds = seconds;
    v.vowels = {I::vowel('i'), I::vowel('a'), I::vowel('u')};
    v.formantScale = 1.45;
    v.pitch = [=](double t) {
        double x = t / seconds;
        return base * (1.0 + rise * std::sin(PI * std::pow(x, 0.7)));
    };
    v.vowelMix = [=](double t) { return 2.0 * std::pow(t / seconds, 0.8); };
    v.amplitude = [=](double t) {
        double x = t / seconds;
        return std::min(1.0, x / 0.12) * std::pow(1.0 - x, 0.6);
    };
    v.breath = 0.15;
    v.vibratoDepth = 0.01;
    v.seed = seed;
    return I::voice(v);
}

cSignal woof(double base, double seconds, double size, unsigned seed) {
    cVoiceShape v;
    v.seconds = seconds;
    v.vowels = {I::vowel('u'), I::vowel('a'), I::vowel('o')};
    v.formantScale = 1.2 / size;
    v.pitch = [=](double t) { return base * (1.0 + 0.5 * std::exp(-t / 0.03)) * (1.0 - 0.25 * t / seconds); };
    v.vowelMix = [=](double t) {
        double x = t / seconds;
        return x < 0.3 ? x / 0.3 : 1.0 + (x - 0.3) / 0.7;
    };
    v.amplitude = [=](double t) {
        double x = t / seconds;
        return std::min(1.0, x / 0.05) * std::pow(1.0 - x, 1.5);
    };
    v.breath = 0.6;
    v.seed = seed;
    cSignal out = I::voice(v);
    out.mix(I::noiseSweep(0.05, 1500, 600, 1.0, 0.002, seed + 1), 0.0, 0.3);
    return out;
}

cSignal cluck(double base, double seconds, unsigned seed) {
    cVoiceShape v;
    v.seconds = seconds;
    v.vowels = {I::vowel('o'), I::vowel('a')};
    v.formantScale = 1.5;
    v.pitch = [=](double t) { return base * (1.0 + 0.3 * t / seconds); };
    v.vowelMix = [=](double t) { return t / seconds; };
    v.amplitude = [=](double t) {
        double x = t / seconds;
        return std::min(1.0, x / 0.1) * (1.0 - x);
    };
    v.breath = 0.35;
    v.seed = seed;
    return I::voice(v);
}

// A held bleat: tremolo on the voice, as sheep and goats wobble.
cSignal bleat(double base, double seconds, double tremolo, double scale, char vowel, unsigned seed) {
    cVoiceShape v;
    v.seconds = seconds;
    v.vowels = {I::vowel('m'), I::vowel(vowel), I::vowel('a')};
    v.formantScale = scale;
    v.pitch = [=](double t) { return base * (1.0 + 0.08 * std::sin(PI * t / seconds)); };
    v.vowelMix = [=](double t) {
        double x = t / seconds;
        return x < 0.1 ? x / 0.1 : 1.0 + 0.6 * (x - 0.1);
    };
    v.amplitude = [=](double t) {
        double x = t / seconds;
        return std::min(1.0, x / 0.06) * std::pow(1.0 - x, 0.5) * (0.65 + 0.35 * std::sin(2 * PI * tremolo * t));
    };
    v.vibratoDepth = 0.04;
    v.vibratoRate = tremolo;
    v.breath = 0.3;
    v.seed = seed;
    return I::voice(v);
}

cSignal moo(double base, double seconds, unsigned seed) {
    cVoiceShape v;
    v.seconds = seconds;
    v.vowels = {I::vowel('m'), I::vowel('o'), I::vowel('u')};
    v.formantScale = 0.8;
    v.pitch = [=](double t) {
        double x = t / seconds;
        return base * (1.0 + 0.25 * std::sin(PI * std::min(1.0, x * 1.6))) * (1.0 - 0.15 * x);
    };
    v.vowelMix = [=](double t) {
        double x = t / seconds;
        return x < 0.25 ? x / 0.25 : 1.0 + (x - 0.25) / 0.75;
    };
    v.amplitude = [=](double t) {
        double x = t / seconds;
        return std::min(1.0, x / 0.15) * std::pow(1.0 - x, 0.7);
    };
    v.breath = 0.25;
    v.vibratoDepth = 0.006;
    v.seed = seed;
    return I::voice(v);
}

cSignal tweet(unsigned seed) {
    cRandom random(seed);
    cSignal out;
    double t = 0.0;
    int notes = 3 + random.below(3);
    for (int k = 0; k < notes; ++k) {
        double from = random.range(2600, 3400), to = from * random.range(1.2, 1.5);
        double length = random.range(0.05, 0.09);
        out.mix(I::chirp(from, to, length, random.range(30, 60), 0.03), t, random.range(0.6, 1.0));
        t += length + random.range(0.02, 0.06);
    }
    out.mix(I::chirp(3800, 2600, 0.16, 40, 0.04), t, 0.8);
    return out;
}

cSignal coins(int count, double spread, unsigned seed) {
    cRandom random(seed);
    cSignal out;
    for (int k = 0; k < count; ++k)
        out.mix(I::metal(random.range(2400, 3600), 0.35, {1.0, 2.76, 5.4}, 0.08, seed + unsigned(k)),
                random.range(0, spread) * std::sqrt(double(k) / count), random.range(0.4, 1.0));
    return out;
}

cSignal clinks(int count, double spread, unsigned seed) {
    cRandom random(seed);
    cSignal out;
    for (int k = 0; k < count; ++k)
        out.mix(I::metal(random.range(1800, 3000), 0.25, {1.0, 1.73, 2.9, 4.6}, 0.05, seed + unsigned(k) * 3u),
                random.range(0, spread), random.range(0.4, 1.0));
    return out;
}

cSignal wind(double seconds, unsigned seed) {
    cSignal out(seconds);
    cRandom random(seed);
    cBiquad band, low;
    double brown = 0.0;
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        // Slow gusts whose periods divide the loop length (32 s), so the loop meets itself.
        double gust = 0.6 + 0.25 * std::sin(2 * PI * t / 16.0) + 0.15 * std::sin(2 * PI * t / 6.4 + 1.0);
        if (i % 64 == 0)
            band.setBandpass(300 + 500 * gust, 0.8);
        brown = 0.995 * brown + 0.05 * random.noise();
        out.at(i) = float(band.process(brown) * gust);
    }
    return out;
}

cSignal engineLoop(double seconds) {
    cSignal out(seconds + 0.5);
    cRandom random(77);
    cBiquad low, rattle;
    low.setLowpass(400, 1.2);
    rattle.setBandpass(2500, 2.0);
    const double putt = 12.0; // putts per second: 24 in the 2 s loop
    for (size_t i = 0; i < out.getFrames(); ++i) {
        double t = double(i) / RATE;
        double phase = t * putt - std::floor(t * putt);
        double pulse = std::exp(-phase / 0.18);
        double body = low.process(random.noise() * pulse + 0.6 * std::sin(2 * PI * 2 * putt * t) * pulse);
        double clatter = rattle.process(random.noise()) * (0.25 + 0.15 * std::sin(2 * PI * putt * 0.5 * t)) * 0.2;
        out.at(i) = float(body + clatter);
    }
    out.crossfadeLoop(toFrames(seconds));
    return out;
}

cSignal meadowAmbience() {
    const double seconds = 32.0;
    cSignal out = wind(seconds + 2.0, 3);
    out.scale(0.5);
    out.crossfadeLoop(toFrames(seconds));
    cRandom random(41);
    // Birds come in short phrases at irregular times; the ones near the end wrap to the start.
    for (double t = 0.7; t < seconds; t += random.range(1.8, 4.5))
        out.mix(tweet(unsigned(t * 100)), t, random.range(0.08, 0.2));
    // Now and then a bee passes.
    for (double t : {9.0, 24.5}) {
        cSignal bee(2.2);
        double phase = 0.0;
        cBiquad band;
        band.setBandpass(440, 2.0);
        for (size_t i = 0; i < bee.getFrames(); ++i) {
            double x = double(i) / double(bee.getFrames());
            phase += (215.0 + 12.0 * std::sin(2 * PI * 3.0 * x)) / RATE;
            bee.at(i) =
                float(band.process(2.0 * (phase - std::floor(phase)) - 1.0) * std::sin(PI * x) * std::sin(PI * x));
        }
        out.mix(bee, t, 0.25);
    }
    out.foldLoop(toFrames(seconds));
    return out;
}

std::vector<cSoundEntry> effects() {
    std::vector<cSoundEntry> list;
    auto add = [&](std::string file, std::vector<std::string> ids, std::string description, double loudness,
                   std::function<cSignal()> make) {
        list.push_back({std::move(file), std::move(ids), std::move(description), loudness, false, std::move(make)});
    };

    for (int n = 1; n <= 17; ++n) {
        std::vector<std::string> ids{"match" + std::to_string(n)};
        if (n == 1)
            ids.push_back("match");
        add("match" + std::to_string(n) + ".ogg", ids,
            "plucked tone, step " + std::to_string(n) + " of the pentatonic climb", SOFT,
            [n] { return matchSound(n); });
    }
    for (int n = 1; n <= 5; ++n) {
        std::vector<std::string> ids{"match_add" + std::to_string(n)};
        if (n == 1)
            ids.push_back("match_add");
        add("match_add" + std::to_string(n) + ".ogg", ids, "bright chime over the match tone", SOFT - 2,
            [n] { return matchAddSound(n); });
    }
    add("simple_match.ogg", {"simple_match"}, "two quick plucks, a third apart", SOFT, [] {
        return arpeggio({72, 76}, 0.07, 0.7, false);
    });
    add("match_67.ogg", {"match_67"}, "pluck chord rolled upwards with a chime", EFFECT, [] {
        cSignal out = arpeggio({67, 72, 76, 79}, 0.04, 0.9, false);
        out.mix(I::chime(hz(91), 1.0), 0.16, 0.5);
        return out;
    });
    add("best_match.ogg", {"best_match"}, "rising arpeggio to a chord with sparkles", EFFECT, [] {
        cSignal out = arpeggio({72, 76, 79, 84, 88}, 0.06, 1.1, false);
        out.mix(arpeggio({96, 100, 103, 108}, 0.05, 0.8, true), 0.3, 0.4);
        return out;
    });

    add("btn_hovered.ogg", {"btn_hovered"}, "soft high tick", UI - 4, [] {
        cSignal out = I::glide(2400, 2000, 0.05, 0.001, 0.012);
        out.mix(I::noiseSweep(0.015, 4000, 3000, 1.5, 0.0005, 5), 0.0, 0.4);
        return out;
    });
    add("btn_clicked.ogg", {"btn_clicked"}, "light wooden click", UI, [] {
        cSignal out = I::knock({1300, 2700}, 0.012, 8.0, 9);
        out.mix(I::glide(1100, 900, 0.06, 0.001, 0.02), 0.0, 0.5);
        return out;
    });
    add("show_frame.ogg", {"show_frame"}, "soft whoosh up into a chime", UI + 2, [] {
        cSignal out = I::noiseSweep(0.35, 400, 2600, 1.2, 0.15, 13);
        out.mix(I::chime(hz(84), 0.5), 0.22, 0.12);
        return out;
    });
    add("hide_frame.ogg", {"hide_frame"}, "soft whoosh down", UI + 2,
        [] { return I::noiseSweep(0.3, 2400, 380, 1.2, 0.05, 17); });

    add("object_crash.ogg", {"object_crash"}, "a piece pops: quick pitch drop, puff and sparkle", SOFT, [] {
        cSignal out = I::glide(900, 260, 0.12, 0.001, 0.04);
        out.mix(I::noiseSweep(0.12, 2500, 700, 1.0, 0.002, 21), 0.0, 0.5);
        out.mix(I::chime(hz(96), 0.3), 0.02, 0.12);
        return out;
    });
    // The board picks one of a few takes of each crash at random, so a cascade does not repeat one
    // sample; the first take of each also answers to the plain id.
    const std::array<double, 3> woodBody{1.0, 0.82, 1.18};
    for (int n = 1; n <= 3; ++n) {
        std::vector<std::string> ids{"wood_cell_crash" + std::to_string(n)};
        if (n == 1)
            ids.insert(ids.begin(), "wood_cell_crash");
        add(n == 1 ? "wood_cell_crash.ogg" : "wood_cell_crash" + std::to_string(n) + ".ogg", ids,
            n == 1 ? "short wooden knock with splinters"
                   : "short wooden knock with splinters, take " + std::to_string(n) + " (other plank)",
            EFFECT, [n, k = woodBody[size_t(n - 1)]] {
                const unsigned s = 25u + 100u * unsigned(n - 1);
                cSignal out = I::knock({210 * k, 470 * k, 980 * k}, 0.06, 6.0, s);
                out.mix(I::noiseSweep(0.18, 3500, 1200, 0.8, 0.001, s + 2), 0.01, 0.35);
                out.mix(I::knock({1500 * k, 2400 * k}, 0.015, 6.0, s + 4), 0.06, 0.4);
                out.mix(I::knock({1250 * k, 2100 * k}, 0.015, 6.0, s + 6), 0.1, 0.3);
                return out;
            });
    }
    const std::array<double, 2> ironBase{420, 505};
    for (int n = 1; n <= 2; ++n) {
        std::vector<std::string> ids{"iron_cell_crash" + std::to_string(n)};
        if (n == 1)
            ids.insert(ids.begin(), "iron_cell_crash");
        add(n == 1 ? "iron_cell_crash.ogg" : "iron_cell_crash" + std::to_string(n) + ".ogg", ids,
            n == 1 ? "metallic clang ringing from inharmonic partials"
                   : "metallic clang ringing from inharmonic partials, take 2 (smaller plate)",
            EFFECT, [n, f = ironBase[size_t(n - 1)]] {
                const unsigned s = 33u + 100u * unsigned(n - 1);
                cSignal out = I::metal(f, 1.3, {1.0, 2.32, 3.87, 5.43, 6.81, 8.9}, 0.35, s);
                out.mix(I::knock({180 * f / 420, 320 * f / 420}, 0.04, 4.0, s + 2), 0.0, 0.6);
                return out;
            });
    }
    for (int n = 1; n <= 3; ++n) {
        std::vector<std::string> ids{"chain_crash" + std::to_string(n)};
        if (n == 1)
            ids.insert(ids.begin(), "chain_crash");
        add(n == 1 ? "chain_crash.ogg" : "chain_crash" + std::to_string(n) + ".ogg", ids,
            n == 1 ? "a chain falls apart: jingling links"
                   : "a chain falls apart: jingling links, take " + std::to_string(n),
            EFFECT, [n] { return clinks(14 - 2 * (n - 1), 0.45, 37u + 100u * unsigned(n - 1)); });
    }
    add("bomb_explosion.ogg", {"bomb_explosion"}, "low thump with a rush of noise", EFFECT, [] {
        cSignal out = I::glide(110, 38, 0.6, 0.002, 0.2);
        cSignal rush = lowpass(I::noiseSweep(1.1, 1800, 120, 0.5, 0.004, 39), 2200);
        out.mix(rush, 0.0, 0.9);
        cSignal crackle = clinks(6, 0.4, 41);
        out.mix(crackle, 0.05, 0.06);
        return out;
    });
    add("lightning_bonus.ogg", {"lightning_bonus"}, "fast bright sweep with sizzle", EFFECT, [] {
        cSignal out = I::glide(500, 4200, 0.22, 0.003, 0.2);
        out.mix(I::noiseSweep(0.5, 6000, 2500, 1.5, 0.003, 43), 0.0, 0.8);
        out.mix(arpeggio({103, 100, 96, 91}, 0.04, 0.5, true), 0.15, 0.35);
        return out;
    });
    add("object_fall.ogg", {"object_fall"}, "a piece lands: small soft tap", UI + 1, [] {
        cSignal out = I::marimba(hz(55), 0.12);
        out.mix(I::knock({600, 1300}, 0.01, 5.0, 45), 0.0, 0.3);
        return out;
    });
    add("object_fall_new_level.ogg", {"object_fall_new_level"}, "a cascade of taps rising as the board fills", SOFT,
        [] {
            cSignal out;
            for (int k = 0; k < 14; ++k)
                out.mix(I::marimba(hz(matchNote(k % 10)), 0.2), k * 0.075, 0.6 + 0.03 * k);
            return out;
        });
    add("object_fall_end_level.ogg", {"object_fall_end_level"}, "a cascade of taps falling as the board empties", SOFT,
        [] {
            cSignal out;
            for (int k = 0; k < 14; ++k)
                out.mix(I::marimba(hz(matchNote(12 - k % 10)), 0.2), k * 0.075, 1.0 - 0.03 * k);
            return out;
        });
    add("part_fall.ogg", {"part_fall"}, "a building part lands: thump and dust", SOFT, [] {
        cSignal out = thud(90, 0.4, 47);
        out.mix(I::knock({240, 520}, 0.05, 5.0, 49), 0.0, 0.5);
        return out;
    });
    add("field_appear.ogg", {"field_appear"}, "rising shimmer as the board appears", SOFT, [] {
        cSignal out = arpeggio({72, 74, 76, 79, 81, 84, 86, 88, 91}, 0.07, 0.8, true);
        out.mix(I::noiseSweep(0.9, 800, 6000, 2.0, 0.4, 51), 0.0, 0.2);
        return out;
    });
    add("trigger_effect.ogg", {"trigger_effect"}, "magic pop rising into a chime", EFFECT, [] {
        cSignal out = I::glide(300, 1400, 0.25, 0.005, 0.12);
        out.mix(arpeggio({91, 96}, 0.08, 0.6, true), 0.12, 0.5);
        return out;
    });
    add("mix_effect.ogg", {"mix_effect"}, "rainbow glissando of chimes up and down", EFFECT, [] {
        const std::vector<int> notes{72, 74, 76, 79, 81, 84, 86, 88, 91, 88, 84, 79};
        return arpeggio(notes, 0.05, 0.7, true);
    });
    // One per line of the results view, each a pentatonic step higher than the one before.
    for (int n = 1; n <= 4; ++n) {
        std::vector<std::string> ids{"line" + std::to_string(n)};
        if (n == 1)
            ids.insert(ids.begin(), "line");
        add(n == 1 ? "line.ogg" : "line" + std::to_string(n) + ".ogg", ids,
            n == 1
                ? "swish and a quick rising run"
                : "swish and a quick rising run, " + std::to_string(n - 1) + " step" + (n > 2 ? "s" : "") + " higher",
            SOFT, [n] {
                static const std::array<std::vector<int>, 4> runs{
                    std::vector<int>{76, 79, 81, 84, 88}, std::vector<int>{79, 81, 84, 88, 91},
                    std::vector<int>{81, 84, 88, 91, 93}, std::vector<int>{84, 88, 91, 93, 96}};
                cSignal out = I::noiseSweep(0.3, 900, 4500, 1.5, 0.05, 53u + 100u * unsigned(n - 1));
                out.mix(arpeggio(runs[size_t(n - 1)], 0.045, 0.6, false), 0.05, 0.8);
                return out;
            });
    }
    add("gold_down.ogg", {"gold_down"}, "a bag of coins lands: jingle and thud", EFFECT, [] {
        cSignal out = coins(12, 0.35, 55);
        out.mix(thud(120, 0.25, 57), 0.0, 0.5);
        return out;
    });
    add("truck_down.ogg", {"truck_down"}, "the toy truck lands: thud, spring and a beep", EFFECT, [] {
        cSignal out = thud(100, 0.3, 59);
        out.mix(I::glide(300, 620, 0.25, 0.002, 0.2), 0.05, 0.25);
        out.mix(I::horn(hz(79), 0.12), 0.3, 0.4);
        return out;
    });
    add("bear_fall1.ogg", {"bear_fall1"}, "slide whistle down and a plush bump", EFFECT, [] {
        cSignal out = I::glide(1400, 420, 0.55, 0.03, 1.0);
        out.scale(0.5);
        out.mix(thud(140, 0.25, 61), 0.55, 0.9);
        return out;
    });
    add("bear_fall2.ogg", {"bear_fall2"}, "slide whistle down and two plush bounces", EFFECT, [] {
        cSignal out = I::glide(1100, 330, 0.6, 0.03, 1.0);
        out.scale(0.5);
        out.mix(thud(120, 0.25, 63), 0.6, 0.9);
        out.mix(thud(150, 0.18, 65), 0.82, 0.45);
        return out;
    });

    add("fanfare_bonus.ogg", {"fanfare_bonus"}, "short fanfare: G C E to a held C chord", EFFECT, [] {
        return fanfare({{0, 0.5, 67}, {0.5, 0.5, 72}, {1, 0.5, 76}, {1.5, 2, 79}, {1.5, 2, 72}, {1.5, 2, 76}}, 150,
                       true);
    });
    add("award_given.ogg", {"award_given"}, "fanfare with triplet call and sparkle", EFFECT, [] {
        return fanfare({{0, 0.33, 72},
                        {0.33, 0.33, 72},
                        {0.67, 0.33, 72},
                        {1, 1, 79},
                        {2, 0.5, 76},
                        {2.5, 0.5, 79},
                        {3, 2.5, 84},
                        {3, 2.5, 76},
                        {3, 2.5, 79}},
                       132, true);
    });
    add("on_achievements.ogg", {"on_achievements"}, "chime arpeggio over a brass chord", EFFECT, [] {
        cSignal out = fanfare({{0, 2, 67}, {0, 2, 72}, {0, 2, 76}}, 120, false);
        out.mix(arpeggio({84, 88, 91, 96}, 0.09, 1.0, true), 0.0, 0.5);
        return out;
    });
    add("loading_finished.ogg", {"loading_finished"}, "soft chime chord C E G C", SOFT, [] {
        cSignal out = arpeggio({72, 76, 79, 84}, 0.03, 1.4, true);
        out.mix(I::pad(hz(60), 1.2, 3), 0.0, 0.25);
        return out;
    });
    add("buy_unit.ogg", {"buy_unit"}, "coins and a two-note pluck of success", EFFECT, [] {
        cSignal out = coins(6, 0.15, 67);
        out.mix(arpeggio({79, 84}, 0.1, 0.9, false), 0.1, 1.2);
        return out;
    });
    add("no_moves.ogg", {"no_moves"}, "gentle falling two-note marimba 'uh-oh'", SOFT, [] {
        cSignal out = I::marimba(hz(76), 0.5);
        out.mix(I::marimba(hz(72), 0.8), 0.22, 1.0);
        out.mix(I::marimba(hz(64), 0.8), 0.22, 0.5);
        return out;
    });

    add("vehicle.ogg", {"vehicle"}, "friendly double horn toot", EFFECT, [] {
        cSignal out = I::horn(hz(76), 0.16);
        out.mix(I::horn(hz(72), 0.16), 0.0, 0.7);
        out.mix(I::horn(hz(76), 0.28), 0.22, 1.0);
        out.mix(I::horn(hz(72), 0.28), 0.22, 0.7);
        return out;
    });
    add("vehicle_arrived.ogg", {"vehicle_arrived"}, "brake hiss, a toot and a bell", EFFECT, [] {
        cSignal out = I::noiseSweep(0.3, 5000, 3000, 1.0, 0.02, 69);
        out.scale(0.3);
        out.mix(I::horn(hz(79), 0.2), 0.25, 1.0);
        out.mix(I::chime(hz(84), 0.9), 0.5, 0.5);
        return out;
    });

    add("chicken_voice.ogg", {"chicken_voice"}, "bok, bok, ba-gawk", EFFECT, [] {
        cSignal out = cluck(420, 0.08, 71);
        out.mix(cluck(440, 0.08, 73), 0.17, 1.0);
        out.mix(cluck(460, 0.07, 75), 0.34, 0.8);
        out.mix(cluck(560, 0.3, 77), 0.45, 1.0);
        return out;
    });
    add("chicken_effect.ogg", {"chicken_effect"}, "a startled hen: wing flaps and clucks", EFFECT, [] {
        cSignal out;
        for (int k = 0; k < 5; ++k)
            out.mix(I::noiseSweep(0.07, 1600, 700, 0.7, 0.01, 79u + unsigned(k)), k * 0.08, 0.5);
        out.mix(cluck(520, 0.09, 85), 0.05, 1.0);
        out.mix(cluck(600, 0.25, 87), 0.25, 1.0);
        return out;
    });
    add("cow_voice.ogg", {"cow_voice"}, "a long friendly moo", EFFECT, [] { return moo(115, 1.3, 89); });
    add("cow_effect.ogg", {"cow_effect"}, "cowbell and a short moo", EFFECT, [] {
        cSignal out = I::metal(560, 0.6, {1.0, 1.48, 2.3}, 0.15, 91);
        out.scale(0.5);
        out.mix(moo(125, 0.8, 93), 0.2, 1.0);
        return out;
    });
    add("cow_butted.ogg", {"cow_butted"}, "a soft bump and an indignant moo", EFFECT, [] {
        cSignal out = thud(110, 0.25, 95);
        out.mix(moo(140, 0.5, 97), 0.12, 1.0);
        return out;
    });
    add("goat_voice.ogg", {"goat_voice"}, "bright quavering meh-eh-eh", EFFECT,
        [] { return bleat(330, 0.75, 9.0, 1.2, 'e', 99); });
    add("sheep_voice.ogg", {"sheep_voice"}, "soft baa with a slow wobble", EFFECT,
        [] { return bleat(230, 0.9, 6.0, 1.0, 'a', 101); });
    add("bird_voice.ogg", {"bird_voice"}, "a short chirping phrase", SOFT, [] { return tweet(103); });
    add("cat_effect.ogg", {"cat_effect"}, "a quick meow with a sparkle", EFFECT, [] {
        cSignal out = meow(520, 0.45, 0.35, 105);
        out.mix(I::chime(hz(96), 0.4), 0.35, 0.15);
        return out;
    });
    add("cat_voice0.ogg", {"cat_voice", "cat_voice0"}, "meow, middle pitch", EFFECT,
        [] { return meow(480, 0.6, 0.4, 107); });
    add("cat_voice1.ogg", {"cat_voice1"}, "a kitten's high mew", EFFECT, [] { return meow(700, 0.4, 0.3, 109); });
    add("cat_voice2.ogg", {"cat_voice2"}, "a big cat's low mrrow", EFFECT, [] { return meow(360, 0.8, 0.5, 111); });
    add("dog_voice0.ogg", {"dog_voice", "dog_voice0"}, "two friendly woofs", EFFECT, [] {
        cSignal out = woof(230, 0.2, 1.0, 113);
        out.mix(woof(250, 0.22, 1.0, 115), 0.3, 1.0);
        return out;
    });
    add("dog_voice1.ogg", {"dog_voice1"}, "a small dog's yips", EFFECT, [] {
        cSignal out = woof(420, 0.12, 0.7, 117);
        out.mix(woof(450, 0.12, 0.7, 119), 0.18, 1.0);
        out.mix(woof(430, 0.14, 0.7, 121), 0.36, 0.9);
        return out;
    });
    add("dog_voice2.ogg", {"dog_voice2"}, "a big dog's deep woof", EFFECT, [] { return woof(140, 0.35, 1.4, 123); });
    return list;
}

} // namespace

std::vector<cSoundEntry> cSoundBank::all() {
    std::vector<cSoundEntry> list = effects();
    list.push_back({"main_menu_music.ogg",
                    {"main_menu_music"},
                    "menu music: calm marimba tune, 100 bpm, 32 bars",
                    MUSIC,
                    true,
                    [] { return cMusic::menu(); }});
    list.push_back({"game_music.ogg",
                    {"game_music"},
                    "map music: plucked tune with bass and percussion, 108 bpm, 32 bars",
                    MUSIC,
                    true,
                    [] { return cMusic::game(); }});
    list.push_back(
        {"preloader_ambient.ogg", {"preloader_ambient"}, "meadow bed: wind, birds, a passing bee", BED, true, [] {
             return meadowAmbience();
         }});
    list.push_back({"vehicle_move.ogg", {"vehicle_move"}, "the little truck's engine putter", SOFT - 3, true, [] {
                        return engineLoop(2.0);
                    }});
    return list;
}

} // namespace Synth
