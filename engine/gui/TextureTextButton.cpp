#include "engine/gui/TextureTextButton.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

namespace Engine {

cTextureTextButton::cTextureTextButton(cWidget* parent) : cTextureButton(parent), m_caption(new cButtonCaption(this)) {}

cTextureTextButton::cTextureTextButton(const cTextureTextButton& other)
    : cTextureButton(other), m_useTextPosition(other.m_useTextPosition),
      m_caption(new cButtonCaption(*other.m_caption)) {
    m_caption->setParent(this);
}

cTextureTextButton::~cTextureTextButton() = default;

void cTextureTextButton::loadXML(const IXmlNode* node) {
    cTextureButton::loadXML(node);
    IXmlNode* text = nullptr;
    if (node->findNode("Text", text))
        m_caption->loadXML(text);
    parseBool(m_useTextPosition, node->getAttribute(L"UseTextPosition"));
    if (!m_useTextPosition)
        m_caption->setPosition(m_position);
    m_caption->setDepth(m_depth + 1.0f);
    invalidate(false);
}

void cTextureTextButton::setAlpha(float alpha) {
    cTextureButton::setAlpha(alpha);
    m_caption->setAlpha(alpha);
}

void cTextureTextButton::setState(int state) {
    cTextureButton::setState(state);
    if (!cButtonCaption::isState(state))
        return;
    if (state == BUTTON_HOVER)
        m_caption->startWave();
    else
        m_caption->stopWave();
}

void cTextureTextButton::setText(const std::wstring& text) {
    if (text != m_caption->getText())
        m_caption->setText(text);
}

} // namespace Engine
