#pragma once

// The synthesiser's instruments: each renders one mono note or noise event, starting at once and
// decaying to silence within the length asked for.

#include "tools/synth/Signal.h"

#include <cmath>
#include <functional>
#include <vector>

namespace Synth {

// One formant of a vowel: centre frequency (Hz), bandwidth (Hz) and gain.
struct cFormant {
    double frequency;
    double bandwidth;
    double gain;
};
using tVowel = std::vector<cFormant>;

// A stylised voice: a glottal pulse through vowel formants, every curve given over the time t
// in seconds from the start.
struct cVoiceShape {
    double seconds = 0.5;
    std::function<double(double)> pitch;     // Hz
    std::function<double(double)> amplitude; // 0..1
    std::function<double(double)> vowelMix;  // 0 = first vowel, 1 = second, 2 = third
    std::vector<tVowel> vowels;
    double formantScale = 1.0; // small animals have short throats: every formant higher
    double breath = 0.1;       // noise mixed into the source
    double vibratoDepth = 0.0; // fraction of the pitch
    double vibratoRate = 5.0;
    unsigned seed = 1;
};

class cInstruments {
public:
    static double midiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }
    // Linear attack, exponential-looking decay to the sustain level, linear release at the end.
    static double adsr(double t, double attack, double decay, double sustain, double release, double length);

    // A plucked string (Karplus-Strong); brightness 0..1 sets how long the overtones ring.
    static cSignal pluck(double frequency, double seconds, double brightness, unsigned seed);
    // A wooden bar struck with a soft mallet.
    static cSignal marimba(double frequency, double seconds);
    // A small bright bell: a few near-harmonic partials, the upper ones dying first.
    static cSignal chime(double frequency, double seconds);
    // A struck metal body: inharmonic partials (ratios of the base frequency) with a strike noise.
    static cSignal metal(double frequency, double seconds, const std::vector<double>& ratios, double decay,
                         unsigned seed);
    // A soft sustained pad note: detuned saws through a gentle low-pass, slow attack and release.
    static cSignal pad(double frequency, double seconds, unsigned seed);
    // A round bass note with a short pluck at the start.
    static cSignal bass(double frequency, double seconds);
    // A friendly brass-like note for fanfares: saw and pulse with an opening filter.
    static cSignal brass(double frequency, double seconds);
    // A horn: two detuned pulse waves, nasal band-pass, for the vehicle.
    static cSignal horn(double frequency, double seconds);
    // Percussion: a soft kick, a shaker and a finger snap.
    static cSignal kick(double gain = 1.0);
    static cSignal shaker(unsigned seed);
    static cSignal snap(unsigned seed);
    // Noise through a band-pass that moves from one centre to another, with an envelope.
    static cSignal noiseSweep(double seconds, double fromHz, double toHz, double q, double attack, unsigned seed);
    // A knock on a resonant body: noise burst exciting a few band-pass modes.
    static cSignal knock(const std::vector<double>& modes, double decay, double q, unsigned seed);
    // A sine whose pitch glides exponentially from one frequency to another.
    static cSignal glide(double fromHz, double toHz, double seconds, double attack, double decay);
    // A bird's chirp: a fast sine sweep with a trill.
    static cSignal chirp(double fromHz, double toHz, double seconds, double trillHz, double trillDepth);
    static cSignal voice(const cVoiceShape& shape);

    // Standard vowels of an adult throat, scaled by cVoiceShape::formantScale.
    static tVowel vowel(char name);
};

} // namespace Synth
