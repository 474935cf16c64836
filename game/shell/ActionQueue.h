#pragma once

// A widget that runs action groups one after another, can play them all backward, and signals
// when the last one has finished. It owns its groups.

#include "engine/gui/Widget.h"
#include "game/shell/ActionGroup.h"

#include <vector>

class cActionQueue : public Engine::cWidget {
public:
    using tSignal = boost::signals2::signal<void()>;

    explicit cActionQueue(Engine::cWidget* parent);
    ~cActionQueue() override;

    void process() override;
    virtual void addAction(cActionGroup* group);
    // Enables and shows the queue so that the frame loop processes it.
    virtual void start();
    // Rewinds every group, reverses their order, then starts.
    virtual void playBackward();
    virtual void pause() { m_state = ACTION_PAUSED; }
    virtual void resume() { m_state = ACTION_RUNNING; }
    // Deletes every group with its tweens; idle.
    virtual void clear();
    virtual bool isRunning() const { return m_state == ACTION_RUNNING; }
    virtual bool isFinished() const { return m_state == ACTION_FINISHED; }
    virtual boost::signals2::connection connectFinished(const tSignal::slot_type& slot);

    int getState() const { return m_state; }
    const std::vector<cActionGroup*>& getGroups() const { return m_groups; }

private:
    int m_state = ACTION_IDLE;
    std::vector<cActionGroup*> m_groups;
    tSignal m_finishedSignal;
};
