#pragma once

// What the screen switcher needs of a full screen: its cover and uncover times and the three
// notifications of a switch. Every full screen implements it beside its widget base.

namespace Engine {
class IXmlNode;
}

class cScreenSwitcher;

// How the second screen was reached; it reads the mode when it is shown.
enum eSwitchMode {
    SWITCH_PLAIN = 0,
    SWITCH_FROM_MENU = 1,
    SWITCH_FROM_LEVEL = 2,
};

class cScreen {
public:
    virtual ~cScreen() = default;
    // "ShowTime" and "HideTime" of the node; a missing attribute keeps the value.
    virtual void readShowHideTimes(const Engine::IXmlNode* node);
    virtual float getShowTime() const { return m_showTime; }
    virtual float getHideTime() const { return m_hideTime; }
    // The overlay has uncovered this screen (the second one).
    virtual void onScreenShown(cScreenSwitcher*) {}
    // The overlay fully covers this screen (the first one).
    virtual void onScreenHidden(cScreenSwitcher*) {}
    // Each covering frame in which the overlay is more than 0.75 opaque.
    virtual void onScreenCovered() {}

protected:
    // A screen whose layout lacks the times switches over a second each way.
    float m_hideTime = 1.0f;
    float m_showTime = 1.0f;
};
