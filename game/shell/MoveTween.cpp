#include "game/shell/MoveTween.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Sprite.h"

using namespace Engine;

cMoveTween::cMoveTween(cSprite* target, const cVector2& start, const cVector2& end, float duration, int equation,
                       int easeType, float delay, bool autoDelete)
    : cTween(duration, equation, easeType, delay, autoDelete), m_current(start), m_start(start), m_end(end),
      m_target(target) {}

void cMoveTween::toEnd() {
    m_values.entries.push_back({&m_current.x, m_end.x, m_current.x});
    m_values.entries.push_back({&m_current.y, m_end.y, m_current.y});
}

void cMoveTween::toStart() {
    m_end = m_start;
    toEnd();
}

void cMoveTween::apply() {
    if (m_target && isWidgetAlive(m_target))
        m_target->setPosition(m_current);
}

cCallbackMoveTween::cCallbackMoveTween(cSprite* target, const cVector2& start, const cVector2& end, float duration,
                                       int equation, int easeType, float delay, bool autoDelete, cWidget* owner,
                                       int item, tLanding landing)
    : cMoveTween(target, start, end, duration, equation, easeType, delay, autoDelete), m_owner(owner), m_item(item),
      m_landing(std::move(landing)) {}

bool cCallbackMoveTween::onFinish(cTweenValues* record) {
    if (record == &m_values && m_landing && (!m_owner || isWidgetAlive(m_owner)))
        m_landing(m_item);
    return cMoveTween::onFinish(record);
}
