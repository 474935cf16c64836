#include "engine/gui/TextureButton.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/media/Texture.h"

namespace Engine {

namespace {

cTexture* take(cTexture* texture) {
    if (texture)
        texture->addRef();
    return texture;
}

void release(cTexture*& texture) {
    if (texture)
        texture->decRef();
    texture = nullptr;
}

// The named texture, or another reference to the fallback when the name is empty.
cTexture* stateTexture(const IXmlNode* node, const wchar_t* key, cTexture* fallback) {
    const std::string name = wideToNarrow(node->getAttribute(key));
    cResourceManager* resources = getResourceManager();
    if (name.empty() || !resources)
        return take(fallback);
    return resources->getTexture(name);
}

} // namespace

cTextureButton::cTextureButton(cWidget* parent) : cButton(parent) {}

cTextureButton::cTextureButton(const cTextureButton& other)
    : cButton(other), m_textureNormal(take(other.m_textureNormal)), m_texturePressed(take(other.m_texturePressed)),
      m_textureHover(take(other.m_textureHover)), m_textureDisabled(take(other.m_textureDisabled)) {}

cTextureButton::~cTextureButton() {
    releaseStateTextures();
}

void cTextureButton::releaseStateTextures() {
    release(m_textureNormal);
    release(m_texturePressed);
    release(m_textureHover);
    release(m_textureDisabled);
}

void cTextureButton::loadXML(const IXmlNode* node) {
    cButton::loadXML(node);
    releaseStateTextures();
    m_textureNormal = take(getPicture());
    m_texturePressed = stateTexture(node, L"texture_pressed", m_textureNormal);
    m_textureHover = stateTexture(node, L"texture_hover", m_textureNormal);
    m_textureDisabled = stateTexture(node, L"texture_disabled", m_textureNormal);
    // A state set while the keys were read showed no texture of its own yet.
    if (m_state >= BUTTON_DISABLED)
        applyState(m_state);
}

cTexture* cTextureButton::getStateTexture(int state) const {
    switch (state) {
    case BUTTON_DISABLED:
        return m_textureDisabled;
    case BUTTON_NORMAL:
        return m_textureNormal;
    case BUTTON_HOVER:
        return m_textureHover;
    case BUTTON_PRESSED:
        return m_texturePressed;
    default:
        return nullptr;
    }
}

void cTextureButton::applyState(int state) {
    cTexture* texture = getStateTexture(state);
    if (texture && texture != m_texture) {
        texture->addRef();
        releaseTexture();
        m_texture = texture;
    }
    invalidate();
}

} // namespace Engine
