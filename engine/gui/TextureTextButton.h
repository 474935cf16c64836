#pragma once

// A texture button with a caption drawn one depth step above it (the rows of the list box);
// the caption's letters wave while the button is hovered.

#include "engine/gui/ButtonCaption.h"
#include "engine/gui/TextureButton.h"

#include <string>

namespace Engine {

class cTextureTextButton : public cTextureButton {
public:
    explicit cTextureTextButton(cWidget* parent);
    // The texture button copy with a copy of the template's caption under the new button.
    cTextureTextButton(const cTextureTextButton& other);
    ~cTextureTextButton() override;

    // The texture button keys, the "Text" element into the caption and "UseTextPosition"; the
    // caption then follows the button (unless it keeps its own position) one depth step above.
    void loadXML(const IXmlNode* node) override;
    void setAlpha(float alpha) override;
    // The texture button's state; the caption waves in the hover state. An index that names no
    // state leaves the caption alone.
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
