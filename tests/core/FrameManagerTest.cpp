#include "engine/core/FrameManager.h"

#include "engine/core/DrawList.h"
#include "engine/core/FrameRegistry.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/TimedCallback.h"
#include "engine/core/WidgetSets.h"
#include "engine/platform/Cursor.h"
#include "tests/support/EngineFakes.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FrameStepper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Engine;
using namespace TestSupport;

namespace {

// A frame manager over a frame timer that runs 1/8 s frames on a hand-driven clock, with a
// recording input system and graphics device.
class FrameManager : public ::testing::Test {
protected:
    FrameManager()
        : timer(4, 8), inputService(std::make_unique<FakeInput>(log)),
          graphicsService(std::make_unique<FakeGraphics>(log)), managerService(std::make_unique<cFrameManager>()),
          input(*inputService), graphics(*graphicsService), manager(*managerService) {
        log.clear();
    }

    int count(const std::string& entry) const { return int(std::count(log.begin(), log.end(), entry)); }
    size_t indexOf(const std::string& entry) const {
        return size_t(std::find(log.begin(), log.end(), entry) - log.begin());
    }

    EventLog log;
    FakeClock clock;
    cFrameTimer timer;
    std::unique_ptr<FakeInput> inputService;
    std::unique_ptr<FakeGraphics> graphicsService;
    std::unique_ptr<cFrameManager> managerService;
    FakeInput& input;
    FakeGraphics& graphics;
    cFrameManager& manager;
};

bool countCall(void* user) {
    ++*static_cast<int*>(user);
    return true;
}

} // namespace

TEST_F(FrameManager, OneFrameRunsItsStepsInOrder) {
    FakeWidget widget(log, "w");
    addToUpdateList(&widget);
    addToProcessList(&widget);
    FakeDrawable drawable(log, "d", 1);
    cDrawList::add(&drawable);
    manager.setFrameHook([] {});

    manager.updateFrame();
    EventLog expected = {"pollInput", "w update", "w process", "beginFrame", "draw d", "endFrame"};
    EXPECT_EQ(log, expected);
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.125f);

    cDrawList::remove(&drawable);
    manager.setFrameHook(nullptr);
}

TEST_F(FrameManager, SuspendedFrameOnlyDeletesDeferredWidgets) {
    FakeWidget widget(log, "w");
    addToUpdateList(&widget);
    auto* doomed = new FakeWidget(log, "doomed");
    deleteWidgetLater(doomed);
    manager.setSuspended(true);
    double time = timer.getTime();

    manager.updateFrame();
    EventLog expected = {"doomed detached", "doomed deleted"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(timer.getTime(), time);

    log.clear();
    manager.m_runInBackground = true;
    manager.updateFrame();
    EXPECT_EQ(count("w update"), 1);
    EXPECT_EQ(count("endFrame"), 1);
}

TEST_F(FrameManager, PausedFrameKeepsInputAndDrawingButStopsHooks) {
    FakeWidget widget(log, "w");
    widget.m_fadeSteps = 5;
    getFadingWidgets().insert(&widget);
    addToUpdateList(&widget);
    int fired = 0;
    new cTimedCallback(0, countCall, &fired);
    int hooks = 0;
    static int* s_hooks;
    s_hooks = &hooks;
    manager.setFrameHook([] { ++*s_hooks; });
    manager.setPaused(true);

    for (int i = 0; i < 3; ++i)
        manager.updateFrame();
    EXPECT_EQ(count("pollInput"), 3);
    EXPECT_EQ(count("endFrame"), 3);
    EXPECT_EQ(count("w update"), 0);
    EXPECT_EQ(count("w fade"), 0);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(hooks, 0);
    EXPECT_EQ(manager.m_updateRate, 0.0f);

    manager.setPaused(false);
    manager.updateFrame();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(hooks, 1);
    EXPECT_EQ(count("w fade"), 1);
    manager.setFrameHook(nullptr);
    getFadingWidgets().clear();
}

TEST_F(FrameManager, FadesHoldTheWalksUntilTheFrameAfterTheLastFadeEnds) {
    FakeWidget fader(log, "f");
    fader.m_fadeSteps = 2;
    getFadingWidgets().insert(&fader);
    FakeWidget widget(log, "w");
    addToUpdateList(&widget);
    addToProcessList(&widget);

    manager.updateFrame(); // fade step 1
    manager.updateFrame(); // fade step 2: the fade ends, the set empties after the walk
    EXPECT_EQ(count("f fade"), 2);
    EXPECT_EQ(count("pollInput"), 2);
    EXPECT_EQ(count("w update"), 0);
    EXPECT_TRUE(getFadingWidgets().empty());

    manager.updateFrame();
    EXPECT_EQ(count("w update"), 1);
    EXPECT_EQ(count("w process"), 1);
}

TEST_F(FrameManager, ChangesDuringAWalkApplyAfterIt) {
    FakeWidget self(log, "self");
    FakeWidget added(log, "added");
    addToUpdateList(&self);
    self.m_onUpdate = [&] {
        removeFromUpdateList(&self);
        addToUpdateList(&added);
    };

    manager.updateFrame();
    EXPECT_EQ(count("self update"), 1);
    EXPECT_EQ(count("added update"), 0); // added during the walk: first called next frame
    EXPECT_TRUE(isInUpdateList(&added));

    manager.updateFrame();
    EXPECT_EQ(count("self update"), 1);
    EXPECT_EQ(count("added update"), 1);
    removeFromUpdateList(&added);
}

TEST_F(FrameManager, WidgetDestroyedDuringAWalkIsNotCalledAfterwards) {
    auto* first = new FakeWidget(log, "a");
    auto* second = new FakeWidget(log, "b");
    // Whichever is walked first deletes the other one.
    first->m_onProcess = [&] {
        delete second;
        second = nullptr;
    };
    second->m_onProcess = [&] {
        delete first;
        first = nullptr;
    };
    addToProcessList(first);
    addToProcessList(second);

    manager.updateFrame();
    EXPECT_EQ(count("a process") + count("b process"), 1);
    manager.updateFrame();
    EXPECT_EQ(count("a process") + count("b process"), 2);
    delete first;
    delete second;
}

TEST_F(FrameManager, TimedCallbacksFireOnceAfterTheirDelay) {
    int fired = 0;
    new cTimedCallback(0.3f, countCall, &fired);
    auto* never = new cTimedCallback(std::nanf(""), countCall, &fired);

    manager.updateFrame();
    manager.updateFrame();
    EXPECT_EQ(fired, 0);
    manager.updateFrame(); // 0.375 s
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(getTimedCallbacks().size(), 1u);
    for (int i = 0; i < 5; ++i)
        manager.updateFrame();
    EXPECT_EQ(fired, 1);
    delete never;
    EXPECT_TRUE(getTimedCallbacks().empty());
}

TEST_F(FrameManager, TimedCallbackMayDestroyAnotherThatFiredInTheSameFrame) {
    static cTimedCallback* s_other;
    static int s_fired;
    s_fired = 0;
    auto destroyOther = [](void*) {
        ++s_fired;
        if (s_other) {
            delete s_other;
            s_other = nullptr;
        }
        return true;
    };
    auto* first = new cTimedCallback(0, destroyOther, nullptr);
    s_other = new cTimedCallback(0, destroyOther, nullptr);
    (void)first;

    manager.updateFrame();
    EXPECT_GE(s_fired, 1);
    EXPECT_TRUE(getTimedCallbacks().empty());
}

TEST_F(FrameManager, DeferredDeletionSurvivesADestructorThatDeletesAnotherPendingWidget) {
    struct Owner : FakeWidget {
        Owner(EventLog& log, FakeWidget* child) : FakeWidget(log, "owner"), m_child(child) {}
        // Deletion order follows the set's order, so the child may already be gone.
        ~Owner() override {
            if (Engine::isWidgetAlive(m_child))
                delete m_child;
        }
        FakeWidget* m_child;
    };
    auto* child = new FakeWidget(log, "child");
    auto* owner = new Owner(log, child);
    deleteWidgetLater(child);
    deleteWidgetLater(owner);
    deleteWidgetLater(owner);

    manager.updateFrame();
    EXPECT_EQ(count("owner deleted"), 1);
    EXPECT_EQ(count("child deleted"), 1);
    EXPECT_TRUE(getPendingDeletions().empty());
    EXPECT_GT(indexOf("owner deleted"), indexOf("endFrame"));
}

TEST_F(FrameManager, DrawPassSortsByDepthAndSkipsHiddenDrawables) {
    FakeDrawable near(log, "near", 1), far(log, "far", 10), hidden(log, "hidden", 5);
    hidden.m_visible = false;
    cDrawList::add(&near);
    cDrawList::add(&far);
    cDrawList::add(&hidden);
    EXPECT_TRUE(near.m_inList);

    manager.drawFrame();
    EventLog expected = {"beginFrame", "draw far", "draw near", "endFrame"};
    EXPECT_EQ(log, expected);

    cDrawList::remove(&near);
    cDrawList::remove(&near); // absent: nothing
    cDrawList::remove(&far);
    cDrawList::remove(&hidden);
    EXPECT_FALSE(near.m_inList);
    EXPECT_TRUE(cDrawList::getEntries().empty());
}

TEST_F(FrameManager, UpdateRateCountsFramesOverWindowsOfMoreThanAFifthOfASecond) {
    manager.updateFrame();
    EXPECT_EQ(manager.m_updateRate, 0.0f); // 0.125 s so far
    manager.updateFrame();
    EXPECT_FLOAT_EQ(manager.m_updateRate, 8.0f); // 2 frames in 0.25 s
}

TEST_F(FrameManager, HotKeysAreRegisteredAndRemovedInOrder) {
    managerService.reset();
    log.clear();
    managerService = std::make_unique<cFrameManager>();
    EventLog registered = {"addKey 312", "addKey 440", "addKey 56", "addKey 184", "addKey 183"};
    EXPECT_EQ(log, registered);
    log.clear();
    input.fire(183);
    input.fire(312);
    EventLog captured = {"capture screenshot.jpg"};
    EXPECT_EQ(log, captured);
    log.clear();
    managerService.reset();
    EventLog removed = {"removeKey 312", "removeKey 440", "removeKey 56", "removeKey 184", "removeKey 183"};
    EXPECT_EQ(log, removed);
    EXPECT_EQ(input.callbackCount(), 0u);
}

TEST_F(FrameManager, CursorPositionIsTheSystemCursorRelativeToTheClient) {
    FakeApplication application(log);
    graphics.m_left = 100;
    graphics.m_top = 50;
    Platform::setHeadlessCursorPos(130, 70);

    manager.updateFrame();
    EXPECT_FLOAT_EQ(manager.getCursorPosition()->x, 30);
    EXPECT_FLOAT_EQ(manager.getCursorPosition()->y, 20);
}

TEST_F(FrameManager, RunsWithoutAnyOtherService) {
    managerService.reset();
    inputService.reset();
    graphicsService.reset();
    cFrameManager alone;
    EXPECT_EQ(getFrameManager(), &alone);
    alone.updateFrame();
    alone.closeMainWindow();
    SUCCEED();
}

TEST(FrameStepper, RunsTheFrameLoopInEighthsOfASecond) {
    EventLog log;
    FakeWidget widget(log, "w");
    addToUpdateList(&widget);
    FrameStepper stepper;
    stepper.step(3);
    EXPECT_EQ(log, (EventLog{"w update", "w update", "w update"}));
    EXPECT_FLOAT_EQ(stepper.timer().getDelta(), FrameStepper::FRAME_TIME);
    EXPECT_NEAR(stepper.timer().getTime(), 3 * FrameStepper::FRAME_TIME, 1e-9);
    removeFromUpdateList(&widget);
}
