#include "game/shell/ScreenSwitcher.h"
#include "engine/core/WidgetSets.h"
#include "game/shell/GroupFader.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

// Writes each notification with the frame it came in.
class RecordingScreen : public cScreen {
public:
    RecordingScreen(std::vector<std::string>& log, const int& frame, float hideTime, float showTime)
        : m_log(log), m_frame(frame) {
        m_hideTime = hideTime;
        m_showTime = showTime;
    }
    void onScreenShown(cScreenSwitcher* switcher) override {
        m_log.push_back("shown@" + std::to_string(m_frame));
        mode = switcher->getMode();
    }
    void onScreenHidden(cScreenSwitcher* switcher) override {
        m_log.push_back("hidden@" + std::to_string(m_frame));
        if (next)
            switcher->setSecondScreen(next);
    }
    void onScreenCovered() override { m_log.push_back("covered@" + std::to_string(m_frame)); }

    cScreen* next = nullptr;
    int mode = -1;

private:
    std::vector<std::string>& m_log;
    const int& m_frame;
};

class ScreenSwitcherTest : public ::testing::Test {
protected:
    ScreenSwitcherTest() : ui(0.125f) {}
    void SetUp() override { ui.start(); }
    // Steps until the switcher is gone (at most 40 frames); the overlay's alpha after each frame.
    std::vector<float> run(cScreenSwitcher* switcher) {
        std::vector<float> alphas;
        while (isWidgetAlive(switcher) && frame < 40) {
            ++frame;
            ui.step();
            if (isWidgetAlive(switcher))
                alphas.push_back(switcher->getAlpha());
        }
        return alphas;
    }

    UiHarness ui;
    std::vector<std::string> log;
    int frame = 0;
};

} // namespace

TEST_F(ScreenSwitcherTest, CoversHidesThenUncoversAndShows) {
    RecordingScreen first(log, frame, 0.5f, 0.5f), second(log, frame, 0.5f, 0.5f);
    auto* switcher = new cScreenSwitcher(&first, &second);
    switcher->setMode(SWITCH_FROM_LEVEL);
    EXPECT_EQ(switcher->getDepth(), 7999);
    EXPECT_EQ(switcher->getSize().x, 1024);

    const std::vector<float> alphas = run(switcher);

    // 0.75 is not above 0.75: covered only in the frame of 1.0; remaining exactly 0 while
    // uncovering (frame 9) does not end the switch.
    const std::vector<float> expected = {0.25f, 0.5f, 0.75f, 1.0f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
    EXPECT_EQ(alphas, expected);
    EXPECT_EQ(log, (std::vector<std::string>{"covered@4", "hidden@5", "shown@10"}));
    EXPECT_EQ(second.mode, SWITCH_FROM_LEVEL);
}

TEST_F(ScreenSwitcherTest, SecondScreenSetWhileHiddenGivesTheUncoverTime) {
    RecordingScreen first(log, frame, 0.25f, 9.0f), late(log, frame, 0.25f, 0.125f);
    first.next = &late;
    auto* switcher = new cScreenSwitcher(&first, nullptr);
    run(switcher);
    EXPECT_EQ(log, (std::vector<std::string>{"covered@2", "hidden@3", "shown@5"}));
    EXPECT_EQ(late.mode, SWITCH_PLAIN);
}

TEST_F(ScreenSwitcherTest, ZeroTimesTakeOneFrameEach) {
    RecordingScreen first(log, frame, 0, 0), second(log, frame, 0, 0);
    run(new cScreenSwitcher(&first, &second));
    EXPECT_EQ(log, (std::vector<std::string>{"covered@1", "hidden@2", "shown@3"}));
}

TEST_F(ScreenSwitcherTest, ScreenReadsItsTimesAndKeepsMissingOnes) {
    RecordingScreen screen(log, frame, 0.5f, 0.75f);
    ui.writeFile("screen.xml", "<Screen ShowTime=\"2.5\"/>");
    screen.readShowHideTimes(ui.layout("screen.xml"));
    EXPECT_EQ(screen.getShowTime(), 2.5f);
    EXPECT_EQ(screen.getHideTime(), 0.5f);
}

TEST_F(ScreenSwitcherTest, MissingSecondScreenThrowsWhenCovered) {
    RecordingScreen first(log, frame, 0.125f, 0.125f);
    auto* switcher = new cScreenSwitcher(&first, nullptr);
    ui.step();
    try {
        switcher->process();
        FAIL() << "no exception";
    } catch (const char* text) {
        EXPECT_STREQ(text, "cScreenSwitcher::process(): the second screen is not defined");
    }
    deleteWidgetLater(switcher);
}

namespace {

class CountingGroupFader : public cGroupFader {
public:
    using cGroupFader::cGroupFader;
    void onShown() override { ++shown; }
    void onHidden() override { ++hidden; }
    int shown = 0, hidden = 0;
};

class GroupFaderTest : public ::testing::Test {
protected:
    GroupFaderTest() : ui(0.125f) {}
    void SetUp() override {
        ui.start();
        fader = new CountingGroupFader(nullptr);
        fader->setShowTime(0.5f);
        fader->setHideTime(0.25f);
        fader->show();
        fader->enable();
        widget = new cSprite(nullptr);
        fader->addFadingWidget(widget);
    }
    void TearDown() override {
        delete fader;
        delete widget;
    }
    std::vector<float> run(int frames) {
        std::vector<float> alphas;
        for (int i = 0; i < frames; ++i) {
            ui.step();
            alphas.push_back(widget->getAlpha());
        }
        return alphas;
    }

    UiHarness ui;
    CountingGroupFader* fader = nullptr;
    cSprite* widget = nullptr;
};

} // namespace

TEST_F(GroupFaderTest, ShowsTheGroupOverTheShowTime) {
    EXPECT_EQ(widget->getAlpha(), 0);
    ui.steps(2);
    EXPECT_EQ(widget->getAlpha(), 0) << "an idle fader leaves an added widget at 0";
    fader->startShow();
    EXPECT_EQ(run(5), (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f, 1.0f}));
    EXPECT_EQ(fader->shown, 1);
    EXPECT_EQ(fader->getGroupState(), cGroupFader::GROUP_IDLE);
}

TEST_F(GroupFaderTest, HideWhileShowingReversesAtOnce) {
    fader->startShow();
    run(2);
    fader->startHide();
    EXPECT_EQ(widget->getAlpha(), 1);
    EXPECT_EQ(run(3), (std::vector<float>{0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(fader->hidden, 1);
    EXPECT_EQ(fader->shown, 0);
}
