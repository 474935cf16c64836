#include "game/shell/Easing.h"
#include "game/shell/FadeTween.h"
#include "game/shell/MoveTween.h"
#include "game/shell/TweenSprite.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

// Logs its notices and counts live instances, so a test sees a deletion.
class LoggingTween : public cMoveTween {
public:
    LoggingTween(cSprite* target, float duration, float delay, bool autoDelete, std::vector<std::string>& log,
                 const char* name)
        : cMoveTween(target, cVector2(0, 0), cVector2(10, 0), duration, EASING_LINEAR, EASE_IN, delay, autoDelete),
          m_log(log), m_name(name) {
        ++live;
    }
    ~LoggingTween() override { --live; }
    void onStart(cTweenValues* record) override {
        if (record == &m_values)
            m_log.push_back(m_name + " start");
        cMoveTween::onStart(record);
    }
    bool onFinish(cTweenValues* record) override {
        m_log.push_back(m_name + " finish " + (record == &m_values ? "own" : "other"));
        return cMoveTween::onFinish(record);
    }
    static int live;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};
int LoggingTween::live = 0;

class TweenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.start();
        target = new cSprite(nullptr);
        runner = new cTweenSprite(nullptr);
        LoggingTween::live = 0;
    }
    void TearDown() override {
        delete runner;
        delete target;
    }

    UiHarness ui;
    cSprite* target = nullptr;
    cTweenSprite* runner = nullptr;
    std::vector<std::string> log;
};

} // namespace

TEST_F(TweenTest, NoDelayStartsAndMovesInTheSameFrame) {
    cMoveTween tween(target, cVector2(0, 0), cVector2(8, 4), 1.0f, EASING_LINEAR, EASE_IN, 0, false);
    tween.start(runner);
    runner->processTweens(0.25f);
    EXPECT_FLOAT_EQ(target->getPosition().x, 2);
    EXPECT_FLOAT_EQ(target->getPosition().y, 1);
    // Overshooting writes exactly the end and finishes in that frame.
    runner->processTweens(5.0f);
    EXPECT_FLOAT_EQ(target->getPosition().x, 8);
    EXPECT_FLOAT_EQ(target->getPosition().y, 4);
    EXPECT_TRUE(runner->getTweenValues().empty());
    EXPECT_TRUE(runner->getTweens().empty());
}

TEST_F(TweenTest, DelayEndsWithoutCarryingTimeOver) {
    cMoveTween tween(target, cVector2(0, 0), cVector2(10, 0), 1.0f, EASING_LINEAR, EASE_IN, 0.5f, false);
    tween.start(runner);
    target->setPosition(cVector2(-1, -1));
    // Frames of 0.2 s: the start notice applies the start in frame 1, running from frame 3
    // (elapsed reset to 0, nothing written), first eased values at t = 0.2 in frame 4.
    const float expected[] = {0, 0, 0, 2, 4};
    for (float x : expected) {
        runner->processTweens(0.2f);
        EXPECT_FLOAT_EQ(target->getPosition().x, x);
    }
}

TEST_F(TweenTest, FinishedAutoDeleteTweenLeavesTheListBeforeTheNextNotice) {
    auto* first = new LoggingTween(target, 0.5f, 0, true, log, "a");
    auto* second = new LoggingTween(target, 1.0f, 0, true, log, "b");
    first->start(runner);
    second->start(runner);
    runner->processTweens(0.5f);
    EXPECT_EQ(log, (std::vector<std::string>{"a start", "a finish own", "b finish other", "b start"}));
    EXPECT_EQ(LoggingTween::live, 1);
    ASSERT_EQ(runner->getTweens().size(), 1u);
    EXPECT_EQ(runner->getTweens()[0], second);
    runner->processTweens(0.5f);
    EXPECT_EQ(LoggingTween::live, 0);
    EXPECT_TRUE(runner->getTweens().empty());
    EXPECT_TRUE(runner->getTweenValues().empty());
}

TEST_F(TweenTest, FadeTweenFadesAndDeletesItself) {
    target->setAlpha(1);
    auto* fade = new cFadeTween(target, 1.0f, 0.0f, 0.5f, EASING_LINEAR, EASE_IN, 0);
    fade->start(runner);
    runner->processTweens(0.25f);
    EXPECT_FLOAT_EQ(target->getAlpha(), 0.5f);
    runner->processTweens(0.25f);
    EXPECT_FLOAT_EQ(target->getAlpha(), 0.0f);
    EXPECT_TRUE(runner->getTweens().empty());
}

TEST_F(TweenTest, ResetRestartsFromThePresentValues) {
    cMoveTween tween(target, cVector2(0, 0), cVector2(10, 0), 1.0f, EASING_LINEAR, EASE_IN, 0.5f, false);
    tween.start(runner);
    runner->processTweens(0.6f);
    runner->processTweens(0.5f);
    cTweenValues& values = tween.getValues();
    EXPECT_TRUE(values.running);
    resetTweenValues(values);
    EXPECT_FALSE(values.running);
    EXPECT_FALSE(values.started);
    EXPECT_EQ(values.elapsed, 0);
    EXPECT_FLOAT_EQ(values.entries[0].start, 5);
}

TEST_F(TweenTest, RunnerProcessesWithTheFrameTime) {
    runner->show();
    runner->enable();
    cMoveTween tween(target, cVector2(0, 0), cVector2(16, 0), 1.0f, EASING_LINEAR, EASE_IN, 0, false);
    tween.start(runner);
    ui.step(0.125f);
    EXPECT_FLOAT_EQ(target->getPosition().x, 2);
}

TEST_F(TweenTest, CallbackMoveTweenReportsItsItemOnArrival) {
    int landed = -1;
    auto* tween = new cCallbackMoveTween(target, cVector2(0, 0), cVector2(5, 5), 0.25f, EASING_QUAD, EASE_OUT, 0, true,
                                         nullptr, 7, [&landed](int item) { landed = item; });
    tween->start(runner);
    runner->processTweens(0.125f);
    EXPECT_EQ(landed, -1);
    runner->processTweens(0.125f);
    EXPECT_EQ(landed, 7);
    EXPECT_FLOAT_EQ(target->getPosition().x, 5);
}
