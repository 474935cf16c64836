#include "game/shell/YesNoFrame.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "tests/gui/LabelFixture.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

std::vector<std::string>& answers() {
    static std::vector<std::string> log;
    return log;
}
void yesAndClose(cYesNoFrame* frame) {
    answers().push_back("yes");
    frame->fadeOutAndDelete();
}
void noAndClose(cYesNoFrame* frame) {
    answers().push_back("no");
    frame->fadeOutAndDelete();
}
void yesAndHide(cYesNoFrame* frame) {
    answers().push_back("yes");
    frame->fadeOut();
}
void noAndHide(cYesNoFrame* frame) {
    answers().push_back("no");
    frame->fadeOut();
}

const cVector2 SHOW(512, 384);
const cVector2 YES_HOME(400, 450);

class YesNoFrameTest : public ::testing::Test {
protected:
    YesNoFrameTest() : ui(0.0625f) {}
    void SetUp() override {
        answers().clear();
        const std::string font = TestSupport::LabelFixture::FONT_KEYS;
        ui.writeFile("fonts/t.fnt", Font::bytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.writePicture("p.tga", 4, 4, 0xFFFFFFFF);
        ui.writeFile("frame.xml", "<F Visible=\"0\" Enable=\"1\" ShowTime=\"0.25\" HideTime=\"0.25\" "
                                  "show_position=\"512,384\" scale_time=\"0.125\" scale_param=\"0.1\">"
                                  "<Background><Back Visible=\"1\" Picture=\"p.tga\" position=\"512,384\" "
                                  "size=\"400,300\"/></Background>"
                                  "<YesButton Visible=\"1\" Enable=\"1\" Picture=\"p.tga\" position=\"400,450\" "
                                  "size=\"120,40\"><Text Visible=\"1\" String=\"Yes\" " +
                                      font +
                                      "/></YesButton>"
                                      "<NoButton Visible=\"1\" Enable=\"1\" Picture=\"p.tga\" position=\"624,450\" "
                                      "size=\"120,40\"><Text Visible=\"1\" String=\"No\" " +
                                      font +
                                      "/></NoButton>"
                                      "<Text Visible=\"1\" Enable=\"1\" position=\"512,350\" size=\"300,100\" " +
                                      font + "/></F>");
        ui.start();
    }
    cYesNoFrame* open(cYesNoFrame::tAnswerCallback yes = yesAndClose, cYesNoFrame::tAnswerCallback no = noAndClose) {
        auto* frame = new cYesNoFrame(nullptr, "frame.xml");
        frame->m_onYes = yes;
        frame->m_onNo = no;
        frame->fadeIn();
        return frame;
    }
    // Through the fade-in and the pulse.
    void settle() { ui.steps(8); }

    UiHarness ui;
};

} // namespace

TEST_F(YesNoFrameTest, EachControlFliesOnAStraightLineFromTheShowPosition) {
    cYesNoFrame* frame = open();
    // The back picture, both buttons and the text: one record each, with the loaded geometry.
    ASSERT_EQ(frame->getEffectWidgets().size(), 4u);
    for (const auto& record : frame->getEffectWidgets())
        if (record.widget == frame->getYesButton()) {
            EXPECT_EQ(record.homePosition, YES_HOME);
            EXPECT_EQ(record.homeSize, cVector2(120, 40));
        }
    for (int k = 1; k <= 3; ++k) {
        ui.step();
        const cVector2 expected = SHOW + (YES_HOME - SHOW) * (float(k) / 4);
        EXPECT_NEAR(frame->getYesButton()->getPosition().x, expected.x, 1e-3f) << k;
        EXPECT_NEAR(frame->getYesButton()->getPosition().y, expected.y, 1e-3f) << k;
        EXPECT_EQ(frame->getYesButton()->getSize(), cVector2(120, 40) * (float(k) / 4)) << k;
    }
    ui.step();
    EXPECT_EQ(frame->getYesButton()->getPosition(), YES_HOME);
    delete frame;
}

TEST_F(YesNoFrameTest, EnterAndSpaceAnswerYesEscapeAnswersNoOnRelease) {
    const struct {
        int key;
        const char* answer;
    } table[] = {{Platform::KEY_ENTER, "yes"}, {Platform::KEY_SPACE, "yes"}, {Platform::KEY_ESCAPE, "no"}};
    for (const auto& row : table) {
        answers().clear();
        cYesNoFrame* frame = open();
        settle();
        ui.keyDown(row.key);
        ui.step();
        EXPECT_TRUE(answers().empty()) << row.key;
        ui.keyUp(row.key);
        ui.step();
        EXPECT_EQ(answers(), std::vector<std::string>{row.answer}) << row.key;
        ui.steps(6);
        EXPECT_FALSE(isWidgetAlive(frame)) << row.key;
    }
}

TEST_F(YesNoFrameTest, SecondClickOrKeyDuringTheFadeOutDoesNotAnswerAgain) {
    cYesNoFrame* frame = open();
    settle();
    ui.click(400, 450);
    ui.step();
    ASSERT_EQ(answers(), std::vector<std::string>{"yes"});
    EXPECT_TRUE(frame->isAnswered());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_EQ(answers(), std::vector<std::string>{"yes"});
    // The fade-out still runs to its end.
    ui.steps(4);
    EXPECT_FALSE(isWidgetAlive(frame));
}

TEST_F(YesNoFrameTest, FadedInAgainItTakesAnAnswerAgain) {
    cYesNoFrame* frame = open(yesAndHide, noAndHide);
    settle();
    ui.tapKey(Platform::KEY_ENTER);
    ui.steps(6);
    EXPECT_FALSE(frame->isVisible());
    frame->fadeIn();
    settle();
    EXPECT_FALSE(frame->isAnswered());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(answers(), (std::vector<std::string>{"yes", "no"}));
    delete frame;
}

TEST_F(YesNoFrameTest, QuestionAppearsOnceTheFadeInHasEnded) {
    auto* frame = new cYesNoFrame(nullptr, "frame.xml");
    frame->setMessage(L"Leave the meadow?");
    frame->fadeIn();
    for (int i = 0; i < 3; ++i) {
        ui.step();
        EXPECT_EQ(frame->getText()->getText(), L"") << i;
    }
    ui.step();
    EXPECT_EQ(frame->getText()->getText(), L"Leave the meadow?");
    EXPECT_EQ(frame->getMessage(), L"Leave the meadow?");
    // Without callbacks an answer only closes the question.
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    EXPECT_TRUE(frame->isAnswered());
    EXPECT_TRUE(answers().empty());
    delete frame;
}

TEST(YesNoFrameLayout, ShippedFrameLoadsAndAnswers) {
    UiHarness ui(0.0625f);
    const std::filesystem::path data(MEADOW_SOURCE_DATA_DIR);
    const auto copy = [&](const std::string& name) {
        std::ifstream in(data / name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        ASSERT_FALSE(bytes.str().empty()) << name;
        ui.writeFile(name, bytes.str());
    };
    for (const std::string& name : TestSupport::shippedAtlasFiles(data.string()))
        copy(name);
    copy("UI/YesNoFrame.xml");
    for (const std::string& name : TestSupport::shippedFontFiles(data.string()))
        copy(name);
    ui.start();
    answers().clear();

    auto* frame = new cYesNoFrame(nullptr, "");
    EXPECT_EQ(frame->getEffectWidgets().size(), 4u);
    EXPECT_NE(frame->getYesButton()->getPicture(), nullptr);
    frame->m_onNo = noAndClose;
    frame->setMessage(L"Start the level again?");
    frame->fadeIn();
    ui.run(1.0f);
    EXPECT_EQ(frame->getYesButton()->getPosition(), cVector2(392, 470));
    EXPECT_EQ(frame->getNoButton()->getPosition(), cVector2(632, 470));
    EXPECT_EQ(frame->getNoButton()->getSize(), cVector2(216, 72));
    EXPECT_FALSE(frame->getText()->getLines().empty());
    ui.click(632, 470);
    ui.step();
    EXPECT_EQ(answers(), std::vector<std::string>{"no"});
    ui.run(1.0f);
    EXPECT_FALSE(isWidgetAlive(frame));
}
