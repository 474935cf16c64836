#pragma once

// A set of move tweens that run together on the group's own runner and a notice when all of
// them have finished; and the move tween that belongs to a group.

#include "game/shell/MoveTween.h"

#include <boost/signals2/signal.hpp>

#include <memory>
#include <vector>

class cTweenSprite;

enum eActionState {
    ACTION_IDLE = 0,
    ACTION_RUNNING = 1,
    ACTION_PAUSED = 2,
    ACTION_FINISHED = 3,
};

class cActionGroup {
public:
    using tSignal = boost::signals2::signal<void()>;

    cActionGroup();
    // Deletes its tweens and its runner.
    virtual ~cActionGroup();
    cActionGroup(const cActionGroup&) = delete;
    cActionGroup& operator=(const cActionGroup&) = delete;

    // Takes the tween; its values begin to move when the group is processed.
    virtual void addAction(cTween* tween);
    virtual void start();
    // Turns every tween back toward its start and makes the group idle.
    virtual void rewind();
    virtual void pause() { m_state = ACTION_PAUSED; }
    virtual void resume() { m_state = ACTION_RUNNING; }
    // Deletes every tween, taking it and its values off the runner first.
    virtual void clearActions();
    virtual void process(float elapsed);
    virtual bool isIdle() const { return m_state == ACTION_IDLE; }
    virtual bool isPaused() const { return m_state == ACTION_PAUSED; }
    virtual bool isRunning() const { return m_state == ACTION_RUNNING; }
    virtual bool isFinished() const { return m_state == ACTION_FINISHED; }
    virtual void onActionFinished();
    virtual boost::signals2::connection connectFinished(const tSignal::slot_type& slot);
    virtual void fireFinished();

    int getState() const { return m_state; }
    const std::vector<cTween*>& getActions() const { return m_actions; }
    cTweenSprite* getRunner() const { return m_runner; }

private:
    int m_state = ACTION_IDLE;
    std::vector<cTween*> m_actions;
    cTweenSprite* m_runner;
    int m_finishedCount = 0;
    tSignal m_finishedSignal;
};

// A move tween owned by its group (never auto-deleted) that reports its finish to the group.
class cActionMoveTween : public cMoveTween {
public:
    cActionMoveTween(Engine::cSprite* target, const Engine::cVector2& start, const Engine::cVector2& end,
                     float duration, int equation, int easeType, float delay, cActionGroup* group);

    bool onFinish(cTweenValues* record) override;

private:
    cActionGroup* m_group;
};
