#pragma once

// A frame button with a tick: each release that ends a press on it toggles the state and calls
// the owner back with the new state.

#include "engine/gui/FrameButton.h"

namespace Engine {

class cCheckBox : public cFrameButton {
public:
    using tChangeCallback = void (*)(cCheckBox* box, bool checked);

    explicit cCheckBox(cWidget* parent);

    // The frame button's step; the tick follows the state.
    void process() override;
    // The frame button keys, the "Tick" element and "Checked" (the tick matches at once).
    void loadXML(const IXmlNode* node) override;
    // The button's release, then the toggle; a locked box does not toggle.
    void unclicked() override;

    virtual tChangeCallback& getChangeCallback() { return m_changeCallback; }
    virtual void setChangeCallback(tChangeCallback callback) { m_changeCallback = callback; }
    virtual bool& isChecked() { return m_checked; }
    // No callback; the tick follows at the next process.
    virtual void setChecked(bool checked) { m_checked = checked; }

    cPanel* getTick() const { return m_tick; }

protected:
    void matchTick();

    tChangeCallback m_changeCallback = nullptr;
    cPanel* m_tick;
    bool m_checked = false;
};

} // namespace Engine
