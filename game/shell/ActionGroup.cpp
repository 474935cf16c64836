#include "game/shell/ActionGroup.h"

#include "engine/core/WidgetSets.h"
#include "game/shell/TweenSprite.h"

using namespace Engine;

cActionGroup::cActionGroup() : m_runner(new cTweenSprite(nullptr)) {}

cActionGroup::~cActionGroup() {
    // The program's end may have swept the runner first as a root widget: then it is not touched.
    if (!isWidgetAlive(m_runner))
        m_runner = nullptr;
    clearActions();
    // Never shown nor processed by the frame loop, so nothing walks it: deleted at once.
    delete m_runner;
}

void cActionGroup::addAction(cTween* tween) {
    m_actions.push_back(tween);
    tween->toEnd();
    tween->setRunner(m_runner);
    m_runner->addTweenValues(&tween->getValues());
    m_runner->addTween(tween);
}

void cActionGroup::start() {
    m_finishedCount = 0;
    m_state = ACTION_RUNNING;
}

void cActionGroup::rewind() {
    for (cTween* tween : m_actions) {
        cTweenValues& values = tween->getValues();
        values.entries.clear();
        tween->toStart();
        // A tween that has not finished is still listed: list it once.
        m_runner->removeTween(tween);
        m_runner->removeTweenValues(&values);
        m_runner->addTween(tween);
        m_runner->addTweenValues(&values);
        resetTweenValues(values);
    }
    m_state = ACTION_IDLE;
}

void cActionGroup::clearActions() {
    std::vector<cTween*> actions;
    actions.swap(m_actions);
    for (cTween* tween : actions) {
        if (m_runner) {
            m_runner->removeTween(tween);
            m_runner->removeTweenValues(&tween->getValues());
        }
        tween->setRunner(m_runner);
        delete tween;
    }
}

void cActionGroup::process(float elapsed) {
    m_runner->processTweens(elapsed);
}

void cActionGroup::onActionFinished() {
    ++m_finishedCount;
    if (m_finishedCount == int(m_actions.size()))
        m_state = ACTION_FINISHED;
}

boost::signals2::connection cActionGroup::connectFinished(const tSignal::slot_type& slot) {
    return m_finishedSignal.connect(slot);
}

void cActionGroup::fireFinished() {
    m_finishedSignal();
}

cActionMoveTween::cActionMoveTween(cSprite* target, const cVector2& start, const cVector2& end, float duration,
                                   int equation, int easeType, float delay, cActionGroup* group)
    : cMoveTween(target, start, end, duration, equation, easeType, delay, false), m_group(group) {}

bool cActionMoveTween::onFinish(cTweenValues* record) {
    if (record == &m_values && m_group)
        m_group->onActionFinished();
    return cMoveTween::onFinish(record);
}
