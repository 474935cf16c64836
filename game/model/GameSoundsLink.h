#pragma once

// The game's sound table, played by id through the effects group.

#include <string>

class IGameSounds {
public:
    virtual ~IGameSounds() = default;

    virtual void play(const std::string& id) = 0;
    // Plays only when the sound is not cooling down, then cools it down for minimum plus a
    // random part of spread seconds.
    virtual void playSingle(const std::string& id, float minimum, float spread) = 0;
};
