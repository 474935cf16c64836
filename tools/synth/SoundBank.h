#pragma once

// Every sound of the game: the file it is written to, the ids "GameSounds.xml" gives it, what it
// is, how loud it is meant to sit, and the recipe that makes it.

#include "tools/synth/Signal.h"

#include <functional>
#include <string>
#include <vector>

namespace Synth {

struct cSoundEntry {
    std::string file;             // under "Meadow/Sounds/"
    std::vector<std::string> ids; // every id of the game's sound table that plays this file
    std::string description;
    double loudness; // target in LUFS
    bool loop;       // played looped: must repeat without a seam
    std::function<cSignal()> make;
};

class cSoundBank {
public:
    static std::vector<cSoundEntry> all();
};

} // namespace Synth
