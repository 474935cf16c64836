#include "engine/gui/FrameTextButton.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

namespace Engine {

cFrameTextButton::cFrameTextButton(cWidget* parent) : cFrameButton(parent), m_caption(new cButtonCaption(this)) {}

cFrameTextButton::cFrameTextButton(const cFrameTextButton& other)
    : cFrameButton(other), m_useTextPosition(other.m_useTextPosition), m_caption(new cButtonCaption(*other.m_caption)) {
    m_caption->setParent(this);
}

cFrameTextButton::~cFrameTextButton() = default;

void cFrameTextButton::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    IXmlNode* text = nullptr;
    if (node->findNode("Text", text))
        m_caption->loadXML(text);
    parseBool(m_useTextPosition, node->getAttribute(L"UseTextPosition"));
    if (!m_useTextPosition)
        m_caption->setPosition(m_position);
    m_caption->setDepth(m_depth + 1.0f);
    invalidate(false);
}

void cFrameTextButton::setAlpha(float alpha) {
    cFrameButton::setAlpha(alpha);
    m_caption->setAlpha(alpha);
}

void cFrameTextButton::setState(int state) {
    cFrameButton::setState(state);
    if (!cButtonCaption::isState(state))
        return;
    if (state == BUTTON_HOVER)
        m_caption->startWave();
    else
        m_caption->stopWave();
}

void cFrameTextButton::setText(const std::wstring& text) {
    if (text != m_caption->getText())
        m_caption->setText(text);
}

} // namespace Engine
