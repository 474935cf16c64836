#include "engine/gui/TextButton.h"

namespace Engine {

cTextButton::cTextButton(cWidget* parent) : cFrameTextButton(parent) {}

cTextButton::cTextButton(const cFrameTextButton& other) : cFrameTextButton(other) {}

cTextButton::cTextButton(const cTextButton& other) : cFrameTextButton(other) {}

cTextButton::~cTextButton() = default;

void cTextButton::loadXML(const IXmlNode* node) {
    cFrameTextButton::loadXML(node);
    applyCaptionState(cButtonCaption::isState(m_state) ? m_state : int(BUTTON_NORMAL));
}

void cTextButton::setState(int state) {
    cFrameTextButton::setState(state);
    if (cButtonCaption::isState(state))
        applyCaptionState(state);
}

void cTextButton::applyCaptionState(int state) {
    m_caption->setColor(m_caption->getStateColor(state));
    m_caption->setMultiplier(m_caption->getStateMultiplier(state));
    if (!m_useTextPosition)
        m_caption->setPosition(m_position + m_caption->getStateOffset(state));
}

} // namespace Engine
