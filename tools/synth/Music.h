#pragma once

// The game's two pieces of music, composed here in C major pentatonic: a melody over bass,
// chords on a soft pad and light percussion, each a loop of 32 whole bars.

#include "tools/synth/Signal.h"

namespace Synth {

class cMusic {
public:
    // Calm, 100 beats per minute: marimba melody, pad, quarter-note arpeggios.
    static cSignal menu();
    // Livelier, 108 beats per minute: plucked melody, bouncing bass, off-beat chords, percussion.
    static cSignal game();
};

} // namespace Synth
