#include "game/shell/FadeTween.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Sprite.h"

using namespace Engine;

cFadeTween::cFadeTween(cSprite* target, float startAlpha, float endAlpha, float duration, int equation, int easeType,
                       float delay)
    : cTween(duration, equation, easeType, delay, true), m_current(startAlpha), m_start(startAlpha), m_end(endAlpha),
      m_target(target) {}

void cFadeTween::toEnd() {
    m_values.entries.push_back({&m_current, m_end, m_current});
}

void cFadeTween::toStart() {
    m_end = m_start;
    toEnd();
}

void cFadeTween::apply() {
    if (m_target && isWidgetAlive(m_target))
        m_target->setAlpha(m_current);
}
