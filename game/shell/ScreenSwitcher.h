#pragma once

// The black overlay that moves from one full screen to the next: it fades in over the first
// screen, tells it when it is covered, fades out over the second and tells that one when it is
// visible, then deletes itself. Screens show, hide, create and delete themselves in those calls.

#include "engine/gui/Sprite.h"
#include "game/shell/Screen.h"

class cScreenSwitcher : public Engine::cSprite {
public:
    // Starts at once; the creator keeps no pointer, the switcher deletes itself at the end.
    cScreenSwitcher(cScreen* first, cScreen* second);
    ~cScreenSwitcher() override;

    void process() override;
    // For a first screen that creates the next one in its onScreenHidden.
    virtual void setSecondScreen(cScreen* screen) { m_second = screen; }
    virtual int& getMode() { return m_mode; }
    virtual void setMode(int mode) { m_mode = mode; }

    bool isCovering() const { return m_covering; }

private:
    cScreen* m_first;
    cScreen* m_second;
    float m_total = 0;
    float m_remaining = 0;
    bool m_covering = true;
    int m_mode = SWITCH_PLAIN;
};
