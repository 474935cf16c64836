#pragma once

// A button that shows each state with a texture of its own; a state without one keeps the
// texture on show. Only the texture changes: the atlas frame stays that of the loaded picture.

#include "engine/gui/Button.h"

namespace Engine {

class cTexture;

class cTextureButton : public cButton {
public:
    explicit cTextureButton(cWidget* parent);
    // The button copy, with references to the four textures.
    cTextureButton(const cTextureButton& other);
    ~cTextureButton() override;

    // The button keys; the normal texture is the loaded picture; "texture_pressed",
    // "texture_hover" and "texture_disabled" default to it.
    void loadXML(const IXmlNode* node) override;
    void applyState(int state) override;

    cTexture* getStateTexture(int state) const;

protected:
    void releaseStateTextures();

    cTexture* m_textureNormal = nullptr;
    cTexture* m_texturePressed = nullptr;
    cTexture* m_textureHover = nullptr;
    cTexture* m_textureDisabled = nullptr;
};

} // namespace Engine
