#pragma once

// A button with a caption drawn one depth step above it; the caption's letters wave while the
// button is hovered. One template over the frame and the texture buttons (cFrameTextButton,
// cTextureTextButton).

#include "engine/gui/ButtonCaption.h"

#include <string>

namespace Engine {

class IXmlNode;
class cWidget;

template <class Button> class cCaptionButton : public Button {
public:
    explicit cCaptionButton(cWidget* parent);
    // The button's copy with a copy of the template's caption under the new button.
    cCaptionButton(const cCaptionButton& other);
    ~cCaptionButton() override;

    // The button's keys, the "Text" element into the caption and "UseTextPosition"; the caption
    // then follows the button (unless it keeps its own position) one depth step above.
    void loadXML(const IXmlNode* node) override;
    void setAlpha(float alpha) override;
    // The button's state; the caption waves in the hover state. An index that names no state
    // leaves the caption alone.
    void setState(int state) override;

    // Relays the caption only when the text differs from its stored text.
    void setText(const std::wstring& text);
    // The caption's text.
    const std::wstring& getText() const { return m_caption->getText(); }
    cButtonCaption* getCaption() const { return m_caption; }
    bool getUseTextPosition() const { return m_useTextPosition; }

protected:
    bool m_useTextPosition = false;
    cButtonCaption* m_caption;
};

} // namespace Engine
