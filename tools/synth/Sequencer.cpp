#include "tools/synth/Sequencer.h"

#include "tools/synth/Instruments.h"

namespace Synth {

int cSequencer::addTrack(tInstrument instrument, double gain, double pan, double tail) {
    m_tracks.push_back({std::move(instrument), gain, pan, tail});
    return int(m_tracks.size()) - 1;
}

void cSequencer::note(int track, double beat, double beats, double midi, double velocity) {
    m_notes.push_back({track, beat, beats, midi, velocity});
}

cSignal cSequencer::render(int bars) const {
    double spb = getSecondsPerBeat();
    size_t loopFrames = toFrames(bars * m_beatsPerBar * spb);
    cSignal out(loopFrames, 2);
    unsigned seed = 1;
    for (const cNote& n : m_notes) {
        const cTrack& track = m_tracks[size_t(n.track)];
        double frequency = n.midi > 0 ? cInstruments::midiToHz(n.midi) : 0.0;
        cSignal sound = track.instrument(frequency, n.beats * spb + track.tail, seed++);
        out.mix(sound, n.beat * spb, track.gain * n.velocity, track.pan);
    }
    out.foldLoop(loopFrames);
    return out;
}

} // namespace Synth
