#include "game/shell/GroupFader.h"

#include "engine/core/FrameTimer.h"
#include "engine/gui/Sprite.h"

using namespace Engine;

cGroupFader::cGroupFader(cWidget* parent) : cFader(parent) {}

cGroupFader::~cGroupFader() {
    hide();
    disable();
    m_fadingWidgets.clear();
}

void cGroupFader::process() {
    cFader::process();
    if (m_groupState == GROUP_IDLE)
        return;
    float value = 0;
    m_groupTimer -= frameDelta();
    if (m_groupState == GROUP_SHOWING) {
        value = m_showTime > 0 ? 1.0f - m_groupTimer / m_showTime : 1.0f;
        if (m_groupTimer <= 0) {
            value = 1;
            m_groupState = GROUP_IDLE;
            onShown();
        }
    } else if (m_groupState == GROUP_HIDING) {
        value = m_hideTime > 0 ? m_groupTimer / m_hideTime : 0.0f;
        if (m_groupTimer <= 0) {
            value = 0;
            m_groupState = GROUP_IDLE;
            onHidden();
        }
    }
    for (cSprite* sprite : m_fadingWidgets)
        sprite->setAlpha(value);
}

void cGroupFader::startShow() {
    m_groupState = GROUP_SHOWING;
    m_groupTimer = m_showTime;
    for (cSprite* sprite : m_fadingWidgets)
        sprite->setAlpha(0);
}

void cGroupFader::startHide() {
    m_groupState = GROUP_HIDING;
    m_groupTimer = m_hideTime;
    for (cSprite* sprite : m_fadingWidgets)
        sprite->setAlpha(1);
}

void cGroupFader::addFadingWidget(cSprite* sprite) {
    m_fadingWidgets.push_back(sprite);
    sprite->setAlpha(0);
}
