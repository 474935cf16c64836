#include "game/shell/ActionQueue.h"

#include "engine/core/FrameTimer.h"

#include <algorithm>

using namespace Engine;

cActionQueue::cActionQueue(cWidget* parent) : cWidget(parent) {}

cActionQueue::~cActionQueue() {
    clear();
}

void cActionQueue::process() {
    if (m_state != ACTION_RUNNING)
        return;
    const float dt = frameDelta();
    for (cActionGroup* group : m_groups) {
        if (group->isFinished())
            continue;
        if (group->isIdle()) {
            group->start();
        } else if (group->isRunning()) {
            group->process(dt);
            // A slot may clear the queue: the walk ends here either way.
            if (group->isFinished())
                group->fireFinished();
        }
        return;
    }
    m_state = ACTION_FINISHED;
    disable();
    hide();
    m_finishedSignal();
}

void cActionQueue::addAction(cActionGroup* group) {
    m_groups.push_back(group);
}

void cActionQueue::start() {
    m_state = ACTION_RUNNING;
    enable();
    show();
}

void cActionQueue::playBackward() {
    for (cActionGroup* group : m_groups)
        group->rewind();
    if (m_groups.size() >= 2)
        std::reverse(m_groups.begin(), m_groups.end());
    start();
}

void cActionQueue::clear() {
    std::vector<cActionGroup*> groups;
    groups.swap(m_groups);
    for (cActionGroup* group : groups) {
        group->clearActions();
        delete group;
    }
    m_state = ACTION_IDLE;
}

boost::signals2::connection cActionQueue::connectFinished(const tSignal::slot_type& slot) {
    return m_finishedSignal.connect(slot);
}
