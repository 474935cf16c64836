#include "engine/core/FrameTimer.h"

#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using Engine::cFrameTimer;
using TestSupport::FakeClock;

TEST(FrameTimer, PacesShortFramesUpToMaxFps) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    timer.tickFrameTimer();
    EXPECT_EQ(clock.sleeps().back(), 5u);
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.005f);

    clock.advance(2); // work done during the frame
    timer.tickFrameTimer();
    EXPECT_EQ(clock.sleeps().back(), 3u);
    EXPECT_FLOAT_EQ(timer.getRealDelta(), 0.005f);

    clock.advance(10); // longer than the shortest frame: no sleep
    size_t sleeps = clock.sleeps().size();
    timer.tickFrameTimer();
    EXPECT_EQ(clock.sleeps().size(), sleeps);
    EXPECT_EQ(clock.yields(), 1);
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.010f);
}

TEST(FrameTimer, StallIsClampedToMinFpsAndRaisesTickDue) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    timer.tickFrameTimer();
    timer.takeTickDue();
    clock.advance(1000);
    timer.tickFrameTimer();
    EXPECT_FLOAT_EQ(timer.getDelta(), 1.0f / 15);
    EXPECT_TRUE(timer.takeTickDue());
    EXPECT_FALSE(timer.takeTickDue());
    EXPECT_NEAR(timer.getTime(), 1.005, 1e-9); // the clock itself is not clamped
}

TEST(FrameTimer, ZeroLengthFrameReportsOneMicrosecond) {
    FakeClock clock;
    cFrameTimer timer(15, 1e6f);
    timer.tickFrameTimer();
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.000001f);
}

TEST(FrameTimer, TickAndResetZeroesThisAndNextFrame) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    timer.tickAndReset();
    EXPECT_EQ(timer.getDelta(), 0.0f);
    EXPECT_EQ(timer.getRealDelta(), 0.0f);
    timer.tickFrameTimer();
    EXPECT_EQ(timer.getDelta(), 0.0f);
    timer.tickFrameTimer();
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.005f);
}

TEST(FrameTimer, CounterWrapAdvancesOneMillisecond) {
    FakeClock clock(4294967290u);
    cFrameTimer timer(15, 1e6f);
    timer.tickFrameTimer();
    double before = timer.getTime();
    clock.set(3);
    timer.tickFrameTimer();
    EXPECT_NEAR(timer.getTime() - before, 0.001, 1e-12);
}

TEST(FrameTimer, TickDueFollowsTickRate) {
    struct Case {
        float maxFps;
        int expectedPerSecond;
    };
    for (Case c : {Case{30, 30}, Case{200, 60}}) {
        FakeClock clock;
        cFrameTimer timer(15, c.maxFps);
        for (int i = 0; i < 100; ++i) // warm up the frame-rate window
            timer.tickFrameTimer();
        timer.takeTickDue();
        double start = timer.getTime();
        int due = 0;
        while (timer.getTime() - start < 1.0) {
            timer.tickFrameTimer();
            due += timer.takeTickDue();
        }
        EXPECT_NEAR(due, c.expectedPerSecond, 4) << "MaxFps " << c.maxFps;
    }
}

TEST(FrameTimer, FrameRateIsMeasuredOverWindowsOfMoreThanATenthOfASecond) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    for (int i = 0; i < 21; ++i) // 5 ms frames: the first window ends at 0.105 s
        timer.tickFrameTimer();
    EXPECT_EQ(timer.getFps(), 0.0f);
    timer.tickFrameTimer();
    EXPECT_NEAR(timer.getFps(), 200.0f, 0.01f);
}

TEST(FrameTimer, ExchangeTickDueReturnsTheFlagAndSetsTheGivenValue) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    EXPECT_TRUE(timer.exchangeTickDue(false)); // due from the start
    EXPECT_FALSE(timer.exchangeTickDue(true));
    EXPECT_TRUE(timer.exchangeTickDue(true));
    EXPECT_TRUE(timer.takeTickDue());
    EXPECT_FALSE(timer.takeTickDue());
}

TEST(FrameTimer, SpeedScalesDeltaButNotClockOrRate) {
    FakeClock clock;
    cFrameTimer timer(15, 100);
    timer.tickFrameTimer();
    timer.setSpeed(0.5f);
    timer.tickFrameTimer();
    EXPECT_FLOAT_EQ(timer.getRealDelta(), 0.010f);
    EXPECT_FLOAT_EQ(timer.getDelta(), 0.005f);
    EXPECT_NEAR(timer.getTime(), 0.020, 1e-9);
}

TEST(FrameTimer, NonPositiveRatesAreClampedToOne) {
    FakeClock clock;
    cFrameTimer timer(0, -5);
    EXPECT_EQ(timer.getMinFps(), 1.0f);
    EXPECT_EQ(timer.getMaxFps(), 1.0f);
    timer.tickFrameTimer();
    EXPECT_EQ(clock.sleeps().back(), 1000u);
    timer.setMinFps(-3);
    EXPECT_EQ(timer.getMinFps(), 1.0f);
    clock.advance(5000);
    timer.tickFrameTimer();
    EXPECT_FLOAT_EQ(timer.getDelta(), 1.0f);
}

TEST(FrameTimer, ClockKeepsMillisecondPrecisionAfterHundredHours) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    for (int hour = 0; hour < 100; ++hour) {
        clock.advance(3600 * 1000);
        timer.tickFrameTimer();
    }
    double before = timer.getTime();
    timer.tickFrameTimer();
    EXPECT_NEAR(timer.getTime() - before, 0.005, 1e-9);
    EXPECT_GE(before, 360000.0);
}

TEST(FrameTimer, SecondInstanceThrows) {
    FakeClock clock;
    cFrameTimer timer(15, 200);
    EXPECT_EQ(Engine::getFrameTimer(), &timer);
    try {
        cFrameTimer second(15, 200);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
}

TEST(FrameTimer, FrameDeltaIsTheScaledFrameAndZeroWithoutATimer) {
    EXPECT_EQ(Engine::frameDelta(), 0.0f);
    FakeClock clock;
    {
        cFrameTimer timer(15, 200);
        timer.setSpeed(2);
        timer.tickFrameTimer();
        EXPECT_FLOAT_EQ(Engine::frameDelta(), 0.010f);
    }
    EXPECT_EQ(Engine::frameDelta(), 0.0f);
}
