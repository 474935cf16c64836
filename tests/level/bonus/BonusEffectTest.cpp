// The bonus effects from purchase to finish on a small board: targets, captured pieces, the
// controller's callbacks, the input lock, and the bear at the end of a level.

#include "tests/level/BonusFixture.h"

#include "engine/core/WidgetSets.h"
#include "engine/gui/Panel.h"
#include "game/level/bonus/BearBonusEffect.h"
#include "game/level/bonus/CatBonusEffect.h"
#include "game/level/bonus/ChickenBonusEffect.h"
#include "game/level/bonus/InstantBonusEffect.h"
#include "game/level/bonus/RunningCat.h"
#include "game/level/field/MeadowCellView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowObjectModel.h"

#include <set>
#include <utility>

using namespace Engine;
using TestLevel::BonusBoardTest;

class BonusEffectTest : public BonusBoardTest {
protected:
    // Buys the bonus of the type, points it at the cell and clicks there.
    template <class T> T* applyAt(int type, int row, int column) {
        T* effect = dynamic_cast<T*>(controller->createBonusEffect(type));
        EXPECT_NE(nullptr, effect);
        controller->setBonusEffectPosition(row, column);
        controller->setInputLocked(true);
        controller->updateBonusEffectPosition(cell(row, column));
        return effect;
    }
    bool alive(cWidget* effect, cWidget* parent) {
        return isWidgetAlive(effect) && parent->getChildren().count(effect) > 0;
    }
};

TEST_F(BonusEffectTest, TargetsChangeOnlyToANewCellAndNotOnceTheEffectIsImmediate) {
    buildBonusBoard({"1_1_1", "1_1_1"});
    auto* chicken = dynamic_cast<cChickenBonusEffect*>(controller->createBonusEffect(11));
    ASSERT_NE(nullptr, chicken);
    EXPECT_TRUE(chicken->getIdleIcon()->isVisible());
    EXPECT_TRUE(chicken->setTargetCell(1.0f, 2.0f));
    EXPECT_FALSE(chicken->setTargetCell(1.0f, 2.0f));
    EXPECT_TRUE(chicken->isTargetCell(cVector2(1, 2)));
    EXPECT_FALSE(chicken->setTargetCell(-1.0f, -1.0f));
    EXPECT_TRUE(chicken->getTargetCells().empty());
    chicken->setImmediate(true);
    EXPECT_FALSE(chicken->setTargetCell(0.0f, 0.0f));
    EXPECT_EQ(cVector2(-1, -1), chicken->getTargetCell());
    EXPECT_EQ(nullptr, cBonusEffect::create(board.get(), model.get(), 5));
}

TEST_F(BonusEffectTest, RestingPiecesOnTheAimedBonusTargetsShowTheOverlayUntilTheAimMovesOrEnds) {
    buildBonusBoard({"1_1_1_1", "1_1_1_1", "1_1_1_1", "1_1_1_1"});
    // Placed pieces are shown and enabled, as the board screen places them.
    for (auto& entry : board->getObjectViews()) {
        entry.second->show();
        entry.second->enable();
    }
    // The overlay and the render flag 4 go together; answers the cells that show them.
    auto overlaid = [this] {
        std::set<std::pair<int, int>> cells;
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column) {
                cMeadowObjectView* view = board->getGameObjectView(model->getObject(row, column));
                const bool shown = view->getOverlay()->isVisible();
                EXPECT_EQ(shown, (view->getRenderType() & 4u) != 0) << row << "," << column;
                if (shown)
                    cells.insert({row, column});
            }
        return cells;
    };
    // The cursor aims the bonus; the pieces follow within the frames after.
    auto aimAt = [this](int row, int column) {
        const cVector2 p = field->getCellPosition(row, column);
        ui.moveTo(p.x, p.y);
        ui.steps(2);
    };
    aimAt(2, 2);
    EXPECT_TRUE(overlaid().empty());
    ASSERT_NE(nullptr, controller->createBonusEffect(31));
    aimAt(2, 2);
    EXPECT_EQ((std::set<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}}),
              overlaid());
    // A busy piece and an invalid one are no targets to show.
    model->getObject(3, 3)->setMoving();
    model->getObject(1, 1)->isValid() = false;
    ui.step();
    const std::set<std::pair<int, int>> left = overlaid();
    EXPECT_EQ(7u, left.size());
    EXPECT_EQ(0u, left.count({3, 3}) + left.count({1, 1}));
    model->getObject(3, 3)->setIdle();
    model->getObject(1, 1)->isValid() = true;
    // The aim moves to a corner: the square keeps its cells on the board.
    aimAt(0, 0);
    EXPECT_EQ((std::set<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}), overlaid());
    controller->releaseBonusEffect(true);
    ui.step();
    EXPECT_TRUE(overlaid().empty());
}

TEST_F(BonusEffectTest, TheBearCoversItsSquareFallsEatsCrashesTheCellsAndWalksAway) {
    buildBonusBoard({"1_1_1_1", "1_1_1_1", "1_1_1_1", "1_1_1_1"});
    model->getCell(0, 1)->setType(0);
    auto* bear = dynamic_cast<cBearBonusEffect*>(controller->createBonusEffect(31));
    ASSERT_NE(nullptr, bear);
    // A square partly off the board keeps the cells inside; disabled cells are left out.
    controller->setBonusEffectPosition(0, 0);
    EXPECT_EQ(3u, bear->getTargetCells().size());
    controller->setBonusEffectPosition(2, 2);
    EXPECT_EQ(9u, bear->getTargetCells().size());
    model->getObject(3, 3)->setMoving();
    EXPECT_FALSE(bear->canApply());
    model->getObject(3, 3)->setIdle();
    controller->setInputLocked(true);
    controller->updateBonusEffectPosition(cell(2, 2));
    EXPECT_TRUE(bear->isImmediate());
    EXPECT_EQ(int(cBearBonusEffect::FALLING), bear->getState());
    EXPECT_EQ(int(cMeadowObjectModel::CAPTURED), model->getObject(1, 1)->getState());
    EXPECT_EQ(int(cMeadowObjectModel::IDLE), model->getObject(0, 0)->getState());
    EXPECT_EQ(nullptr, bear->getIdleIcon());
    EXPECT_EQ(field->getCellPosition(2, 2), bear->getTargetPosition());
    EXPECT_EQ(field->getCellPosition(2, 2).x, bear->getBear()->getPosition().x);
    EXPECT_TRUE(bear->getSplashes()[1]->isVisible());
    EXPECT_EQ(1, sounds.count("bear_fall1"));

    int frames = 0;
    while (bear->getState() == cBearBonusEffect::FALLING && frames++ < 100)
        ui.step(0.0625f);
    EXPECT_EQ(int(cBearBonusEffect::EATING), bear->getState());
    EXPECT_EQ(1, sounds.count("bear_fall2"));
    EXPECT_FLOAT_EQ(0.5f, bear->getTimer());
    EXPECT_TRUE(levelView.crashes.empty());
    while (bear->getState() == cBearBonusEffect::EATING && frames++ < 200)
        ui.step(0.0625f);
    EXPECT_EQ(int(cBearBonusEffect::LEAVING), bear->getState());
    EXPECT_EQ(9u, levelView.crashes.size());
    EXPECT_EQ(nullptr, levelView.crashes[0].second);
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    EXPECT_FALSE(levelView.locked);
    EXPECT_FALSE(bear->getSplashes()[0]->isVisible());
    while (alive(bear, board.get()) && frames++ < 400)
        ui.step(0.0625f);
    EXPECT_FALSE(alive(bear, board.get()));
    EXPECT_TRUE(levelView.deleted.empty());
}

TEST_F(BonusEffectTest, ABearThatFindsTheLevelFinishedLeavesTheControllerWithoutItsPointer) {
    buildBonusBoard({"1_1_1", "1_1_1", "1_1_1"});
    auto* bear = dynamic_cast<cBearBonusEffect*>(controller->createBonusEffect(32));
    ASSERT_NE(nullptr, bear);
    controller->setBonusEffectPosition(1, 1);
    EXPECT_EQ(4u, bear->getTargetCells().size());
    controller->setLevelFinished(true);
    ui.step(0.0625f);
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    EXPECT_FALSE(alive(bear, board.get()));
    EXPECT_NO_THROW(controller->createBonusEffect(41));
}

TEST_F(BonusEffectTest, TheInstantMixWaitsForMovingPiecesAndReleasesItselfOnApply) {
    buildBonusBoard({"1_1_1", "1_1_1", "1_1_1"});
    IBonusEffect* mix = controller->createBonusEffect(71);
    ASSERT_NE(nullptr, dynamic_cast<cInstantBonusEffect*>(mix));
    EXPECT_TRUE(mix->isImmediate());
    model->getObject(0, 0)->setState(cMeadowObjectModel::HIDDEN_STATE);
    EXPECT_TRUE(mix->canApply());
    model->getObject(1, 1)->setFalling();
    EXPECT_FALSE(mix->canApply());
    model->getObject(1, 1)->setIdle();
    model->getObject(0, 0)->setIdle();
    controller->applyBonusImmediately();
    EXPECT_EQ(1, sounds.count("mix_effect"));
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    ASSERT_EQ(1u, levelView.deleted.size());
    EXPECT_EQ(mix, levelView.deleted[0]);
    EXPECT_EQ(1, controller->getBonusesUsed());
}

TEST_F(BonusEffectTest, TheCatTakesEveryFreePieceOfThePointedTypeAndItsCatsRunOffTheScreen) {
    buildBonusBoard({"1_1_1", "1_1_1", "1_1_1"});
    // Type 1 at (0,0) and (2,2) by the board's pattern; one more on a locked cell, one busy.
    model->getObject(1, 2)->setType(1);
    model->getCell(1, 2)->setLocks(1);
    model->getObject(2, 1)->setType(1);
    model->getObject(2, 1)->setMoving();
    auto* cat = applyAt<cCatBonusEffect>(41, 0, 0);
    ASSERT_NE(nullptr, cat);
    EXPECT_EQ(3u, cat->getTargetCells().size());
    EXPECT_FALSE(cat->isTargetCell(cVector2(2, 1)));
    EXPECT_EQ(int(cMeadowObjectModel::CAPTURED), model->getObject(2, 2)->getState());
    EXPECT_EQ(1, sounds.count("cat_effect"));
    // Cats from the free cells only; every target is crashed; the controller let go.
    EXPECT_EQ(2u, cat->getRunningCats().size());
    EXPECT_EQ(3u, levelView.crashes.size());
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    EXPECT_EQ(nullptr, cat->getParent());
    EXPECT_FALSE(levelView.locked);
    cRunningCat* first = cat->getRunningCats().front();
    EXPECT_FLOAT_EQ(1.0f, first->getDirection().length());
    // Each cat is deleted as it leaves the screen; the effect goes with the last one.
    int frames = 0;
    while (isWidgetAlive(cat) && frames++ < 200)
        ui.step(0.0625f);
    EXPECT_FALSE(isWidgetAlive(cat));
}

TEST_F(BonusEffectTest, ACatOnABusyOrPrizePieceHasNoTargetsAndCannotApply) {
    buildBonusBoard({"1_1_1"});
    auto* cat = dynamic_cast<cCatBonusEffect*>(controller->createBonusEffect(41));
    model->getObject(0, 1)->setMoving();
    controller->setBonusEffectPosition(0, 1);
    EXPECT_TRUE(cat->getTargetCells().empty());
    EXPECT_FALSE(cat->canApply());
    model->getObject(0, 2)->setPrizeFlag(true);
    controller->setBonusEffectPosition(0, 2);
    EXPECT_FALSE(cat->canApply());
    controller->setBonusEffectPosition(0, 0);
    EXPECT_TRUE(cat->canApply());
}

TEST_F(BonusEffectTest, ACatLaunchedAtTheScreenCentreRunsUpAndLeftBeforeItsTurn) {
    buildBonusBoard({"1_1_1"});
    auto* cat = dynamic_cast<cCatBonusEffect*>(controller->createBonusEffect(41));
    cRunningCat runner(*cat->getCatPrototype());
    runner.launch(cVector2(runner.getScreenWidth() / 2, runner.getScreenHeight() / 2));
    EXPECT_LT(runner.getDirection().x, 0.0f);
    EXPECT_LT(runner.getDirection().y, 0.0f);
    EXPECT_FALSE(runner.getInverseX());
    EXPECT_TRUE(runner.isVisible());
}

TEST_F(BonusEffectTest, TheChickenWorksForItsIconTimeThenHitsItsCellOnceOrTwice) {
    for (int type : {11, 12}) {
        buildBonusBoard({"1_1_1"});
        auto* chicken = applyAt<cChickenBonusEffect>(type, 0, 1);
        ASSERT_NE(nullptr, chicken);
        EXPECT_TRUE(chicken->isWorking());
        EXPECT_TRUE(chicken->getWorkIcon()->isVisible());
        EXPECT_FALSE(chicken->getIdleIcon()->isVisible());
        EXPECT_EQ(int(cMeadowObjectModel::CAPTURED), model->getObject(0, 1)->getState());
        ui.run(0.25f);
        EXPECT_TRUE(levelView.crashes.empty());
        ui.run(0.25f);
        ASSERT_EQ(size_t(type == 12 ? 2 : 1), levelView.crashes.size()) << type;
        EXPECT_EQ(chicken, levelView.crashes[0].second);
        EXPECT_EQ(cVector2(0, 1), levelView.crashes[0].first);
        EXPECT_EQ(chicken, levelView.deleted.back());
        EXPECT_FALSE(levelView.locked);
        levelView.crashes.clear();
        TearDown();
    }
}

TEST_F(BonusEffectTest, AChickenWithoutAWorkIconFinishesAtOnceAndOneOnAFrozenCellCannotApply) {
    writeBonusFiles("");
    buildBonusBoard({"1_1_1"});
    auto* chicken = applyAt<cChickenBonusEffect>(11, 0, 0);
    ASSERT_NE(nullptr, chicken);
    EXPECT_EQ(1u, levelView.crashes.size());
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    EXPECT_FALSE(levelView.locked);

    IBonusEffect* second = controller->createBonusEffect(12);
    model->getCell(0, 2)->setFrozen(true);
    controller->setBonusEffectPosition(0, 2);
    EXPECT_FALSE(second->canApply());
    model->getCell(0, 2)->setFrozen(false);
    EXPECT_TRUE(second->canApply());
}
