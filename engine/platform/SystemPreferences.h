#pragma once

// Settings the player made for the whole desktop rather than for the game.

#include <string>

namespace Platform {

class ISystemPreferences {
public:
    virtual ~ISystemPreferences() = default;
    // The "SwapMouseButtons" value as text; false when it is not set.
    virtual bool readSwapMouseButtons(std::string& value) = 0;
};

// The preferences in use: the environment (MEADOW_SWAP_MOUSE_BUTTONS) unless a test installed others.
ISystemPreferences& getSystemPreferences();
// Installs preferences (nullptr restores the environment's). The caller keeps ownership.
void setSystemPreferences(ISystemPreferences* preferences);

} // namespace Platform
