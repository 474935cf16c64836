#pragma once

// The ripples on the map's pond: two kinds of looping wave, each a run of separate small frames
// that the map's picture sequences step through. They sit beside the atlases, so drawing them
// again rewrites only these files.

namespace MapWaves {

constexpr const char* FOLDER = "Meadow/Images/Waves/";
constexpr int FRAMES = 8;
// Frame sizes in base pixels.
constexpr int RING_W = 48;
constexpr int RING_H = 20;
constexpr int CREST_W = 44;
constexpr int CREST_H = 14;

void generate();

} // namespace MapWaves
