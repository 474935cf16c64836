#include "engine/gui/FrameButton.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

namespace Engine {

cFrameButton::cFrameButton(cWidget* parent) : cButton(parent) {}

cFrameButton::cFrameButton(const cFrameButton& other)
    : cButton(other), m_frameNormal(other.m_frameNormal), m_framePressed(other.m_framePressed),
      m_frameHover(other.m_frameHover), m_frameDisabled(other.m_frameDisabled),
      m_normalHoverTime(other.m_normalHoverTime), m_hoverDownTime(other.m_hoverDownTime),
      m_transitionRemaining(other.m_transitionRemaining), m_transitionRate(other.m_transitionRate) {
    if (other.m_transitionPanel && other.getChildren().count(other.m_transitionPanel)) {
        m_transitionPanel = new cPanel(*other.m_transitionPanel);
        m_transitionPanel->setParent(this);
    }
}

void cFrameButton::process() {
    cButton::process();
    stepTransition();
}

void cFrameButton::onUpdate() {
    cButton::onUpdate();
    if (!isEnabled())
        stepTransition();
}

void cFrameButton::loadXML(const IXmlNode* node) {
    cButton::loadXML(node);
    parseUInt(m_frameNormal, node->getAttribute(L"frame_normal"));
    parseUInt(m_framePressed, node->getAttribute(L"frame_pressed"));
    parseUInt(m_frameHover, node->getAttribute(L"frame_hover"));
    parseUInt(m_frameDisabled, node->getAttribute(L"frame_disabled"));
    cLayoutReader::readFloat(node, L"normal_hover_time", m_normalHoverTime);
    cLayoutReader::readFloat(node, L"hover_down_time", m_hoverDownTime);
    if ((m_normalHoverTime > 0 || m_hoverDownTime > 0) && !m_transitionPanel) {
        m_transitionPanel = new cPanel(this);
        m_transitionPanel->loadXML(node);
        m_transitionPanel->setPlayAnimation(false);
        m_transitionPanel->hide();
        m_transitionPanel->setDepth(m_depth + 0.001f);
    }
    m_playAnimation = false;
    // A shown button already has its state (hover under the cursor): show its loaded frame.
    if (isListening())
        applyState(m_state);
    else
        setState(isEnabled() ? BUTTON_NORMAL : BUTTON_DISABLED);
}

void cFrameButton::setState(int state) {
    const int old = m_state;
    if (m_normalHoverTime > 0 &&
        ((old == BUTTON_NORMAL && state == BUTTON_HOVER) || (old == BUTTON_HOVER && state == BUTTON_NORMAL)))
        startTransition(m_normalHoverTime);
    else if (m_hoverDownTime > 0 &&
             ((old == BUTTON_HOVER && state == BUTTON_PRESSED) || (old == BUTTON_PRESSED && state == BUTTON_NORMAL)))
        startTransition(m_hoverDownTime);
    cButton::setState(state);
}

void cFrameButton::startTransition(float length) {
    m_transitionRemaining = length;
    m_transitionRate = 1.0f / length;
    if (!m_transitionPanel)
        return;
    m_transitionPanel->setAnimFrame(getAnimFrame());
    m_transitionPanel->setAlpha(1.0f);
    m_transitionPanel->show();
}

void cFrameButton::stepTransition() {
    if (m_transitionRemaining <= 0)
        return;
    m_transitionRemaining -= frameDelta();
    if (m_transitionRemaining <= 0) {
        m_transitionRemaining = 0;
        if (m_transitionPanel) {
            m_transitionPanel->setAlpha(0);
            m_transitionPanel->setPlayAnimation(false);
            m_transitionPanel->hide();
        }
        return;
    }
    if (m_transitionPanel)
        m_transitionPanel->setAlpha(m_transitionRemaining * m_transitionRate);
}

unsigned cFrameButton::getFrameOfState(int state) const {
    switch (state) {
    case BUTTON_DISABLED:
        return m_frameDisabled;
    case BUTTON_NORMAL:
        return m_frameNormal;
    case BUTTON_HOVER:
        return m_frameHover;
    case BUTTON_PRESSED:
        return m_framePressed;
    default:
        return 0;
    }
}

void cFrameButton::applyState(int state) {
    if (state < BUTTON_DISABLED || state > BUTTON_PRESSED)
        return;
    setAnimFrame(int(getFrameOfState(state)));
}

} // namespace Engine
