#include "game/shell/ActionQueue.h"
#include "engine/core/WidgetSets.h"
#include "game/shell/Easing.h"
#include "game/shell/TweenSprite.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class ActionQueueTest : public ::testing::Test {
protected:
    ActionQueueTest() : ui(0.25f) {}
    void SetUp() override {
        ui.start();
        queue = new cActionQueue(nullptr);
        a = new cSprite(nullptr);
        b = new cSprite(nullptr);
    }
    void TearDown() override {
        delete queue;
        delete a;
        delete b;
    }
    // A group moving the sprite from start to end over a second, linearly.
    cActionGroup* group(cSprite* sprite, cVector2 start, cVector2 end, const char* name) {
        auto* g = new cActionGroup;
        g->addAction(new cActionMoveTween(sprite, start, end, 1.0f, EASING_LINEAR, EASE_IN, 0, g));
        g->connectFinished([this, name] { log.push_back(std::string(name) + "@" + std::to_string(frame)); });
        return g;
    }
    void twoGroups() {
        queue->addAction(group(a, cVector2(0, 0), cVector2(4, 0), "g1"));
        queue->addAction(group(b, cVector2(0, 0), cVector2(0, 8), "g2"));
        queue->connectFinished([this] { log.push_back("queue@" + std::to_string(frame)); });
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            ++frame;
            ui.step();
        }
    }

    UiHarness ui;
    cActionQueue* queue = nullptr;
    cSprite* a = nullptr;
    cSprite* b = nullptr;
    std::vector<std::string> log;
    int frame = 0;
};

} // namespace

TEST_F(ActionQueueTest, GroupsRunOneAfterAnother) {
    twoGroups();
    queue->start();
    std::vector<float> ax, by;
    for (int i = 0; i < 12; ++i) {
        run(1);
        ax.push_back(a->getPosition().x);
        by.push_back(b->getPosition().y);
    }
    // Group 1 starts in frame 1 and moves in frames 2 to 5; group 2 starts in 6, moves in 7 to 10.
    EXPECT_EQ(ax, (std::vector<float>{0, 1, 2, 3, 4, 4, 4, 4, 4, 4, 4, 4}));
    EXPECT_EQ(by, (std::vector<float>{0, 0, 0, 0, 0, 0, 2, 4, 6, 8, 8, 8}));
    EXPECT_EQ(log, (std::vector<std::string>{"g1@5", "g2@10", "queue@11"}));
    EXPECT_TRUE(queue->isFinished());
    EXPECT_FALSE(queue->isVisible());
}

TEST_F(ActionQueueTest, PlayBackwardReturnsEveryTargetLastGroupFirst) {
    twoGroups();
    queue->start();
    run(11);
    log.clear();
    queue->playBackward();
    run(11);
    EXPECT_EQ(log, (std::vector<std::string>{"g2@16", "g1@21", "queue@22"}));
    EXPECT_EQ(a->getPosition().x, 0);
    EXPECT_EQ(b->getPosition().y, 0);
    for (cActionGroup* g : queue->getGroups())
        for (cTween* tween : g->getActions()) {
            auto* move = static_cast<cMoveTween*>(tween);
            EXPECT_EQ(move->getEnd().x, move->getStart().x);
            EXPECT_EQ(move->getEnd().y, move->getStart().y);
        }
}

TEST_F(ActionQueueTest, PauseFreezesAndResumeContinues) {
    twoGroups();
    queue->start();
    run(3);
    EXPECT_EQ(a->getPosition().x, 2);
    queue->pause();
    run(4);
    EXPECT_EQ(a->getPosition().x, 2);
    queue->resume();
    run(1);
    EXPECT_EQ(a->getPosition().x, 3);
}

TEST_F(ActionQueueTest, ClearDeletesGroupsAndLeavesTargets) {
    twoGroups();
    queue->start();
    run(3);
    queue->clear();
    EXPECT_TRUE(queue->getGroups().empty());
    EXPECT_EQ(queue->getState(), ACTION_IDLE);
    run(2);
    EXPECT_EQ(a->getPosition().x, 2);
}

TEST_F(ActionQueueTest, EmptyQueueFinishesInItsFirstFrame) {
    queue->connectFinished([this] { log.push_back("queue@" + std::to_string(frame)); });
    queue->start();
    run(1);
    EXPECT_EQ(log, (std::vector<std::string>{"queue@1"}));
    EXPECT_FALSE(queue->isVisible());
}

TEST_F(ActionQueueTest, RewindingAnUnfinishedGroupListsItsTweenOnce) {
    cActionGroup* g = group(a, cVector2(0, 0), cVector2(4, 0), "g");
    queue->addAction(g);
    queue->start();
    run(3);
    EXPECT_EQ(a->getPosition().x, 2);
    g->rewind();
    EXPECT_EQ(g->getRunner()->getTweens().size(), 1u);
    EXPECT_EQ(g->getRunner()->getTweenValues().size(), 1u);
    run(1); // started again
    run(1);
    // Back toward 0 from 2 over a second, at single speed.
    EXPECT_FLOAT_EQ(a->getPosition().x, 1.5f);
    run(3);
    EXPECT_EQ(a->getPosition().x, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"g@8"}));
}

TEST_F(ActionQueueTest, ClearActionsLeavesTheRunnerEmpty) {
    cActionGroup g;
    g.addAction(new cActionMoveTween(a, cVector2(0, 0), cVector2(4, 0), 1.0f, EASING_LINEAR, EASE_IN, 0, &g));
    g.addAction(new cActionMoveTween(b, cVector2(0, 0), cVector2(4, 0), 1.0f, EASING_LINEAR, EASE_IN, 0, &g));
    g.start();
    g.process(0.25f);
    g.clearActions();
    EXPECT_TRUE(g.getActions().empty());
    EXPECT_TRUE(g.getRunner()->getTweens().empty());
    EXPECT_TRUE(g.getRunner()->getTweenValues().empty());
    g.process(0.25f);
    EXPECT_TRUE(g.isRunning());
}

TEST_F(ActionQueueTest, GroupStatesAndTheRunnerGoWithTheGroup) {
    auto* g = new cActionGroup;
    cTweenSprite* runner = g->getRunner();
    EXPECT_TRUE(g->isIdle());
    g->start();
    EXPECT_TRUE(g->isRunning());
    g->pause();
    EXPECT_TRUE(g->isPaused());
    g->resume();
    EXPECT_TRUE(g->isRunning());
    // A group without tweens never finishes.
    g->process(10);
    EXPECT_FALSE(g->isFinished());
    delete g;
    EXPECT_FALSE(isWidgetAlive(runner));
}

// The program's end sweeps every root widget, the runner among them, before the group's owner.
TEST_F(ActionQueueTest, AGroupWhoseRunnerWasSweptFirstStillGoes) {
    struct cCountedTween : cActionMoveTween {
        cCountedTween(cSprite* target, cActionGroup* group, int* deleted)
            : cActionMoveTween(target, cVector2(0, 0), cVector2(4, 0), 1.0f, EASING_LINEAR, EASE_IN, 0, group),
              m_deleted(deleted) {}
        ~cCountedTween() override { ++*m_deleted; }
        int* m_deleted;
    };
    int deleted = 0;
    auto* g = new cActionGroup;
    g->addAction(new cCountedTween(a, g, &deleted));
    g->addAction(new cCountedTween(b, g, &deleted));
    delete g->getRunner();
    // The freed runner's memory goes to whatever is allocated next; here it holds lists that
    // point nowhere, so a group that still reads its runner crashes.
    void* reused = ::operator new(sizeof(cTweenSprite));
    auto* words = static_cast<std::uintptr_t*>(reused);
    for (size_t i = 0; i < sizeof(cTweenSprite) / sizeof(std::uintptr_t); ++i)
        words[i] = (i + 1) * 16;
    delete g;
    EXPECT_EQ(deleted, 2);
    ::operator delete(reused);
}
