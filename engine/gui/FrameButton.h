#pragma once

// A button that shows each state as a frame of its frame animation. With a cross-fade time it
// keeps a transition panel, a copy of its own look just above it, that shows the previous
// frame while it fades out over the new one.

#include "engine/gui/Button.h"

namespace Engine {

class cFrameButton : public cButton {
public:
    explicit cFrameButton(cWidget* parent);
    // The button copy, the frames, the times and the running cross-fade; a copy of the
    // template's transition panel under the new button.
    cFrameButton(const cFrameButton& other);

    // The button's step, then the cross-fade.
    void process() override;
    // The cross-fade while the button is not enabled (it then has no process step).
    void onUpdate() override;
    // The button keys, the four frames and both times; makes the transition panel when a time
    // is above 0; the frames follow the state only.
    void loadXML(const IXmlNode* node) override;
    void setState(int state) override;
    void applyState(int state) override;

    unsigned getFrameOfState(int state) const;
    cPanel* getTransitionPanel() const { return m_transitionPanel; }
    float getTransitionRemaining() const { return m_transitionRemaining; }

protected:
    void stepTransition();
    void startTransition(float length);

    unsigned m_frameNormal = 0;
    unsigned m_framePressed = 0;
    unsigned m_frameHover = 0;
    unsigned m_frameDisabled = 0;
    cPanel* m_transitionPanel = nullptr;
    float m_normalHoverTime = 0;
    float m_hoverDownTime = 0;
    float m_transitionRemaining = 0;
    float m_transitionRate = 0;
};

} // namespace Engine
