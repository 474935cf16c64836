// The field view's level effects on small boards: the trigger spiral's order and end (also for
// a trigger nobody waits for), the end-of-level effect with nothing to drop, a level start with
// nothing to fall in, the blink wave, and the mixing bees that hand the turn back.

#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/NoMovesPanel.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "tests/level/LevelFixture.h"
#include "tests/level/ShippedBoard.h"

#include <utility>
#include <vector>

using namespace Engine;
using TestLevel::BoardTest;

namespace {

class MeadowFieldEffectsTest : public BoardTest {
protected:
    void SetUp() override { GameServices::setGameSounds(&sounds); }
    void TearDown() override {
        BoardTest::TearDown();
        GameServices::setGameSounds(nullptr);
    }
    // The cells awaiting the trigger, the trigger on its cell.
    void arm(std::pair<int, int> trigger, const std::vector<std::pair<int, int>>& waiting, int number = 1) {
        model->getCell(trigger.first, trigger.second)->setTriggerNumber(number);
        for (auto cell : waiting)
            model->getCell(cell.first, cell.second)->setAwaitedTrigger(number);
    }
    std::vector<std::pair<int, int>> queue() const {
        std::vector<std::pair<int, int>> cells;
        for (cMeadowCellView* view : field->getTriggerQueue())
            cells.emplace_back(view->getRow(), view->getColumn());
        return cells;
    }
    bool fired(int number) const {
        const auto& list = model->getFiredTriggers();
        return std::find(list.begin(), list.end(), number) != list.end();
    }

    TestLevel::SoundBook sounds;
};

} // namespace

TEST_F(MeadowFieldEffectsTest, TheTriggerOpensItsCellsAlongASquareSpiralNearestFirstThenEnds) {
    build({"1_1_1_1_1", "1_1_1_1_1", "1_1_1_1_1", "1_1_1_1_1", "1_1_1_1_1"});
    arm({2, 2}, {{0, 0}, {4, 4}, {3, 3}, {1, 2}});
    field->startTriggerEffect(cVector2(2, 2));
    EXPECT_TRUE(field->isTriggerEffectRunning());
    EXPECT_EQ(0, model->getCell(2, 2)->getTriggerNumber());
    // Down, right, then up two, left two, down three ...: (1,2) in the first ring, (3,3) in the
    // second, (4,4) and (0,0) in the outer one.
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 2}, {3, 3}, {4, 4}, {0, 0}}), queue());
    EXPECT_EQ(0, model->getCell(4, 4)->getAwaitedTrigger());
    EXPECT_EQ(1, sounds.count("trigger_effect"));
    EXPECT_FALSE(fired(1));
    // No step delay and no grow time in this layout: a cell a frame.
    ui.steps(8);
    EXPECT_FALSE(field->isTriggerEffectRunning());
    EXPECT_TRUE(field->getTriggerCells().empty());
    EXPECT_TRUE(fired(1));
    EXPECT_EQ(nullptr, field->getTriggerCellView());
}

TEST_F(MeadowFieldEffectsTest, ATriggerInACornerWalksUntilItHasPassedAllFourEdges) {
    build({"1_1_1", "1_1_1", "1_1_1"});
    arm({0, 0}, {{0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}});
    field->startTriggerEffect(cVector2(0, 0));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {1, 0}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}}),
              queue());
}

TEST_F(MeadowFieldEffectsTest, ATriggerNobodyWaitsForEndsAtOnceAndTheNextTriggerStillFires) {
    build({"1_1_1", "1_1_1", "1_1_1"});
    arm({1, 1}, {}, 1);
    field->startTriggerEffect(cVector2(1, 1));
    EXPECT_FALSE(field->isTriggerEffectRunning());
    EXPECT_TRUE(fired(1));
    arm({0, 0}, {{2, 2}}, 2);
    field->startTriggerEffect(cVector2(0, 0));
    EXPECT_TRUE(field->isTriggerEffectRunning());
    ui.steps(4);
    EXPECT_TRUE(fired(2));
    EXPECT_FALSE(field->isTriggerEffectRunning());
}

TEST_F(MeadowFieldEffectsTest, AnEndOfLevelWithEveryPieceBusyFinishesAtOnce) {
    build({"1_1", "1_1"});
    for (auto& entry : board->getObjectViews())
        entry.first->setMixing();
    field->startEndLevelEffect(1.0f);
    EXPECT_TRUE(field->getMotions().getEndLevelFalls().empty());
    EXPECT_TRUE(board->isEndEffectDone());
    EXPECT_EQ(1, sounds.count("object_fall_end_level"));
}

TEST_F(MeadowFieldEffectsTest, ALevelStartWithNothingToFallInStillUnlocks) {
    build({"1_1", "1_1"});
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column)
            model->removeObjectAt(row, column);
    field->setInputLocked(true);
    field->startNewLevelEffect();
    EXPECT_TRUE(field->isArrivalDone());
    ui.steps(2);
    EXPECT_FALSE(field->isInputLocked());
    EXPECT_FALSE(field->isArrivalDone());
}

TEST_F(MeadowFieldEffectsTest, ABlinkWaveWithoutSpeedStaysAtTheCorner) {
    build({"1_1", "1_1"});
    field->enableAbsolute();
    ui.steps(3);
    EXPECT_TRUE(field->isWaveRunning());
    EXPECT_EQ(cVector2(0, 0), field->getBlinkLine()->getPosition());
    ui.steps(10);
    EXPECT_TRUE(field->isWaveRunning());
    EXPECT_EQ(cVector2(0, 0), field->getBlinkLine()->getPosition());
}

TEST_F(MeadowFieldEffectsTest, NoMovesDropsThePanelWhoseArrivalMixesTheBoardOnceAndTheBeesHandTheTurnBack) {
    ui.writeFile("Meadow/View/NoMovesPanel.xml",
                 "<NoMovesPanel Visible=\"1\" src_pos=\"0,-100\" dst_pos=\"0,300\" dst_pos2=\"0,900\" "
                 "move_down_time=\"0.25\" wait_time=\"0\" move_down_time2=\"0.25\"/>");
    build({"1_2_3", "2_3_1", "3_1_2"});
    for (auto& entry : board->getObjectViews())
        entry.second->setPosition(field->getCellPositionOfView(entry.second));
    field->setInputLocked(true);
    model->m_noMovesSignal();
    model->m_noMovesSignal(); // a second one while the first mix runs changes nothing
    ui.run(0.125f);
    EXPECT_EQ(0, sounds.count("no_moves"));
    ui.run(0.25f);
    EXPECT_EQ(2, sounds.count("no_moves"));
    EXPECT_TRUE(board->isMixRunning());
    EXPECT_FALSE(field->getMotions().getMixing().empty());
    const size_t bees = field->getMotions().getMixing().size();
    ui.run(20.0f);
    EXPECT_TRUE(field->getMotions().getMixing().empty());
    EXPECT_FALSE(board->isMixRunning());
    EXPECT_FALSE(field->isInputLocked());
    EXPECT_LT(0u, bees);
}
