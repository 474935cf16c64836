#pragma once

// The panel that reacts to the mouse: four states, press, click, hover and unhover callbacks,
// click and hover sounds, an optional hit mask from an image's alpha, and deep processing, by
// which only the top-most of overlapping deep-processing buttons reacts. It listens to the
// input system only while it is processed, through a small owner of its callback pairs, so a
// deleted button leaves nothing registered.

#include "engine/core/BitMask.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Panel.h"

#include <vector>

namespace Engine {

class cSoundSample;

class cButton : public cPanel {
public:
    enum eButtonState {
        BUTTON_DISABLED = 0,
        BUTTON_NORMAL = 1,
        BUTTON_HOVER = 2,
        BUTTON_PRESSED = 3,
    };
    using tButtonCallback = void (*)(cButton* button);

    explicit cButton(cWidget* parent);
    // The panel copy, the state, the callbacks, the samples (with references), the mask flags
    // and the mask; sounds enabled. Not registered for input until it is processed.
    cButton(const cButton& other);
    ~cButton() override;

    // The panel's step, then the deferred event of the capturing deep-processing button.
    void process() override;
    // The panel keys, "IsDeepProcessing", "SoundOnUnclick", "texture_mask" and "Sounds".
    void loadXML(const IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    // When the state differs: applyState first (it still sees the old state), then the store.
    virtual void setState(int state);
    virtual void applyState(int state) { (void)state; }
    virtual tButtonCallback& getClickCallback() { return m_clickCallback; }
    virtual void setClickCallback(tButtonCallback callback) { m_clickCallback = callback; }
    virtual tButtonCallback& getPressCallback() { return m_pressCallback; }
    virtual void setPressCallback(tButtonCallback callback) { m_pressCallback = callback; }
    virtual tButtonCallback& getUserCallback() { return m_userCallback; }
    virtual void setUserCallback(tButtonCallback callback) { m_userCallback = callback; }
    virtual tButtonCallback& getHoverCallback() { return m_hoverCallback; }
    virtual void setHoverCallback(tButtonCallback callback) { m_hoverCallback = callback; }
    virtual tButtonCallback& getUnhoverCallback() { return m_unhoverCallback; }
    virtual void setUnhoverCallback(tButtonCallback callback) { m_unhoverCallback = callback; }
    virtual bool& getSoundOnUnclick() { return m_soundOnUnclick; }
    virtual void setSoundOnUnclick(bool on) { m_soundOnUnclick = on; }
    virtual bool& getSoundsEnabled() { return m_soundsEnabled; }
    virtual void setSoundsEnabled(bool on) { m_soundsEnabled = on; }
    virtual bool& getDeepProcessing() { return m_deepProcessing; }
    virtual void setDeepProcessing(bool on) { m_deepProcessing = on; }
    // The turned rectangle, and with a hit mask a set mask pixel under the point.
    virtual bool isPointInside(const cVector2& point) const;
    virtual void clicked();
    virtual void unclicked();
    virtual void onMouseEnter();
    virtual void onMouseLeave();

    int getState() const { return m_state; }
    // Takes the look when it differs from the current one.
    void setVisualState(const cVisual& visual);
    bool hasHitMask() const { return m_hasHitMask; }
    const cBitMask& getHitMask() const { return m_hitMask; }
    // A mask of the image's alpha; an image without a set pixel leaves no mask.
    void setHitMask(const cBitMask& mask);
    cSoundSample* getClickSound() const { return m_clickSound; }
    cSoundSample* getHoverSound() const { return m_hoverSound; }
    // Whether the button's input callbacks are registered (while it is processed).
    bool isListening() const { return !m_inputHooks.empty(); }

    // The deep-processing button that owns the mouse, or null.
    static cButton* getCapturingButton();

protected:
    void onMouseDown();
    void onMouseUp();
    void onMouseMove();
    // While listening: the movement step for the cursor where it rests, else the normal state.
    void trackCursor();
    const cVector2& cursor() const;

    int m_state = -1;
    tButtonCallback m_clickCallback = nullptr;
    tButtonCallback m_hoverCallback = nullptr;
    tButtonCallback m_unhoverCallback = nullptr;
    tButtonCallback m_pressCallback = nullptr;
    tButtonCallback m_userCallback = nullptr;
    cSoundSample* m_clickSound = nullptr;
    cSoundSample* m_hoverSound = nullptr;
    cBitMask m_hitMask;
    bool m_hasHitMask = false;
    bool m_soundsEnabled = true;
    bool m_soundOnUnclick = false;
    bool m_deepProcessing = false;

private:
    static void mouseDownHook(void* user);
    static void mouseUpHook(void* user);
    static void mouseMoveHook(int code, int value, void* user);
    void playOnce(cSoundSample* sample) const;
    void dropCapture();

    cInputHooks m_inputHooks;
    bool m_loading = false;
};

} // namespace Engine
