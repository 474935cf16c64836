// The results view on its shipped layout: the pause, the progress text and bar, one line per
// shown record at its own row with its number, the money line's summary style, the shake that
// ends at home, the skip on a left press, and the keys that act only once the lines are in.

#include "game/level/field/AchievementsView.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/field/FlyingValue.h"
#include "game/model/GameServices.h"
#include "game/model/LevelAchievements.h"
#include "game/model/MeadowModel.h"
#include "game/shell/SubstrateProgressBar.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/LayoutBoxes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace Engine;
using TestSupport::Box;

namespace {

class AchievementsViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestLevel::writeShippedBoard(ui);
        ui.start();
        GameServices::setGameSounds(&sounds);
    }
    void TearDown() override {
        delete view;
        GameServices::setGameSounds(nullptr);
    }
    // The shipped model; the record with the id given (if any) is not shown.
    void makeView(int hiddenId = -1) {
        std::string description = TestSupport::readFileBytes(TestShipped::modelPath("GameModel.xml"));
        if (hiddenId >= 0) {
            const std::string key = "<Achievement id=\"" + std::to_string(hiddenId) + "\"";
            description.insert(description.find(key) + key.size(), " show=\"0\"");
        }
        model = TestModel::makeModel(description, TestSupport::readFileBytes(TestShipped::modelPath("GameLevels.xml")));
        cLevelAchievements* records = model->getLevelAchievements();
        records->setValue(0, 120);
        records->setValue(1, 0);
        records->setValue(2, 35);
        records->updateSummary();
        model->getCurrentLevel() = 4;
        view = new cAchievementsView(nullptr, model.get());
        view->hide();
        view->disable();
    }
    // What the board screen does at the end of a level.
    void open() {
        view->enable();
        view->fadeIn();
    }

    TestSupport::UiHarness ui;
    TestLevel::SoundBook sounds;
    std::unique_ptr<cMeadowModel> model;
    cAchievementsView* view = nullptr;
};

} // namespace

TEST_F(AchievementsViewTest, AfterThePauseTheProgressAndOneLinePerRecordDropInTurnThenTheButtonsWake) {
    makeView();
    EXPECT_FALSE(view->getReplayButton()->isEnabled());
    EXPECT_FALSE(view->getContinueButton()->isEnabled());
    open();
    std::vector<int> lineFrames;
    int buttonsFrame = -1;
    for (int frame = 1; frame <= 60; ++frame) {
        ui.step();
        if (view->getLines().size() > lineFrames.size())
            lineFrames.push_back(frame);
        if (buttonsFrame < 0 && view->getContinueButton()->isEnabled())
            buttonsFrame = frame;
    }
    EXPECT_EQ(1, sounds.count("on_achievements"));
    ASSERT_EQ(4u, lineFrames.size());
    // start_time 0.8 s, then one line every 0.45 s; a timer is counted down while above 0 and
    // acts on the first frame that finds it spent: 8 frames of 1/16 s count 0.45 s down, the
    // ninth drops the line.
    EXPECT_NEAR(14, lineFrames[0], 1);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(9, lineFrames[i] - lineFrames[i - 1]) << i;
    EXPECT_EQ(lineFrames[3], buttonsFrame);
    EXPECT_TRUE(view->getReplayButton()->isEnabled());
    EXPECT_EQ(std::to_wstring(model->getNextLevelNumber()) + L"%", view->getLevelPercents()->getText());
    EXPECT_FLOAT_EQ(4, view->getProgress()->getCurrentValue());
    EXPECT_TRUE(view->getProgress()->getSubstrate()->isVisible());

    const auto& records = model->getLevelAchievements()->getAchievements();
    ASSERT_EQ(4u, view->getValues().size());
    for (int i = 0; i < 4; ++i) {
        cAchievementLine* line = view->getLines()[size_t(i)];
        SCOPED_TRACE(i);
        EXPECT_EQ(i, line->getIndex());
        EXPECT_EQ(records[size_t(i)].name, line->getText()->getText());
        EXPECT_FLOAT_EQ(334 + 34 * float(i), line->getText()->getPosition().y);
        EXPECT_FLOAT_EQ(1, line->getText()->getAlpha());
        cFlyingValue* value = view->getValues()[size_t(i)];
        EXPECT_EQ(cVector2(712.0f, 334 + 34 * float(i)), value->getDestination());
    }
    EXPECT_EQ(L"120", view->getValues()[0]->getText());
    EXPECT_EQ(L"-", view->getValues()[1]->getText()); // a value of 0
    EXPECT_EQ(L"155", view->getValues()[3]->getText());
    // The money line: right-aligned, moved right by its width, in the summary style.
    cMultilineText* money = view->getLines()[3]->getText();
    EXPECT_EQ(2u, money->getAlign());
    EXPECT_FLOAT_EQ(300 + 10 + 290, money->getPosition().x);
    EXPECT_FLOAT_EQ(310, view->getLines()[0]->getText()->getPosition().x);
    EXPECT_FLOAT_EQ(1.0f, view->getValues()[3]->getOwnMultiplier());
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(1, sounds.count("line" + std::to_string(i))) << i;
}

TEST_F(AchievementsViewTest, EachNumberArrivesWithABurstOfSparklesAtItsPlaceThatThenGoes) {
    makeView();
    open();
    auto burstsOf = [](cFlyingValue* value) {
        std::vector<cPyroEffect*> found;
        for (cWidget* child : value->getChildren())
            if (auto* effect = dynamic_cast<cPyroEffect*>(child))
                if (effect != value->getEffect() && isWidgetAlive(effect))
                    found.push_back(effect);
        return found;
    };
    size_t seen = 0;
    for (int frame = 0; frame < 60; ++frame) {
        ui.step();
        for (; seen < view->getValues().size(); ++seen) {
            cFlyingValue* value = view->getValues()[seen];
            SCOPED_TRACE(seen);
            const std::vector<cPyroEffect*> bursts = burstsOf(value);
            ASSERT_EQ(1u, bursts.size());
            EXPECT_TRUE(bursts[0]->isPlaying());
            EXPECT_TRUE(bursts[0]->isVisible());
            EXPECT_EQ("Effects/sparkle.pfx", bursts[0]->getFileName());
            EXPECT_EQ(value->getPosition(), bursts[0]->getPosition());
        }
    }
    EXPECT_EQ(4u, seen);
    ui.run(2.0f);
    for (cFlyingValue* value : view->getValues())
        EXPECT_TRUE(burstsOf(value).empty());
}

TEST_F(AchievementsViewTest, EveryTextAndButtonSitsOnThePaperBelowTheRibbonAndNothingOverlaps) {
    makeView();
    // Five-figure numbers on every line and in the sum.
    cLevelAchievements* records = model->getLevelAchievements();
    records->setValue(0, 48750);
    records->setValue(1, 12500);
    records->setValue(2, 36000);
    records->updateSummary();
    open();
    ui.run(4.0f);
    ASSERT_TRUE(view->getContinueButton()->isEnabled());
    ASSERT_FALSE(view->isShaking());
    view->getLevelPercents()->setText(L"100%");

    // The parts of the picture (tools/artgen/BoardUi.cpp): the paper inside the wooden frame,
    // the ribbon with the title across the top, and its tails reaching lower.
    cPanel* frame = nullptr;
    for (cWidget* layer : view->getLayers())
        if (auto* panel = dynamic_cast<cPanel*>(layer))
            frame = panel;
    ASSERT_NE(nullptr, frame);
    const Box picture = TestSupport::spriteBox(*frame);
    const float width = picture.right - picture.left;
    const Box paper{picture.left + 24, picture.top + 46, picture.right - 24, picture.bottom - 28};
    const Box room = paper.shrunk(4);
    // A title's letter cells may reach past the ribbon by their blank rims.
    const Box ribbon{picture.left + 0.18f * width, picture.top + 10, picture.right - 0.18f * width, picture.top + 60};
    // The tails and their shadow.
    const float belowRibbon = picture.top + 70;

    std::vector<std::pair<std::string, Box>> boxes;
    auto place = [&](const std::string& name, const Box& box) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(box.inside(room)) << box << " outside the paper " << room;
        for (const auto& other : boxes)
            EXPECT_FALSE(box.overlaps(other.second)) << box << " overlaps " << other.first << " " << other.second;
        boxes.emplace_back(name, box);
    };
    for (cLabel* line : view->getCaption()->getLines())
        EXPECT_TRUE(TestSupport::textBox(*line).inside(ribbon)) << TestSupport::textBox(*line) << " off the ribbon";

    cLabel* what = view->getProgressText();
    ASSERT_TRUE(what->isVisible());
    EXPECT_FALSE(what->getText().empty());
    const Box bar = TestSupport::spriteBox(*view->getProgress());
    for (const Box& box :
         {TestSupport::textBox(*what), bar, TestSupport::spriteBox(*view->getProgress()->getSubstrate()),
          TestSupport::textBox(*view->getLevelPercents())})
        EXPECT_GE(box.top, belowRibbon) << box << " under the ribbon";
    place("the bar's name", TestSupport::textBox(*what));
    place("the bar", bar);
    EXPECT_TRUE(TestSupport::spriteBox(*view->getProgress()->getSubstrate()).inside(room));
    place("the percents", TestSupport::textBox(*view->getLevelPercents()));
    ASSERT_EQ(4u, view->getLines().size());
    ASSERT_EQ(4u, view->getValues().size());
    for (size_t i = 0; i < 4; ++i) {
        for (cLabel* line : view->getLines()[i]->getText()->getLines())
            place("line " + std::to_string(i), TestSupport::textBox(*line));
        place("number " + std::to_string(i), TestSupport::textBox(*view->getValues()[i]));
    }
    place("Replay", TestSupport::spriteBox(*view->getReplayButton()));
    place("Continue", TestSupport::spriteBox(*view->getContinueButton()));
}

TEST_F(AchievementsViewTest, AHiddenRecordLeavesItsRowEmptyAndTheShakeEndsAtHome) {
    makeView(1);
    open();
    ui.run(4.0f);
    ASSERT_EQ(3u, view->getLines().size());
    EXPECT_EQ(2, view->getLines()[1]->getIndex());
    EXPECT_FLOAT_EQ(334 + 68, view->getLines()[1]->getText()->getPosition().y);
    EXPECT_EQ(3u, view->getValues().size());
    EXPECT_FALSE(view->isShaking());
    for (const auto& record : view->getEffectWidgets())
        EXPECT_EQ(record.homePosition, record.widget->getPosition());
}

TEST_F(AchievementsViewTest, RandomLevelsShowAFullBar) {
    makeView();
    model->setRandomLevel(true);
    open();
    ui.run(1.5f);
    EXPECT_EQ(L"100%", view->getLevelPercents()->getText());
    EXPECT_FLOAT_EQ(float(model->getLevelCount()), view->getProgress()->getCurrentValue());
}

TEST_F(AchievementsViewTest, ALeftPressSkipsOnlyWhileTheLinesDropAndShowsEachNumberOnce) {
    makeView();
    open();
    ui.run(0.5f);
    ui.click(100, 100); // during the pause: nothing
    ui.run(0.5f);
    ASSERT_EQ(1u, view->getLines().size());
    ui.click(100, 100);
    ui.steps(2);
    EXPECT_EQ(4u, view->getLines().size());
    EXPECT_EQ(4u, view->getValues().size());
    EXPECT_EQ(cAchievementsView::PHASE_IDLE, view->getPhase());
    EXPECT_TRUE(view->getContinueButton()->isEnabled());
    for (cAchievementLine* line : view->getLines())
        EXPECT_FLOAT_EQ(1, line->getText()->getAlpha());
    ui.run(1.0f);
    EXPECT_EQ(4u, view->getValues().size());
}

TEST_F(AchievementsViewTest, EscAndEnterWaitForTheLinesThenContinueOnceAndTheViewFadesOut) {
    makeView();
    open();
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_FALSE(view->getLines().empty());
    EXPECT_TRUE(view->isVisible());
    ui.run(2.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ui.steps(2);
    EXPECT_TRUE(view->getLines().empty());
    EXPECT_FALSE(view->getContinueButton()->isEnabled());
    EXPECT_FALSE(view->getReplayButton()->isEnabled());
    ui.run(1.0f);
    EXPECT_FALSE(view->isVisible());
}
