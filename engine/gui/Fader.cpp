#include "engine/gui/Fader.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Sprite.h"

#include <cmath>

namespace Engine {

namespace {

// The part of a fade of that length the timer stands for; a fade of no length is over, so a
// time of 0 never divides 0 by 0.
float part(float timer, float length) {
    return length > 0 ? timer / length : 0.0f;
}

// Times that are not numbers or below 0 keep the value they had.
void readTime(const IXmlNode* node, const wchar_t* key, float& out) {
    float value = NAN;
    parseFloat(value, node->getAttribute(key));
    if (value >= 0)
        out = value;
}

} // namespace

cFader::cFader(cWidget* parent) : cBackground(parent) {}

void cFader::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    readTime(node, L"ShowTime", m_showTime);
    readTime(node, L"HideTime", m_hideTime);
}

void cFader::setFadeValue(float value) {
    for (cWidget* child : m_children)
        if (child->getKind() != WIDGET_KIND_PLAIN)
            static_cast<cSprite*>(child)->setAlpha(value);
    m_fadeValue = value;
}

void cFader::fadeIn() {
    show();
    switch (m_state) {
    case FADER_SHOWING:
        break;
    case FADER_HIDING:
    case FADER_CLOSING:
        m_timer = m_showTime * (1.0f - part(m_timer, m_hideTime));
        break;
    default:
        m_timer = m_showTime;
        setFadeValue(0);
        break;
    }
    m_state = FADER_SHOWING;
}

void cFader::fadeOut() {
    switch (m_state) {
    case FADER_SHOWING:
        m_timer = m_hideTime * (1.0f - part(m_timer, m_showTime));
        break;
    case FADER_HIDING:
    case FADER_CLOSING:
        break;
    default:
        m_timer = m_hideTime * m_fadeValue;
        break;
    }
    m_state = FADER_HIDING;
}

void cFader::fadeOutAndDelete() {
    switch (m_state) {
    case FADER_SHOWING:
        m_timer = m_hideTime * (1.0f - part(m_timer, m_showTime));
        break;
    case FADER_HIDING:
    case FADER_CLOSING:
        break;
    default:
        m_timer = m_hideTime;
        break;
    }
    m_state = FADER_CLOSING;
}

void cFader::process() {
    if (m_state == FADER_IDLE)
        return;
    m_timer -= frameDelta();
    if (m_timer > 0) {
        setFadeValue(m_state == FADER_SHOWING ? 1.0f - part(m_timer, m_showTime) : part(m_timer, m_hideTime));
        return;
    }
    // Anything else, a timer that is not a number included, ends the fade.
    switch (m_state) {
    case FADER_SHOWING:
        m_state = FADER_IDLE;
        setFadeValue(1);
        onFadedIn();
        break;
    case FADER_HIDING:
        m_state = FADER_IDLE;
        setFadeValue(0);
        onFadedOut();
        break;
    default:
        disable();
        deleteWidgetLater(this);
        break;
    }
}

void cFader::onHide() {
    cBackground::onHide();
    m_state = FADER_IDLE;
}

} // namespace Engine
