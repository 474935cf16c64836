#pragma once

// The main menu's play-time counters, which the award progress reads.

class IMainMenu {
public:
    virtual ~IMainMenu() = default;

    // Seconds the game has run, and seconds played, as the main menu counts them.
    virtual float getRunTime() = 0;
    virtual float getPlayTime() = 0;
};
