#pragma once

// The second base of every control that owns a tool-tip. The control creates its tip, the
// client registers with the tip manager (which decides, as the mouse moves, whose tip shows)
// and hides every tip when the control is pressed. An optional mask narrows where the control
// counts as hovered.

#include "engine/core/BitMask.h"
#include "engine/core/Vector2.h"
#include "engine/gui/InputHooks.h"

namespace Engine {
class IXmlNode;
class cSprite;
} // namespace Engine

class cTip;

class cTipClient {
public:
    cTipClient() = default;
    // Leaves the manager's list and drops the press callback.
    virtual ~cTipClient();
    cTipClient(const cTipClient&) = delete;
    cTipClient& operator=(const cTipClient&) = delete;

    virtual bool isShowing() const { return m_showing; }
    virtual void setShowingFlag(bool showing) { m_showing = showing; }
    // The control's "Tip" element into the tip (no element: unregistered), and "texture_mask".
    virtual void loadXML(const Engine::IXmlNode* node);
    // Makes the concrete tip, stores it in m_tip and calls registerTip.
    virtual void createTip() = 0;
    // Nothing while the tutorial shows a tip of its own; throws without a tip.
    virtual void setShowing();
    virtual void setHiding();
    virtual Engine::cSprite* getControl() = 0;
    // Inside the visible control's turned rectangle and, with a mask, on a set mask byte.
    virtual bool isPointInside(const Engine::cVector2& point);

    void registerTip();
    void unregisterTip();
    cTip* getTip() const { return m_tip; }
    Engine::cSprite* getRegisteredControl() const { return m_control; }
    const Engine::cBitMask& getMask() const { return m_mask; }
    void setMask(const Engine::cBitMask& mask) { m_mask = mask; }

protected:
    cTip* m_tip = nullptr;
    bool m_showing = false;
    Engine::cSprite* m_control = nullptr;
    Engine::cBitMask m_mask;

private:
    // A left press on the control hides every tip.
    static void onControlPressed(void* control);

    Engine::cInputHooks m_pressHook;
};
