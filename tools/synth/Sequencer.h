#pragma once

// A simple sequencer: tracks of notes placed on beats, each track an instrument with its gain
// and place in the stereo field, rendered into a loop of whole bars.

#include "tools/synth/Signal.h"

#include <functional>
#include <vector>

namespace Synth {

class cSequencer {
public:
    // Renders one note: frequency (Hz; 0 for unpitched hits), length in seconds, a seed.
    using tInstrument = std::function<cSignal(double frequency, double seconds, unsigned seed)>;

    cSequencer(double beatsPerMinute, int beatsPerBar) : m_bpm(beatsPerMinute), m_beatsPerBar(beatsPerBar) {}

    double getSecondsPerBeat() const { return 60.0 / m_bpm; }
    int getBeatsPerBar() const { return m_beatsPerBar; }
    // tail: how long a note may ring past its written length.
    int addTrack(tInstrument instrument, double gain, double pan, double tail);
    // A pitched note (MIDI number) or, with midi 0, an unpitched hit.
    void note(int track, double beat, double beats, double midi, double velocity = 1.0);

    // Stereo, exactly the given bars long; notes ringing past the end continue at the start.
    cSignal render(int bars) const;

private:
    struct cTrack {
        tInstrument instrument;
        double gain, pan, tail;
    };
    struct cNote {
        int track;
        double beat, beats, midi, velocity;
    };
    double m_bpm;
    int m_beatsPerBar;
    std::vector<cTrack> m_tracks;
    std::vector<cNote> m_notes;
};

} // namespace Synth
