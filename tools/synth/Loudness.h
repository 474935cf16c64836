#pragma once

// Integrated loudness in LUFS (K-weighted, gated 400 ms blocks as broadcast meters measure it),
// used to balance the sounds against each other before encoding.

#include "tools/synth/Signal.h"

namespace Synth {

class cLoudness {
public:
    // Sounds shorter than one block are measured as one block over their whole length.
    static double measure(const cSignal& signal);
    // Scales the signal to the loudness target. When its peak would then pass the ceiling (dBFS),
    // a look-ahead limiter first takes up to maxReductionDb off the sharpest peaks, then the
    // signal is scaled down to the ceiling. Returns the loudness reached.
    static double normalise(cSignal& signal, double targetLufs, double ceilingDb, double maxReductionDb = 10.0);
    // Look-ahead peak limiter: no sample passes the threshold (linear), the gain moving smoothly.
    static void limit(cSignal& signal, double threshold);
};

} // namespace Synth
