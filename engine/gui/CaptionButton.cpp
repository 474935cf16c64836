#include "engine/gui/CaptionButton.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/TextureButton.h"

namespace Engine {

template <class Button>
cCaptionButton<Button>::cCaptionButton(cWidget* parent) : Button(parent), m_caption(new cButtonCaption(this)) {}

template <class Button>
cCaptionButton<Button>::cCaptionButton(const cCaptionButton& other)
    : Button(other), m_useTextPosition(other.m_useTextPosition), m_caption(new cButtonCaption(*other.m_caption)) {
    m_caption->setParent(this);
}

template <class Button> cCaptionButton<Button>::~cCaptionButton() = default;

template <class Button> void cCaptionButton<Button>::loadXML(const IXmlNode* node) {
    Button::loadXML(node);
    IXmlNode* text = nullptr;
    if (node->findNode("Text", text))
        m_caption->loadXML(text);
    parseBool(m_useTextPosition, node->getAttribute(L"UseTextPosition"));
    if (!m_useTextPosition)
        m_caption->setPosition(this->m_position);
    m_caption->setDepth(this->m_depth + 1.0f);
    this->invalidate(false);
}

template <class Button> void cCaptionButton<Button>::setAlpha(float alpha) {
    Button::setAlpha(alpha);
    m_caption->setAlpha(alpha);
}

template <class Button> void cCaptionButton<Button>::setState(int state) {
    Button::setState(state);
    if (!cButtonCaption::isState(state))
        return;
    if (state == cButton::BUTTON_HOVER)
        m_caption->startWave();
    else
        m_caption->stopWave();
}

template <class Button> void cCaptionButton<Button>::setText(const std::wstring& text) {
    if (text != m_caption->getText())
        m_caption->setText(text);
}

template class cCaptionButton<cFrameButton>;
template class cCaptionButton<cTextureButton>;

} // namespace Engine
