#include "game/shell/AwardManager.h"
#include "engine/core/ProfileManager.h"
#include "engine/gui/MultilineText.h"
#include "engine/platform/KeyCodes.h"
#include "game/model/GameResource.h"
#include "game/model/LevelAchievements.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/Award.h"
#include "game/shell/AwardInfoPanel.h"
#include "game/shell/AwardTipDlg.h"
#include "tests/shell/AwardFixture.h"

#include <functional>

using namespace Engine;
using TestAwards::AwardTest;

namespace {

struct RuleCase {
    int type;
    // Sets the counter the award reads; the check runs after it.
    std::function<void(cMeadowController&, cMeadowModel&, TestFakes::FakeMainMenu&, float)> set;
    std::function<void(cAwardManager&, float)> check;
    float below;
    float at;
};

} // namespace

TEST_F(AwardTest, EachRuleGivesItsAwardAtItsThresholdAndNotBelow) {
    using C = cMeadowController;
    using M = cMeadowModel;
    using F = TestFakes::FakeMainMenu;
    using A = cAwardManager;
    auto money = [](C&, M& m, F&, float v) {
        m.resetResourcePoints();
        m.addResourcePoints(1, int32_t(v));
    };
    auto bonus = [](int type) { return [type](C&, M& m, F&, float v) { m.getBonus(type)->uses = int32_t(v); }; };
    const RuleCase table[] = {
        {0, money, [](A& a, float) { a.checkAward1xMoney(); }, 99, 100},
        {1, money, [](A& a, float) { a.checkAward5xMoney(); }, 499, 500},
        {2, [](C&, M& m, F&, float v) { m.setNextAvailableLevel(int32_t(v)); },
         [](A& a, float) { a.checkAwardNLevels(); }, 4, 5},
        // Truncated: 2.9 needs 2.
        {4, [](C&, M& m, F&, float v) { m.getLevelAchievements()->setValue(0, int32_t(v)); },
         [](A& a, float) { a.checkAwardXmoneyOnLevel(); }, 1, 2},
        {5, [](C& c, M&, F&, float v) { c.setBonusesUsed(int32_t(v)); },
         [](A& a, float) { a.checkAwardXbonusesUsing(); }, 1, 2},
        {7, [](C&, M& m, F&, float v) { m.setMatchedObjects(int32_t(v)); }, [](A& a, float) { a.checkAwardNMatches(); },
         49, 50},
        {8, [](C&, M&, F& f, float v) { f.m_runTime = v; }, [](A& a, float) { a.checkAwardXtimeInGame(); }, 59.5f, 60},
        {9, [](C&, M&, F& f, float v) { f.m_playTime = v; }, [](A& a, float) { a.checkAwardFanOfGame(); }, 119.5f, 120},
        {11, bonus(12), [](A& a, float) { a.checkBonusAward(12); }, 1, 2},
        {12, [](C&, M& m, F&, float v) { m.getAnimalsCare() = int32_t(v); },
         [](A& a, float) { a.checkAwardAnimalsCare(); }, 3, 4},
        {13, bonus(31), [](A& a, float) { a.checkBonusAward(31); }, 1, 2},
        {14, bonus(41), [](A& a, float) { a.checkBonusAward(41); }, 1, 2},
        {15, [](C& c, M&, F&, float v) { c.setLightningsUsed(int32_t(v)); },
         [](A& a, float) { a.checkAwardLightningBonus(); }, 1, 2},
        {16, [](C& c, M&, F&, float v) { c.setBlastsUsed(int32_t(v)); }, [](A& a, float) { a.checkAwardBombBonus(); },
         1, 2},
        {17, bonus(71), [](A& a, float) { a.checkBonusAward(71); }, 1, 2},
        {19, [](C&, M&, F&, float) {}, [](A& a, float v) { a.checkAwardXfiguresSeria(int(v)); }, 2, 3},
        {20, [](C&, M&, F&, float) {}, [](A& a, float v) { a.checkAwardXinRow(int(v)); }, 4, 5},
    };
    for (const RuleCase& row : table) {
        row.set(*controller, *model, menu, row.below);
        row.check(*awards, row.below);
        EXPECT_FALSE(awards->isGiven(row.type)) << row.type;
        row.set(*controller, *model, menu, row.at);
        row.check(*awards, row.at);
        EXPECT_TRUE(awards->isGiven(row.type)) << row.type;
        EXPECT_TRUE(gBoolProps[gAwardTypeNames[row.type]]) << row.type;
    }
    // Exactly the awards of the table, each queued once, in the order given.
    ASSERT_EQ(awards->getQueue().size(), std::size(table));
    auto it = awards->getQueue().begin();
    for (const RuleCase& row : table)
        EXPECT_EQ((*it++)->getIndex(), row.type);
}

TEST_F(AwardTest, FlagAwardsAndTheIdleTimeFollowTheirConditions) {
    awards->checkAwardAllLevels();
    awards->checkAwardMaxUpgrade(false);
    EXPECT_FALSE(awards->isGiven(3));
    EXPECT_FALSE(awards->isGiven(18));
    model->setRandomLevel(true);
    awards->checkAwardAllLevels();
    awards->checkAwardMaxUpgrade(true);
    EXPECT_TRUE(awards->isGiven(3));
    EXPECT_TRUE(awards->isGiven(18));

    // No bonus on a level from level 3 on; a bonus used spoils it.
    model->setRandomLevel(false);
    model->setNextAvailableLevel(3);
    controller->setBonusesUsed(1);
    awards->checkAwardNoBonusesOnLevel();
    EXPECT_FALSE(awards->isGiven(6));
    controller->setBonusesUsed(0);
    awards->checkAwardNoBonusesOnLevel();
    EXPECT_TRUE(awards->isGiven(6));

    // Thirty seconds without a finished exchange, counted by the controller's update.
    for (int i = 0; i < 29 * 4; ++i)
        controller->update(0.25f);
    EXPECT_FALSE(awards->isGiven(10));
    for (int i = 0; i < 4; ++i)
        controller->update(0.25f);
    EXPECT_TRUE(awards->isGiven(10));
}

TEST_F(AwardTest, AnimalsCareIsOnlyTestedAtAClickAfterTheQueueHasEmptied) {
    awards->giveAward(0);
    for (int click = 0; click < 5; ++click)
        controller->addAnimalsCareClick();
    EXPECT_EQ(model->getAnimalsCare(), 5);
    EXPECT_FALSE(awards->isGiven(12));
    ui.step();
    ui.run(2.5f);
    ASSERT_FALSE(awards->hasQueuedAwards());
    EXPECT_FALSE(awards->isGiven(12));
    controller->addAnimalsCareClick();
    EXPECT_TRUE(awards->isGiven(12));
}

TEST_F(AwardTest, AGivenAwardIsNeverGivenAgainAlsoForANewManager) {
    model->addResourcePoints(1, 1000);
    awards->checkAward1xMoney();
    awards->checkAward1xMoney();
    EXPECT_EQ(awards->getQueue().size(), 1u);
    // The same player later: the flag comes from the profile.
    controller.reset();
    controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    awards = static_cast<cAwardManager*>(controller->getAwardManager());
    EXPECT_TRUE(awards->isGiven(0));
    awards->checkAward1xMoney();
    EXPECT_TRUE(awards->getQueue().empty());
    // A new player's profile gains the 21 keys, all false but this one.
    EXPECT_EQ(gBoolProps.size(), size_t(AWARD_COUNT));
}

TEST_F(AwardTest, TheEditorGivesNothingAndDoesNotEvenCompareFigures) {
    controller->setEditor(true);
    EXPECT_FALSE(awards->giveAward(0));
    awards->checkAwardXinRow(10);
    awards->checkAwardXfiguresSeria(10);
    EXPECT_FALSE(awards->isGiven(0));
    EXPECT_FALSE(awards->isGiven(19));
    EXPECT_FALSE(awards->isGiven(20));
    EXPECT_FALSE(gBoolProps["Award1xMoney"]);
    EXPECT_TRUE(awards->getQueue().empty());
}

TEST_F(AwardTest, TwoAwardsGivenTogetherAreAnnouncedInTurnWithTheSound) {
    awards->giveAward(4);
    awards->giveAward(7);
    cAwardInfoPanel* panel = awards->getInfoPanel();
    ui.step();
    ASSERT_NE(panel->getCurrentAward(), nullptr);
    EXPECT_EQ(panel->getCurrentAward()->getIndex(), 4);
    EXPECT_EQ(panel->getInfoText()->getText(), L"desc 4");
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_ANNOUNCING);
    // Down in half a second, one second of rest, up in half a second (a frame between legs).
    ui.run(0.625f);
    EXPECT_EQ(panel->getPosition(), cVector2(512, 60));
    ui.run(1.75f);
    ASSERT_NE(panel->getCurrentAward(), nullptr);
    EXPECT_EQ(panel->getCurrentAward()->getIndex(), 7);
    ui.run(2.5f);
    EXPECT_EQ(panel->getCurrentAward(), nullptr);
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_IDLE);
    EXPECT_EQ(panel->getPosition(), cVector2(512, -60));
    // The sound as each award arrives.
    int arrivals = 0;
    for (const std::string& sound : ui.sounds())
        arrivals += sound == "playOnce s/award.ogg";
    EXPECT_EQ(arrivals, 2);
}

TEST_F(AwardTest, AnAwardGivenWhileThePanelSlidesSitsInItsSlotWhenItsTurnComes) {
    awards->giveAward(0);
    ui.step();
    ui.run(0.75f);
    // The panel stands low; the next award is made meanwhile.
    awards->giveAward(1);
    ui.run(2.5f);
    cAwardInfoPanel* panel = awards->getInfoPanel();
    ASSERT_NE(panel->getCurrentAward(), nullptr);
    ASSERT_EQ(panel->getCurrentAward()->getIndex(), 1);
    for (int frame = 0; frame < 16 && panel->getPosition() != cVector2(512, 60); ++frame)
        ui.step();
    ASSERT_EQ(panel->getPosition(), cVector2(512, 60));
    // The icon keeps its place on the panel: (470, -60) at rest is (470, 60) below.
    EXPECT_EQ(panel->getCurrentAward()->getPosition(), cVector2(470, 60));
}

TEST_F(AwardTest, AClickOpensTheDialogOnceAndEscapeResumesWithTheNextAward) {
    awards->giveAward(0);
    awards->giveAward(1);
    ui.step();
    ui.run(0.5f);
    ui.click(512, 60);
    ui.steps(2);
    ASSERT_NE(cAwardTipDlg::getInstance(), nullptr);
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_DIALOG);
    EXPECT_TRUE(controller->isInputLocked());
    // A second click on the same announcement does nothing.
    ui.click(512, 60);
    ui.steps(2);
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_DIALOG);
    // The slide ends meanwhile; the dialog still holds the next award back.
    ui.run(2);
    EXPECT_EQ(awards->getInfoPanel()->getCurrentAward(), nullptr);
    EXPECT_EQ(awards->getQueue().size(), 1u);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_FALSE(controller->isInputLocked());
    ui.step();
    ASSERT_NE(awards->getInfoPanel()->getCurrentAward(), nullptr);
    EXPECT_EQ(awards->getInfoPanel()->getCurrentAward()->getIndex(), 1);
    // The second announcement ends once, without a second report of its end.
    ui.run(2.5f);
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_IDLE);
    EXPECT_TRUE(awards->getQueue().empty());
}

TEST_F(AwardTest, EscapeDuringTheSlideClosesTheDialogAndTheSlideStillEnds) {
    awards->giveAward(2);
    ui.step();
    ui.run(0.375f);
    ui.click(512, awards->getInfoPanel()->getPosition().y + 20);
    ui.steps(2);
    ASSERT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_DIALOG);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(awards->getDisplayState(), cAwardManager::DISPLAY_IDLE);
    ui.run(2.5f);
    EXPECT_EQ(awards->getInfoPanel()->getCurrentAward(), nullptr);
    EXPECT_EQ(awards->getInfoPanel()->getPosition(), cVector2(512, -60));
}

TEST(AwardFileTest, AMissingListTooManyAwardsAndAMissingEntryAreRefused) {
    std::vector<std::string> many = TestAwards::defaultThresholds();
    many.push_back("1");
    const struct {
        std::string file;
        int index;
        std::string error;
    } table[] = {
        {"<A/>", -1, "cAwardManager::loadXML(): Awards is not found."},
        {TestAwards::awardsXml(many), -1, "cAwardManager::loadXML(): there are more than 21 awards: 22"},
        {TestAwards::awardsXml({"1", "2"}), 5, "cAward::loadXML(): award with index 5 was not found"},
        {"<A/>", 0, "Awards is not found."},
    };
    for (const auto& row : table) {
        TestSupport::UiHarness ui;
        ui.writeFile("Awards/Awards.xml", row.file);
        ui.writeFile("Awards/AwardInfoPanel.xml", "<P/>");
        ui.start();
        std::string error;
        try {
            if (row.index < 0)
                cAwardManager manager(nullptr, nullptr);
            else
                cAward award(nullptr, row.index);
        } catch (const char* text) {
            error = text;
        } catch (const std::string& text) {
            error = text;
        }
        EXPECT_EQ(error, row.error);
    }
}
