#include "tools/synth/Music.h"

#include "tools/synth/Instruments.h"
#include "tools/synth/Sequencer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace Synth {

namespace {

struct cChord {
    int root;               // MIDI note of the bass root (octave 2)
    std::vector<int> tones; // pitch classes of the chord
};

const cChord C{36, {0, 4, 7}}, G{43, {7, 11, 2}}, Am{45, {9, 0, 4}}, F{41, {5, 9, 0}}, Em{40, {4, 7, 11}},
    Dm{38, {2, 5, 9}};

struct cBeatNote {
    double beat, beats;
    int midi;
};

// The pentatonic notes (C D E G A) between two MIDI numbers.
std::vector<int> pentatonic(int low, int high) {
    std::vector<int> notes;
    for (int m = low; m <= high; ++m) {
        int pc = m % 12;
        if (pc == 0 || pc == 2 || pc == 4 || pc == 7 || pc == 9)
            notes.push_back(m);
    }
    return notes;
}

bool isChordTone(int midi, const cChord& chord) {
    return std::find(chord.tones.begin(), chord.tones.end(), midi % 12) != chord.tones.end();
}

// One phrase of melody over the given bars: rhythms from the pattern list, pitches walking the
// pentatonic scale by small steps, landing on chord tones on strong beats; bars 5-6 repeat
// bars 1-2 when their chords match, and the last bar holds a chord tone.
std::vector<cBeatNote> phrase(const std::vector<cChord>& chords, const std::vector<std::vector<double>>& rhythms,
                              const std::vector<double>& cadence, int low, int high, unsigned seed) {
    cRandom random(seed);
    std::vector<int> scale = pentatonic(low, high);
    int index = int(scale.size()) / 2;
    std::vector<cBeatNote> notes;
    int rhythmIndex = 0;
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        if ((bar == 4 || bar == 5) && chords[bar].root == chords[bar - 4].root) {
            std::vector<cBeatNote> again;
            for (const cBeatNote& n : notes)
                if (n.beat >= double(bar - 4) * 4 && n.beat < double(bar - 3) * 4)
                    again.push_back({n.beat + 16, n.beats, n.midi});
            notes.insert(notes.end(), again.begin(), again.end());
            continue;
        }
        // A rhythm holds for two bars, the shape of a motif.
        if (bar % 2 == 0)
            rhythmIndex = random.below(int(rhythms.size()));
        const std::vector<double>& rhythm = bar + 1 == chords.size() ? cadence : rhythms[size_t(rhythmIndex)];
        for (size_t k = 0; k + 1 < rhythm.size(); k += 2) {
            double onset = rhythm[k], length = rhythm[k + 1];
            bool strong = onset == 0.0 || onset == 2.0;
            int step = random.below(4) == 0 ? 2 : 1;
            // Lean back towards the middle of the range.
            int direction = random.uniform() < 0.5 + 0.06 * (double(scale.size()) / 2 - index) ? 1 : -1;
            int next = std::clamp(index + direction * step, 0, int(scale.size()) - 1);
            if (strong || bar + 1 == chords.size()) {
                // The nearest chord tone to where the walk was going, not the note just played.
                int best = next, bestDistance = 100;
                for (int c = std::max(0, index - 3); c <= std::min(int(scale.size()) - 1, index + 3); ++c) {
                    int distance = 2 * std::abs(c - next) + (c == index ? 3 : 0);
                    if (isChordTone(scale[size_t(c)], chords[bar]) && distance < bestDistance) {
                        best = c;
                        bestDistance = distance;
                    }
                }
                next = best;
            }
            index = next;
            notes.push_back({double(bar) * 4 + onset, length, scale[size_t(index)]});
        }
    }
    return notes;
}

std::vector<int> voicing(const cChord& chord, int low) {
    std::vector<int> notes;
    for (int m = low; notes.size() < 3; ++m)
        if (isChordTone(m, chord))
            notes.push_back(m);
    return notes;
}

cSequencer::tInstrument plucked(double brightness) {
    return
        [brightness](double f, double s, unsigned seed) { return cInstruments::pluck(f, s, brightness, seed * 7919u); };
}

} // namespace

cSignal cMusic::menu() {
    const std::vector<cChord> a{C, Em, F, C, Am, F, G, G}, b{F, G, Em, Am, F, G, C, G};
    std::vector<cChord> bars;
    for (const auto* section : {&a, &a, &b, &a})
        bars.insert(bars.end(), section->begin(), section->end());

    cSequencer seq(100, 4);
    int lead = seq.addTrack([](double f, double s, unsigned) { return cInstruments::marimba(f, s); }, 0.55, 0.15, 1.2);
    int echo = seq.addTrack(plucked(0.3), 0.22, -0.35, 1.5);
    int arp = seq.addTrack([](double f, double s, unsigned) { return cInstruments::marimba(f, s); }, 0.16, -0.25, 0.8);
    int padL =
        seq.addTrack([](double f, double s, unsigned seed) { return cInstruments::pad(f, s, seed); }, 0.16, -0.6, 0.6);
    int padR = seq.addTrack([](double f, double s, unsigned seed) { return cInstruments::pad(f, s, seed + 99); }, 0.16,
                            0.6, 0.6);
    int bass = seq.addTrack([](double f, double s, unsigned) { return cInstruments::bass(f, s); }, 0.5, 0.0, 0.2);
    int shaker = seq.addTrack([](double, double, unsigned seed) { return cInstruments::shaker(seed); }, 0.09, 0.4, 0.0);
    int kick = seq.addTrack([](double, double, unsigned) { return cInstruments::kick(); }, 0.3, 0.0, 0.0);

    const std::vector<std::vector<double>> rhythms{
        {0, 1.5, 1.5, 0.5, 2, 2}, {0, 2, 2, 2}, {0, 1, 1, 1, 2, 2}, {0, 3, 3, 1}, {0, 1, 1, 0.5, 1.5, 0.5, 2, 2}};
    std::vector<cBeatNote> melodyA = phrase(a, rhythms, {0, 4}, 64, 81, 11);
    std::vector<cBeatNote> melodyB = phrase(b, rhythms, {0, 2, 2, 2}, 64, 81, 23);
    for (int section = 0; section < 4; ++section) {
        const std::vector<cBeatNote>& melody = section == 2 ? melodyB : melodyA;
        double offset = section * 32.0;
        for (const cBeatNote& n : melody) {
            seq.note(lead, offset + n.beat, n.beats, n.midi, 0.9);
            // The second time round a soft pluck answers the melody an octave up, half a beat late.
            if (section == 1 || section == 3)
                seq.note(echo, offset + n.beat + 0.5, n.beats, n.midi + 12, 0.7);
        }
    }
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        double start = double(bar) * 4;
        std::vector<int> chord = voicing(bars[bar], 55);
        for (size_t k = 0; k < chord.size(); ++k)
            seq.note(k % 2 ? padR : padL, start, 4, chord[k]);
        seq.note(bass, start, 2, bars[bar].root);
        seq.note(bass, start + 2, 2, bars[bar].root + 7, 0.8);
        for (int q = 0; q < 4; ++q)
            seq.note(arp, start + q, 1, chord[size_t(q == 3 ? 1 : q)] + 12, q == 0 ? 0.8 : 0.6);
        seq.note(shaker, start + 1.5, 0.5, 0, 0.8);
        seq.note(shaker, start + 3.5, 0.5, 0, 0.8);
        seq.note(kick, start, 1, 0, 0.7);
    }
    return seq.render(int(bars.size()));
}

cSignal cMusic::game() {
    const std::vector<cChord> a{C, G, Am, F, C, G, F, G}, b{Am, F, C, G, Am, Dm, G, G};
    std::vector<cChord> bars;
    for (const auto* section : {&a, &a, &b, &a})
        bars.insert(bars.end(), section->begin(), section->end());

    cSequencer seq(108, 4);
    int lead = seq.addTrack(plucked(0.75), 0.5, 0.15, 0.8);
    int double_ =
        seq.addTrack([](double f, double s, unsigned) { return cInstruments::marimba(f, s); }, 0.3, -0.2, 0.8);
    int comp = seq.addTrack(plucked(0.45), 0.13, -0.45, 0.25);
    int padL =
        seq.addTrack([](double f, double s, unsigned seed) { return cInstruments::pad(f, s, seed); }, 0.1, -0.6, 0.5);
    int padR = seq.addTrack([](double f, double s, unsigned seed) { return cInstruments::pad(f, s, seed + 99); }, 0.1,
                            0.6, 0.5);
    int bass = seq.addTrack([](double f, double s, unsigned) { return cInstruments::bass(f, s); }, 0.5, 0.0, 0.1);
    int kick = seq.addTrack([](double, double, unsigned) { return cInstruments::kick(); }, 0.45, 0.0, 0.0);
    int snap = seq.addTrack([](double, double, unsigned seed) { return cInstruments::snap(seed); }, 0.12, -0.2, 0.0);
    int shaker = seq.addTrack([](double, double, unsigned seed) { return cInstruments::shaker(seed); }, 0.1, 0.4, 0.0);

    const std::vector<std::vector<double>> rhythms{{0, 1, 1, 0.5, 1.5, 0.5, 2, 1, 3, 1},
                                                   {0, 0.5, 0.5, 0.5, 1, 1, 2, 0.5, 2.5, 1.5},
                                                   {0, 1.5, 1.5, 0.5, 2, 2},
                                                   {0, 0.5, 0.5, 0.5, 1, 0.5, 1.5, 0.5, 2, 1, 3, 0.5, 3.5, 0.5}};
    std::vector<cBeatNote> melodyA = phrase(a, rhythms, {0, 1, 1, 1, 2, 2}, 67, 84, 5);
    std::vector<cBeatNote> melodyB = phrase(b, rhythms, {0, 1.5, 1.5, 0.5, 2, 2}, 64, 81, 17);
    for (int section = 0; section < 4; ++section) {
        const std::vector<cBeatNote>& melody = section == 2 ? melodyB : melodyA;
        double offset = section * 32.0;
        for (const cBeatNote& n : melody) {
            if (section == 2) {
                seq.note(double_, offset + n.beat, n.beats, n.midi, 1.0);
                seq.note(lead, offset + n.beat, n.beats, n.midi - 12, 0.5);
            } else {
                seq.note(lead, offset + n.beat, n.beats, n.midi, 1.0);
                if (section == 1)
                    seq.note(double_, offset + n.beat, n.beats, n.midi - 12, 0.6);
            }
        }
    }
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        double start = double(bar) * 4;
        std::vector<int> chord = voicing(bars[bar], 55);
        for (size_t k = 0; k < chord.size(); ++k) {
            seq.note(k % 2 ? padR : padL, start, 4, chord[k]);
            seq.note(comp, start + 1.5, 0.4, chord[k] + 12, 0.8);
            seq.note(comp, start + 3.5, 0.4, chord[k] + 12, 0.8);
        }
        const int root = bars[bar].root;
        const double bassLine[][3] = {{0, 1, 0}, {1.5, 0.5, 0}, {2, 1, 7}, {3, 0.5, 12}, {3.5, 0.5, 7}};
        for (const auto& b : bassLine)
            seq.note(bass, start + b[0], b[1], root + int(b[2]), b[0] == 0 ? 1.0 : 0.75);
        seq.note(kick, start, 1, 0, 1.0);
        seq.note(kick, start + 2, 1, 0, 0.8);
        seq.note(snap, start + 1, 1, 0, 1.0);
        seq.note(snap, start + 3, 1, 0, 1.0);
        for (int e = 0; e < 8; ++e)
            seq.note(shaker, start + e * 0.5, 0.5, 0, e % 2 ? 1.0 : 0.55);
    }
    return seq.render(int(bars.size()));
}

} // namespace Synth
