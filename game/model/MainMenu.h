#pragma once

// What the controller reads of the main menu (its two play-time counters for the awards), and
// the game's quitting flag. The shell registers the menu while it exists.

class IMainMenu {
public:
    virtual ~IMainMenu() = default;

    // Counter 0 or 1, in seconds.
    virtual float getPlayTimeCounter(int index) = 0;
};

namespace GameServices {

IMainMenu* getMainMenu();
void setMainMenu(IMainMenu* menu);
// Raised while the game shuts down (and while the controller deletes its award manager).
bool& quittingFlag();

} // namespace GameServices
