#pragma once

// Writes a signal as an Ogg Vorbis file through libvorbisenc (variable bit rate).

#include "tools/synth/Signal.h"

#include <string>

namespace Synth {

class cOggWriter {
public:
    // Quality from -0.1 (smallest) to 1.0; throws std::runtime_error when the file cannot be
    // written or the encoder refuses the settings.
    static void write(const cSignal& signal, const std::string& path, double quality);
};

} // namespace Synth
