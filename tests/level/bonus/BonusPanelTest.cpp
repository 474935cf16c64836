// The bonus panel on the shipped layouts: one button per owned category (the better kind),
// looks by type, charging, the fanfare once, the click that asks the controller for the
// effect (waiting for a target or applied at once), and the texts thrown for bad data.

#include "game/level/bonus/BonusPanel.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/bonus/BonusTip.h"
#include "game/level/bonus/BonusView.h"
#include "game/level/bonus/FlashingPanel.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/SubstrateProgressBar.h"
#include "tests/level/ShippedBoard.h"
#include "tests/model/ShippedModel.h"
#include "tests/model/fakes/FakeLevelView.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Engine;

namespace {

class BonusPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestLevel::writeShippedBoard(ui);
        ui.start();
        GameServices::setGameSounds(&sounds);
        model = TestShipped::makeModel();
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        controller->setLevelView(&levelView);
    }
    void TearDown() override {
        delete panel;
        controller.reset();
        GameServices::setGameSounds(nullptr);
    }
    cGameResource* bonus(int type) { return model->getBonus(type); }
    // The panel over the bonuses owned.
    void makePanel(std::initializer_list<int> owned) {
        for (int type : owned)
            bonus(type)->available = 1;
        panel = new cBonusPanel(nullptr, model.get(), nullptr);
    }

    TestSupport::UiHarness ui;
    TestLevel::SoundBook sounds;
    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    TestFakes::FakeLevelView levelView;
    cBonusPanel* panel = nullptr;
};

} // namespace

TEST_F(BonusPanelTest, OneButtonPerCategoryOfTheBetterKindAtItsPlaceWithTheLooksOfItsType) {
    makePanel({11, 12, 31, 71});
    ASSERT_EQ(3u, panel->getButtons().size());
    const int types[] = {12, 31, 71};
    for (size_t i = 0; i < 3; ++i) {
        cBonusView* button = panel->getButtons()[i];
        SCOPED_TRACE(types[i]);
        EXPECT_EQ(types[i], button->getRecord()->type);
        EXPECT_EQ(cVector2(704 + 84 * float(i), 640.0f), button->getPosition());
        // Same texture (one atlas) is not enough: the atlas frame is the bonus's own picture.
        const cVisual& look = panel->getVisualState("bonus" + std::to_string(types[i]));
        EXPECT_TRUE(static_cast<const cVisual&>(*button) == look);
        EXPECT_EQ(look.getFrame().position, button->getFrame().position);
        EXPECT_TRUE(static_cast<const cVisual&>(*button->getProgress()) ==
                    panel->getVisualState("bonus_progress" + std::to_string(types[i])));
        // The bar keeps its place under the button.
        EXPECT_EQ(button->getPosition() + cVector2(0, 40), button->getProgress()->getPosition());
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(button->isEnabled());
        EXPECT_EQ(button, static_cast<cBonusTip*>(button->getTip())->getOwner());
    }
    EXPECT_EQ(nullptr, panel->getChickenButton());
    EXPECT_EQ(panel->getButtons()[1], panel->findButtonByType(31));
    EXPECT_EQ(nullptr, panel->findButtonByType(41));
}

TEST_F(BonusPanelTest, ChargingFillsTheBarThenLightsTheButtonWithOneFanfare) {
    makePanel({11});
    cBonusView* button = panel->getButtons().at(0);
    EXPECT_EQ(button, panel->getChickenButton());
    cGameResource* record = bonus(11);
    record->points = record->price / 4;
    panel->refresh();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FLOAT_EQ(25, button->getProgress()->getCurrentValue());
    EXPECT_FALSE(button->getReadyFlash()->isVisible());

    // Exactly the price counts as charged; the model flags the charge once.
    record->points = record->price;
    record->charged = true;
    panel->refresh();
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FLOAT_EQ(0, button->getProgress()->getCurrentValue());
    EXPECT_TRUE(button->getReadyFlash()->isVisible());
    EXPECT_TRUE(button->getReadyFlash()->isFlashing());
    EXPECT_FALSE(record->charged);
    panel->refresh();
    record->charged = true; // a charged, enabled button plays nothing more
    panel->refresh();
    EXPECT_EQ(1, sounds.count("fanfare_bonus"));
}

TEST_F(BonusPanelTest, EachChargeBurstGoesWhenItHasPlayedSoChargingOftenLeavesAtMostOne) {
    makePanel({11});
    cBonusView* button = panel->getButtons().at(0);
    cGameResource* record = bonus(11);
    EXPECT_LT(0, button->getActivationEffect()->getLiveTime());
    // The live bursts, each of which must be playing.
    auto bursts = [&] {
        int count = 0;
        for (cWidget* child : button->getChildren())
            if (auto* effect = dynamic_cast<cPyroEffect*>(child))
                if (effect != button->getActivationEffect() && isWidgetAlive(effect)) {
                    EXPECT_TRUE(effect->isPlaying());
                    ++count;
                }
        return count;
    };
    for (int charge = 0; charge < 6; ++charge) {
        SCOPED_TRACE(charge);
        record->points = record->price;
        record->charged = true;
        panel->refresh();
        EXPECT_EQ(1, bursts());
        // The bonus is spent and charged again a few seconds later.
        ui.run(3.0f);
        EXPECT_EQ(0, bursts());
        record->points = 0;
        panel->refresh();
    }
    EXPECT_EQ(6, sounds.count("fanfare_bonus"));
}

TEST_F(BonusPanelTest, AClickedBonusWaitsForItsTargetAndNoOtherButtonCanBePressedMeanwhile) {
    makePanel({11, 71});
    for (int type : {11, 71}) {
        bonus(type)->points = bonus(type)->price;
        bonus(type)->charged = true;
    }
    panel->refresh();
    cBonusView* chicken = panel->getButtons()[0];
    cBonusView* mix = panel->getButtons()[1];
    ASSERT_TRUE(chicken->isEnabled());
    ui.step();
    ui.click(chicken->getPosition().x, chicken->getPosition().y);
    ui.steps(2);
    ASSERT_NE(nullptr, controller->getBonusEffect());
    EXPECT_EQ(11, controller->getBonusEffect()->getBonusType());
    // By click: nothing is applied or paid until the target.
    EXPECT_EQ(bonus(11)->price, bonus(11)->points);
    EXPECT_FALSE(chicken->isEnabled());
    EXPECT_FALSE(mix->isEnabled());
    EXPECT_FALSE(chicken->getReadyFlash()->isVisible());
}

TEST_F(BonusPanelTest, ABonusWithoutTargetIsAppliedAtOnceAndPaid) {
    makePanel({71});
    cGameResource* record = bonus(71);
    ASSERT_LE(record->byClick, 0);
    record->points = record->price;
    panel->refresh();
    cBonusView* mix = panel->getButtons()[0];
    ui.step();
    ui.click(mix->getPosition().x, mix->getPosition().y);
    ui.steps(2);
    EXPECT_EQ(0, record->points);
    EXPECT_EQ(1, record->uses);
    EXPECT_LE(1, levelView.count("setInputLocked(true)"));
}

TEST_F(BonusPanelTest, BadDataIsReportedWithTheSystemsTexts) {
    makePanel({31});
    try {
        panel->getVisualState("bonus99");
        FAIL();
    } catch (const std::string& error) {
        EXPECT_EQ("cBonusPanel::getVisualState(): visual state for a given id was not found: id = bonus99", error);
    }
    bonus(31)->price = 0;
    try {
        panel->refresh();
        FAIL();
    } catch (const std::string& error) {
        EXPECT_EQ("cBonusView::update(): bonus price = 0 (" + wideToNarrow(bonus(31)->name) + ")", error);
    }
    auto* loose = new cBonusView(panel);
    try {
        loose->clicked();
        FAIL();
    } catch (const char* error) {
        EXPECT_STREQ("cBonusView::clicked(): model object for this bonus is undefined", error);
    }
}

TEST_F(BonusPanelTest, AnUnchargedButtonStillShowsItsDescriptionTip) {
    makePanel({11});
    cBonusView* button = panel->getButtons().at(0);
    ASSERT_TRUE(button->isVisible());
    ASSERT_FALSE(button->isEnabled());
    auto* tip = static_cast<cBonusTip*>(button->getTip());
    button->setShowing();
    ui.run(1.5f);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_FLOAT_EQ(1.0f, tip->getAlpha());
    EXPECT_EQ(bonus(11)->description, tip->getDescriptionText()->getText());
}
