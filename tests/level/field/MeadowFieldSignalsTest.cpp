// The field view's input and model signals on a small board under the real controller:
// the selection following clicks, presses and drags, a locked board, bonus aiming, bonus
// pieces going off, prize cells, pieces passed down and the crash sounds' buffer clock.

#include "tests/level/MoveFixture.h"

#include "engine/gui/PyroEffect.h"
#include "game/level/field/SelectionSprite.h"
#include "game/level/field/WaveSprite.h"
#include "game/model/CellModel.h"
#include "game/model/Signal.h"

#include <algorithm>

using namespace Engine;
using TestLevel::MoveTest;

namespace {

const std::vector<std::string> BOARD = {"1121", "3434", "2342", "4233"};

} // namespace

class MeadowFieldSignalsTest : public MoveTest {
protected:
    int heard(const std::string& id) { return int(std::count(sounds.log.begin(), sounds.log.end(), id)); }
};

TEST_F(MeadowFieldSignalsTest, TheSelectionFollowsClicksAndAPressAndReleaseInOneFrameLeavesNoDrag) {
    play(BOARD);
    click(2, 1);
    EXPECT_EQ(piece(2, 1), model->getSelected());
    EXPECT_EQ(at(2, 1), field->getSelection()->getPosition());
    // A piece that is no neighbour takes the selection over.
    click(0, 3);
    EXPECT_EQ(piece(0, 3), model->getSelected());
    EXPECT_EQ(at(0, 3), field->getSelection()->getPosition());
    EXPECT_TRUE(field->getMotions().getExchangePairs().empty());
    // Press and release reach the board in the same frame.
    const cVector2 p = at(3, 0);
    ui.moveTo(p.x, p.y);
    ui.press();
    ui.release();
    frame();
    EXPECT_EQ(piece(3, 0), model->getSelected());
    EXPECT_FALSE(controller->isDragging());
}

TEST_F(MeadowFieldSignalsTest, ADragOntoANeighbourSwapsOnceAndADragOffTheBoardDoesNothing) {
    play(BOARD);
    cVector2 p = at(0, 2);
    ui.moveTo(p.x, p.y);
    ui.press();
    frame();
    EXPECT_TRUE(controller->isDragging());
    // Off the board: the button comes up there; nothing swaps, the selection stays.
    ui.moveTo(5, 5);
    ui.release();
    frame();
    EXPECT_FALSE(controller->isDragging());
    EXPECT_TRUE(field->getMotions().getExchangePairs().empty());
    EXPECT_EQ(at(0, 2), field->getSelection()->getPosition());

    // Pressed on a piece, the cursor enters the neighbour: the toolkit delivers the hover.
    click(1, 1);
    p = at(1, 1);
    ui.moveTo(p.x, p.y);
    ui.press();
    frame();
    p = at(1, 2);
    ui.moveTo(p.x, p.y);
    frame();
    EXPECT_EQ(1u, field->getMotions().getExchangePairs().size());
    // Hovering on while the button is held swaps nothing more.
    for (int column : {3, 2}) {
        p = at(1, column);
        ui.moveTo(p.x, p.y);
        frame();
    }
    ui.release();
    frame();
    EXPECT_EQ(1u, field->getMotions().getExchangePairs().size() + field->getMotions().getSwapBackPairs().size());
    ASSERT_GT(settle(), 0);
    EXPECT_EQ(BOARD, types());
}

TEST_F(MeadowFieldSignalsTest, ClicksOnMovingPiecesAndOnALockedBoardAreIgnored) {
    play(BOARD);
    click(0, 2);
    const cVector2 second = at(0, 3);
    ui.click(second.x, second.y);
    frame();
    ASSERT_EQ(1u, field->getMotions().getExchangePairs().size());
    cMeadowObjectModel* moving = piece(0, 3);
    // The exchanging pieces take no clicks: no selection, no second swap.
    const cVector2 p = board->getGameObjectView(moving)->getPosition();
    ui.click(p.x, p.y);
    frame();
    EXPECT_EQ(nullptr, model->getSelected());
    ASSERT_GT(settle(), 0);
    EXPECT_EQ(3, model->getMatchedObjects()) << "one swap, one run";

    controller->setInputLocked(true);
    EXPECT_TRUE(field->isInputLocked());
    click(2, 2);
    EXPECT_EQ(nullptr, model->getSelected());
    EXPECT_FALSE(field->getSelection()->isVisible());
    // Unlocked twice, the board's codes are registered once: one lock removes them all.
    controller->setInputLocked(false);
    controller->setInputLocked(false);
    controller->setInputLocked(true);
    controller->setDragging(true);
    ui.release();
    frame();
    EXPECT_TRUE(controller->isDragging());
    controller->setInputLocked(false);
    click(2, 2);
    EXPECT_EQ(piece(2, 2), model->getSelected());
}

TEST_F(MeadowFieldSignalsTest, AnAimedBonusFollowsTheCursorActsOnACellAndIsGivenUpBetweenCells) {
    play(BOARD);
    TestLevel::FakeEffect effect;
    link->effect = &effect;
    model->addBonus(11);
    controller->createBonusEffect(11);
    const cVector2 p = at(1, 2);
    ui.moveTo(p.x, p.y);
    frame();
    EXPECT_EQ(cVector2(1, 2), effect.target);
    ui.moveTo(p.x + 31, p.y);
    frame();
    EXPECT_EQ(cVector2(-1, -1), effect.target) << "between two cells";
    // Right button with an immediate effect: nothing; with an aimed one: given up.
    effect.immediate = true;
    ui.click(p.x, p.y, 1);
    frame();
    EXPECT_EQ(&effect, controller->getBonusEffect());
    effect.immediate = false;
    ui.moveTo(p.x, p.y);
    ui.press();
    frame();
    EXPECT_EQ(1, effect.applied);
    EXPECT_EQ(cVector2(1, 2), effect.target);
    ui.release();
    frame();
    // A left click between cells gives the bonus up.
    effect.immediate = false;
    ui.click(p.x + 31, p.y);
    frame();
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    EXPECT_EQ(1, link->deleted);
}

TEST_F(MeadowFieldSignalsTest, ABlastPieceCrashesItsSquareAndSparesAPrizeNeighbour) {
    play(BOARD);
    cMeadowObjectModel* bomb = piece(1, 1);
    bomb->setType(cMeadowObjectModel::BLAST_BONUS);
    bomb->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
    cMeadowObjectModel* prize = piece(2, 2);
    prize->setType(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE);
    prize->setPrizeFlag(true);
    // Paying this prize must not end the level.
    model->getGoldPrizesLeft() = 2;
    click(1, 1);
    click(1, 1);
    // The bomb and its eight neighbours but the prize piece crash.
    EXPECT_EQ(8u, field->getMotions().getCrashing().size());
    // Every cell of the square plays the first crush once, the prize's cell too; the explosion
    // plays over the bomb's cell.
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(row < 3 && column < 3 ? std::vector<int>{0} : std::vector<int>{}, crushes(row, column))
                << row << "," << column;
    auto explosions = [&] {
        int count = 0;
        for (cWidget* child : field->getChildren())
            if (child->getKind() == WIDGET_KIND_PYRO && child->isVisible()) {
                auto* effect = static_cast<cPyroEffect*>(child);
                count += effect->getUseOffset() && effect->getOffset() == field->findCellView(1, 1)->getPosition() &&
                                 effect->isPlaying()
                             ? 1
                             : 0;
            }
        return count;
    };
    EXPECT_EQ(1, explosions());
    EXPECT_EQ(1, controller->getBlastsUsed());
    EXPECT_EQ(1, heard("bomb_explosion"));
    // The prize is not crashed: only the blast wave swings it.
    EXPECT_EQ(cWaveSprite::BLAST_WAVE, prize->getState());
    EXPECT_EQ(0, prize->getBonusTag());
    EXPECT_EQ(prize, piece(2, 2));
    ASSERT_GT(settle(), 0);
    EXPECT_FALSE(model->hasBusyObject());
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            ASSERT_NE(nullptr, piece(row, column)) << row << "," << column;
    // The explosion and the crushes end with their life times.
    ui.run(1.0f);
    EXPECT_EQ(0, explosions());
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(crushes(row, column).empty()) << row << "," << column;
}

TEST_F(MeadowFieldSignalsTest, LightningPiecesCrashTheirLines) {
    struct Case {
        int type;
        size_t crashed;
    };
    for (const Case& c :
         {Case{cMeadowObjectModel::ROW_LIGHTNING_BONUS, 4}, Case{cMeadowObjectModel::COLUMN_LIGHTNING_BONUS, 4},
          Case{cMeadowObjectModel::CROSS_LIGHTNING_BONUS, 7}}) {
        SCOPED_TRACE(c.type);
        play(BOARD);
        piece(1, 1)->setType(c.type);
        piece(1, 1)->setBonusTag(c.type);
        click(1, 1);
        click(1, 1);
        EXPECT_EQ(c.crashed, field->getMotions().getCrashing().size());
        EXPECT_EQ(1, controller->getLightningsUsed());
        EXPECT_EQ(1, heard("lightning_bonus"));
        ASSERT_GT(settle(), 0);
        EXPECT_FALSE(model->hasBusyObject());
        TearDown();
    }
}

TEST_F(MeadowFieldSignalsTest, APrizeCellWaitsForItsPieceAndAPassedDownPrizePays) {
    play(BOARD);
    model->getCell(1, 2)->setGoldPrizeFlag(true);
    piece(1, 2)->setState(cMeadowObjectModel::FALLING);
    model->m_prizeCellSignal(1, 2);
    frame();
    EXPECT_EQ(1u, field->getPrizeCells().size());
    EXPECT_NE(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE, piece(1, 2)->getType());
    piece(1, 2)->setAtRest();
    frame();
    EXPECT_TRUE(field->getPrizeCells().empty());
    cMeadowObjectModel* prize = piece(1, 2);
    EXPECT_EQ(cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE, prize->getType());
    EXPECT_TRUE(prize->getPrizeFlag());
    EXPECT_FALSE(model->getCell(1, 2)->getGoldPrizeFlag());

    // Passed down: it falls towards the vehicles, is given back and pays.
    cMeadowObjectView* prizeView = view(1, 2);
    // The board's own checks stay still meanwhile: only the prize pays.
    controller->setInputLocked(true);
    const int money = model->getResourcePoints(1);
    model->removeObjectFromGrid(prize);
    model->m_objectPassedDownSignal(prize);
    EXPECT_EQ(1u, field->getMotions().getToVehicle().size());
    EXPECT_EQ(1, heard("gold_down"));
    EXPECT_FALSE(field->isBusy()) << "a passed-down piece keeps no move waiting";
    for (int i = 0; i < 100 && !field->getMotions().getToVehicle().empty(); ++i)
        frame();
    EXPECT_TRUE(field->getMotions().getToVehicle().empty());
    EXPECT_FALSE(prizeView->isVisible());
    EXPECT_FALSE(prize->isValid());
    EXPECT_EQ(money + 50, model->getResourcePoints(1));
}

TEST_F(MeadowFieldSignalsTest, AHiddenPieceShownComesToItsCellAndTakesClicks) {
    play(BOARD);
    cMeadowObjectView* hidden = view(2, 3);
    hidden->hide();
    hidden->detachInput();
    hidden->setPosition(cVector2(0, 0));
    model->m_hiddenObjectShownSignal(piece(2, 3));
    EXPECT_TRUE(hidden->isVisible());
    EXPECT_TRUE(hidden->isInputAttached());
    EXPECT_EQ(at(2, 3), hidden->getPosition());
}

TEST_F(MeadowFieldSignalsTest, CrashSoundsCloserThanTheBufferTimeAreDroppedAndFrozenCellsNeedAChicken) {
    play(BOARD);
    model->getCell(0, 0)->setType(2);
    model->getCell(0, 1)->setType(2);
    model->getCell(3, 3)->setLocks(1);
    field->updateCells(false);
    // The buffer time of this layout is 0: the clock must have moved since the last sound.
    frame();
    field->crashCell(cVector2(0, 0), nullptr);
    EXPECT_EQ(1, model->getCellType(0, 0));
    const size_t woods = std::count_if(sounds.log.begin(), sounds.log.end(),
                                       [](const std::string& id) { return id.rfind("wood_cell_crash", 0) == 0; });
    EXPECT_EQ(1u, woods);
    EXPECT_EQ(0, field->getSoundClock());
    // In the same frame the next hit is heard no more.
    field->crashCell(cVector2(0, 1), nullptr);
    EXPECT_EQ(1, model->getCellType(0, 1));
    EXPECT_EQ(1u, size_t(std::count_if(sounds.log.begin(), sounds.log.end(),
                                       [](const std::string& id) { return id.rfind("wood_cell_crash", 0) == 0; })));
    frame();
    field->crashCell(cVector2(3, 3), nullptr);
    EXPECT_EQ(0, model->getCellLocks(3, 3));
    EXPECT_EQ(1u, size_t(std::count_if(sounds.log.begin(), sounds.log.end(),
                                       [](const std::string& id) { return id.rfind("chain_crash", 0) == 0; })));

    // A frozen cell is left alone unless a chicken of type 12 hits it.
    cMeadowObjectModel* target = piece(2, 1);
    target->setCaptured();
    model->getCell(2, 1)->setFrozen(true);
    field->crashCell(cVector2(2, 1), nullptr);
    EXPECT_EQ(cMeadowObjectModel::CAPTURED, target->getState());
    TestLevel::FakeEffect chicken;
    chicken.type = 12;
    field->crashCell(cVector2(2, 1), &chicken);
    EXPECT_EQ(cMeadowObjectModel::DESTROYING, target->getState());
    EXPECT_EQ(1u, field->getMotions().getCrashing().size());
    // An empty cell: nothing at all.
    model->removeObjectFromGrid(piece(3, 0));
    const size_t before = sounds.log.size();
    frame();
    field->crashCell(cVector2(3, 0), nullptr);
    EXPECT_EQ(before, sounds.log.size());
}
