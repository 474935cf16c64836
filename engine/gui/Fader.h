#pragma once

// A background whose direct children (sprites) fade in and out together over "ShowTime" and
// "HideTime" seconds, with a notification at the end of each fade. These timed fades run in
// process (so only while the fader is visible and enabled) and are not the root-widget fades
// of cWidget. Game screens derive from it.

#include "engine/gui/Background.h"

namespace Engine {

class cFader : public cBackground {
public:
    enum eFaderState {
        FADER_SHOWING = 0,
        FADER_HIDING = 1,
        FADER_CLOSING = 2,
        FADER_IDLE = 3,
    };

    explicit cFader(cWidget* parent);

    void process() override;
    // The background's keys, then "ShowTime" and "HideTime".
    void loadXML(const IXmlNode* node) override;
    // Hiding stops the fade where it is.
    void onHide() override;

    // Shows the fader and fades in, from where a running fade-out has come to.
    virtual void fadeIn();
    // Fades out from the current value; at the end onFadedOut hides the fader.
    virtual void fadeOut();
    // Fades out (from 1 when idle), then disables the fader and deletes it at the end of the frame.
    virtual void fadeOutAndDelete();
    virtual void onFadedIn() {}
    virtual void onFadedOut() { hide(); }

    // Every direct sprite child takes the value as its alpha.
    void setFadeValue(float value);
    float getFaderValue() const { return m_fadeValue; }
    int getState() const { return m_state; }
    float getTimer() const { return m_timer; }
    float getShowTime() const { return m_showTime; }
    void setShowTime(float seconds) { m_showTime = seconds; }
    float getHideTime() const { return m_hideTime; }
    void setHideTime(float seconds) { m_hideTime = seconds; }

protected:
    int m_state = FADER_IDLE;
    float m_showTime = 1.0f;
    float m_hideTime = 1.0f;
    float m_timer = 0;
    float m_fadeValue = 0;
};

} // namespace Engine
