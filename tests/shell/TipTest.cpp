#include "game/shell/Tip.h"
#include "engine/gui/MultilineText.h"
#include "engine/media/GraphicsDevice.h"
#include "tests/gui/LabelFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

struct Font : TestSupport::LabelFixture {
    static std::string bytes() { return fontBytes(); }
};

// A control that is visible and enabled, so that its tip is stepped by the frame loop.
class TipTest : public ::testing::Test {
protected:
    TipTest() : ui(0.0625f) {}
    void SetUp() override {
        ui.writeFile("fonts/t.fnt", Font::bytes());
        ui.writePicture("fonts/t.tga", 100, 20, 0xFFFFFFFFu);
        ui.writePicture("tip.tga", 4, 4, 0xFFFFFFFF);
        ui.writeFile("tip.xml",
                     "<Tip ShowDelayTime=\"0.25\">"
                     "<Panel Picture=\"tip.tga\" position=\"0,0\" size=\"100,40\" deep=\"40\" Offset=\"10,5\"/>"
                     "<Texts><Title Tag=\"title\" size=\"90,20\" " +
                         std::string(TestSupport::LabelFixture::FONT_KEYS) +
                         " String=\"a\"/>"
                         "<Body size=\"90,20\" " +
                         TestSupport::LabelFixture::FONT_KEYS +
                         "/></Texts>"
                         "<Pics><Icon Picture=\"tip.tga\" size=\"8,8\"/></Pics></Tip>");
        ui.start();
        control = new cPanel(nullptr);
        control->setPosition(200, 200);
        control->show();
        control->enable();
    }
    void TearDown() override { delete control; }
    cTip* makeTip(float showDelay = -1) {
        auto* tip = new cTip(control);
        tip->loadXML(ui.layout("tip.xml"));
        tip->enable();
        if (showDelay >= 0) {
            ui.writeFile("delay.xml", "<Tip ShowDelayTime=\"" + std::to_string(showDelay) + "\"/>");
            tip->loadXML(ui.layout("delay.xml"));
        }
        return tip;
    }
    std::vector<float> alphas(cTip* tip, int frames) {
        std::vector<float> out;
        for (int i = 0; i < frames; ++i) {
            ui.step();
            out.push_back(tip->isVisible() ? tip->getAlpha() : -1.0f);
        }
        return out;
    }

    UiHarness ui;
    cPanel* control = nullptr;
};

void expectNear(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "frame " << i + 1;
}

} // namespace

TEST_F(TipTest, LoadsTextsPicturesAndAFixedDepthAndStartsHidden) {
    cTip* tip = makeTip();
    EXPECT_FALSE(tip->isShownFlagSet());
    EXPECT_EQ(tip->getShowDelay(), 0.25f);
    EXPECT_EQ(tip->getFixedDepth(), 40);
    EXPECT_EQ(tip->getOffset(), cVector2(10, 5));
    EXPECT_EQ(tip->getChildren().size(), 3u);
    ASSERT_TRUE(tip->getTaggedText("title"));
    EXPECT_EQ(tip->getTaggedText("title")->getText(), L"a");
    EXPECT_FALSE(tip->getTaggedText(""));
    for (cWidget* child : tip->getChildren())
        EXPECT_EQ(static_cast<cSprite*>(child)->getAlpha(), 0);

    tip->setAlpha(0.5f);
    for (cWidget* child : tip->getChildren())
        EXPECT_EQ(static_cast<cSprite*>(child)->getAlpha(), 0.5f);
    // The owner's depth moves its children; a tip with a fixed depth stays on top.
    control->setDepth(7);
    EXPECT_EQ(tip->getDepth(), 40);
}

TEST_F(TipTest, OpensTowardTheMiddleOfTheScreenNearEachEdge) {
    ASSERT_EQ(getGraphicsDevice()->getScreenWidth(), 1024);
    ASSERT_EQ(getGraphicsDevice()->getScreenHeight(), 768);
    cTip* tip = makeTip();
    const struct {
        cVector2 point;
        cVector2 centre;
        bool mirrorX, mirrorY;
    } table[] = {
        {{100, 100}, {160, 125}, false, false}, {{900, 100}, {840, 125}, true, false},
        {{100, 700}, {160, 675}, false, true},  {{900, 700}, {840, 675}, true, true},
        {{512, 384}, {572, 409}, false, false}, {{513, 385}, {453, 360}, true, true},
    };
    for (const auto& row : table) {
        tip->placeAt(row.point);
        EXPECT_EQ(tip->getPosition(), row.centre) << row.point.x << "," << row.point.y;
        EXPECT_EQ(tip->getInverseX(), row.mirrorX) << row.point.x;
        EXPECT_EQ(tip->getInverseY(), row.mirrorY) << row.point.y;
    }
}

TEST_F(TipTest, TipCrossingAnEdgeIsPlacedAgainAroundItsCentre) {
    cTip* tip = makeTip(0);
    tip->startShowing();
    tip->setPosition(1000, 300);
    ui.step();
    EXPECT_EQ(tip->getPosition(), cVector2(940, 325));
    ui.step();
    EXPECT_EQ(tip->getPosition(), cVector2(940, 325));
}

TEST_F(TipTest, WaitsItsDelayThenFadesInAndOut) {
    cTip* tip = makeTip();
    tip->startShowing();
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->getAlpha(), 0);
    const float step = 0.0625f * cTip::FADE_SPEED;
    expectNear(alphas(tip, 9), {0, 0, 0, 0, step, 2 * step, 3 * step, 4 * step, 1});
    for (cWidget* child : tip->getChildren())
        EXPECT_EQ(static_cast<cSprite*>(child)->getAlpha(), 1);

    tip->startHiding();
    expectNear(alphas(tip, 5), {1 - step, 1 - 2 * step, 1 - 3 * step, 1 - 4 * step, -1});
    EXPECT_EQ(tip->getAlpha(), 0);
}

TEST_F(TipTest, WithoutDelayItFadesFromTheFirstStep) {
    cTip* tip = makeTip(0);
    tip->startShowing();
    const float step = 0.0625f * cTip::FADE_SPEED;
    expectNear(alphas(tip, 5), {step, 2 * step, 3 * step, 4 * step, 1});
}

TEST_F(TipTest, HidingDuringTheWaitHidesOnceTheWaitHasRunOut) {
    cTip* tip = makeTip(0.125f);
    tip->startShowing();
    tip->startHiding();
    expectNear(alphas(tip, 3), {0, 0, -1});
}

TEST_F(TipTest, ShowingOneTipHidesTheOthersAtOnce) {
    cTip* first = makeTip(0);
    cTip* second = makeTip(0);
    first->startShowing();
    ui.steps(2);
    second->startShowing();
    EXPECT_FALSE(first->isShownFlagSet());
    EXPECT_EQ(first->getAlpha(), 0);
    EXPECT_TRUE(second->isShownFlagSet());
    hideAllTips();
    EXPECT_FALSE(second->isShownFlagSet());
    // Showing a tip that is up starts it again from the wait.
    second->startShowing();
    ui.steps(5);
    second->startShowing();
    EXPECT_EQ(second->getAlpha(), 0);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(TipTest, LiveTipsLeaveTheRegistryWhenDeleted) {
    cTip* tip = makeTip();
    EXPECT_EQ(cTip::getLiveTips().count(tip), 1u);
    delete tip;
    EXPECT_EQ(cTip::getLiveTips().count(tip), 0u);
    hideAllTips();
}
