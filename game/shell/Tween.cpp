#include "game/shell/Tween.h"

#include "engine/core/WidgetSets.h"
#include "game/shell/TweenSprite.h"

cTweenValues::cTweenValues(float duration_, int equation_, int easeType_, float delay_)
    : duration(duration_), equation(equation_), easeType(easeType_), delay(delay_), running(delay_ <= 0) {}

void resetTweenValues(cTweenValues& values) {
    values.elapsed = 0;
    if (values.delay > 0)
        values.running = false;
    for (tTweenEntry& entry : values.entries)
        if (entry.target)
            entry.start = *entry.target;
    values.started = false;
}

cTween::cTween(float duration, int equation, int easeType, float delay, bool autoDelete)
    : m_values(duration, equation, easeType, delay), m_autoDelete(autoDelete) {}

cTween::~cTween() {
    if (m_runner && Engine::isWidgetAlive(m_runner)) {
        m_runner->removeTween(this);
        m_runner->removeTweenValues(&m_values);
    }
}

void cTween::onStart(cTweenValues* record) {
    if (record == &m_values)
        apply();
}

void cTween::onUpdate(cTweenValues* record) {
    if (record == &m_values)
        apply();
}

bool cTween::onFinish(cTweenValues* record) {
    if (record != &m_values)
        return false;
    if (m_runner && Engine::isWidgetAlive(m_runner))
        m_runner->removeTween(this);
    if (m_autoDelete)
        delete this;
    return true;
}

void cTween::start(cTweenSprite* runner) {
    toEnd();
    m_runner = runner;
    runner->addTweenValues(&m_values);
    runner->addTween(this);
}
