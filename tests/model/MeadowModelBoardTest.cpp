// The grids of the board model: cells, pieces and the tests the board rules stand on.

#include "game/model/MeadowModel.h"

#include "engine/core/Random.h"
#include "tests/model/BoardBuilder.h"
#include "tests/model/ModelFixture.h"

#include <gtest/gtest.h>

using Engine::cVector2;
using TestModel::thrownText;

namespace {

// A model with a rows × columns board of simple cells, trigger 0 fired and level types 1 to 5.
std::unique_ptr<cMeadowModel> makeBoard(int rows, int columns) {
    return TestBoard::make(TestBoard::tRows(size_t(rows), std::string(size_t(columns), '.')));
}

void fill(cMeadowModel& model) {
    for (int r = 0; r < model.getRows(); ++r)
        for (int c = 0; c < model.getColumns(); ++c)
            model.createObjectAt(r, c);
}

std::vector<std::pair<int, int>> positionsOf(const std::vector<cMeadowObjectModel*>& pieces) {
    std::vector<std::pair<int, int>> result;
    for (cMeadowObjectModel* p : pieces)
        result.emplace_back(p->getRow(), p->getColumn());
    return result;
}

TEST(MeadowModel, CreatesAnEmptyBoardOfTheGivenSize) {
    auto model = TestModel::makeFixtureModel();
    model->createBoard(3, 4);
    EXPECT_EQ(model->getRows(), 3);
    EXPECT_EQ(model->getColumns(), 4);
    EXPECT_EQ(model->getBoardSize(), cVector2(4.0f, 3.0f));
    EXPECT_EQ(model->getObjectPool()->getBatchSize(), 12);
    EXPECT_EQ(model->getCell(2, 3), nullptr);
    EXPECT_EQ(model->getObject(2, 3), nullptr);
    cCellModel* cell = model->createCell(2, 3, 0x0203u);
    EXPECT_EQ(model->getCell(2, 3), cell);
    EXPECT_EQ(cell->getRow(), 2);
    EXPECT_EQ(cell->getColumn(), 3);
    EXPECT_EQ(cell->getType(), 3);
    EXPECT_TRUE(cell->getGoldPrizeFlag());
    EXPECT_EQ(thrownText([&] { model->createCell(2, 3, 1); }),
              "cMeadowModel::createCell(): cell is already defined in (2, 3)");
    model->destroyBoard();
    EXPECT_EQ(model->getRows(), 0);
    EXPECT_EQ(model->getObjectPool(), nullptr);
}

TEST(MeadowModel, CellsWaitForTheirTrigger) {
    auto model = makeBoard(1, 2);
    cCellModel* waiting = model->getCell(0, 0);
    waiting->setAwaitedTrigger(5);
    EXPECT_FALSE(waiting->isEnabled());
    EXPECT_TRUE(model->isCellBlocked(0, 0));
    model->getFiredTriggers().push_back(5);
    EXPECT_TRUE(waiting->isEnabled());
    EXPECT_FALSE(model->isCellBlocked(0, 0));
    model->getCell(0, 1)->setType(0);
    EXPECT_FALSE(model->getCell(0, 1)->isEnabled());
    EXPECT_TRUE(model->isCellBlocked(0, 1));
}

TEST(MeadowModel, BlockedCellCases) {
    struct {
        const char* name;
        void (*change)(cCellModel&);
        bool blocked;
    } cases[] = {
        {"simple", [](cCellModel&) {}, false},
        {"trigger", [](cCellModel& c) { c.setTriggerNumber(3); }, true},
        {"block flag", [](cCellModel& c) { c.setBlockFlag(true); }, true},
        {"locks", [](cCellModel& c) { c.setLocks(1); }, true},
        {"frozen", [](cCellModel& c) { c.setFrozen(true); }, true},
        {"no cell type", [](cCellModel& c) { c.setType(0); }, true},
        {"wood", [](cCellModel& c) { c.setType(2); }, false},
    };
    for (const auto& c : cases) {
        auto model = makeBoard(1, 1);
        c.change(*model->getCell(0, 0));
        EXPECT_EQ(model->isCellBlocked(0, 0), c.blocked) << c.name;
    }
}

TEST(MeadowModel, CellAccessorsNameTheMissingCell) {
    auto model = TestModel::makeFixtureModel();
    model->createBoard(2, 2);
    EXPECT_EQ(thrownText([&] { model->getCellType(1, 0); }),
              "cMeadowModel::getCellType(): cell is not defined in (1, 0)");
    EXPECT_EQ(thrownText([&] { model->setCellType(0, 1, 2); }),
              "cMeadowModel::setCellType(): cell is not defined in (0, 1)");
    EXPECT_EQ(thrownText([&] { model->getCellLocks(1, 1); }),
              "cMeadowModel::getCellLocks(): cell is not defined in (1, 1)");
    EXPECT_EQ(thrownText([&] { model->setCellLocks(0, 0, 1); }),
              "cMeadowModel::setCellLocks(): cell is not defined in (0, 0)");
    EXPECT_EQ(thrownText([&] { model->isLockedCell(1, 0); }),
              "cMeadowModel::isLockedCell(): cell is not defined in (1, 0)");
    model->createCell(0, 0, 1);
    EXPECT_EQ(thrownText([&] { model->getComplexCellsInSquare(0, 0, 2); }),
              "cMeadowModel::getComplexCellsInSquare(): cell is not defined in (0, 1)");

    model->setCellType(0, 0, 3);
    model->setCellLocks(0, 0, 2);
    EXPECT_EQ(model->getCellType(0, 0), 3);
    EXPECT_EQ(model->getCellLocks(0, 0), 2);
    EXPECT_TRUE(model->isLockedCell(0, 0));
}

TEST(MeadowModel, PiecesArePlacedRemovedAndReleasedThroughThePool) {
    auto model = makeBoard(2, 2);
    Engine::randomSeed(3);
    cMeadowObjectModel* piece = model->createObjectAt(1, 0);
    EXPECT_TRUE(piece->isValid());
    EXPECT_EQ(piece->getPosition(), cVector2(1.0f, 0.0f));
    EXPECT_TRUE(model->isLevelType(piece->getType()));
    EXPECT_EQ(model->getObject(1, 0), piece);

    piece->setBonusTag(cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    piece->setType(cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    cMeadowObjectModel* clone = model->cloneObjectAt(cVector2(0.0f, 1.0f), piece);
    EXPECT_EQ(clone->getType(), 202);
    EXPECT_EQ(clone->getBonusTag(), 202);
    EXPECT_EQ(model->getObject(0, 1), clone);
    cMeadowObjectModel* again = model->cloneObjectAt(clone);
    EXPECT_EQ(model->getObject(0, 1), again);
    EXPECT_EQ(again->getBonusTag(), 202);
    model->releaseObject(clone);
    clone = again;

    model->setSelectionPointers(piece, nullptr);
    model->removeObjectFromGrid(piece);
    EXPECT_EQ(model->getObject(1, 0), nullptr);
    EXPECT_EQ(model->getSelected(), nullptr);
    EXPECT_EQ(piece->getPosition(), cVector2(1.0f, 0.0f)); // keeps its position

    size_t freeBefore = model->getObjectPool()->getFreeCount();
    piece->setFalling();
    piece->setPrizeFlag(true);
    piece->setHorizontalCount(3);
    model->releaseObject(piece);
    EXPECT_EQ(piece->getState(), cMeadowObjectModel::IDLE);
    EXPECT_EQ(piece->getBonusTag(), 0);
    EXPECT_FALSE(piece->getPrizeFlag());
    EXPECT_FALSE(piece->isValid());
    EXPECT_EQ(piece->getHorizontalCount(), 0);
    EXPECT_EQ(piece->getPosition(), cVector2(-1.0f, -1.0f));
    EXPECT_EQ(model->getObjectPool()->getFreeCount(), freeBefore + 1);

    model->removeObjectAt(0, 1);
    EXPECT_EQ(model->getObject(0, 1), nullptr);
    EXPECT_FALSE(clone->isValid());
    model->removeObjectAt(0, 1); // nothing there: nothing happens
}

TEST(MeadowModel, RemovingAPieceOffTheBoardChangesNoSlot) {
    auto model = makeBoard(2, 2);
    fill(*model);
    cMeadowObjectModel* stray = model->getObjectPool()->acquire();
    model->removeObjectFromGrid(stray);
    EXPECT_EQ(model->getObjectList(true).size(), 4u);
    // A piece whose slot another piece has taken leaves that piece in place.
    cMeadowObjectModel* moved = model->getObject(0, 0);
    model->setObject(1, 1, moved);
    model->setObject(0, 0, nullptr);
    cMeadowObjectModel* newcomer = model->createObjectAt(0, 0);
    moved->setPosition(cVector2(0.0f, 0.0f));
    model->removeObjectFromGrid(moved);
    EXPECT_EQ(model->getObject(0, 0), newcomer);
}

TEST(MeadowModel, RemovedPiecesLeaveTheSelection) {
    auto model = makeBoard(1, 3);
    fill(*model);
    cMeadowObjectModel* first = model->getObject(0, 0);
    cMeadowObjectModel* second = model->getObject(0, 1);
    model->setSelected(first);
    model->setSelected(second);
    ASSERT_EQ(model->getPreviousSelected(), first);
    model->removeObjectAt(0, 0);
    EXPECT_EQ(model->getPreviousSelected(), nullptr);
    EXPECT_EQ(model->getSelected(), second);
    model->removeObjectFromGrid(second);
    EXPECT_EQ(model->getSelected(), nullptr);
}

TEST(MeadowModel, ListsPiecesRowByRow) {
    auto model = makeBoard(2, 3);
    fill(*model);
    model->getCell(0, 1)->setFrozen(true);
    model->getObject(1, 0)->setPrizeFlag(true);
    model->getObject(1, 2)->setFalling();
    model->getObject(0, 2)->setValid(false);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(positionsOf(model->getObjectList(true)), (P{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}));
    EXPECT_EQ(positionsOf(model->getObjectList(false)), (P{{0, 0}, {0, 2}, {1, 1}, {1, 2}}));
    std::vector<cMeadowObjectModel*> free;
    model->getFreeObjects(free);
    EXPECT_EQ(positionsOf(free), (P{{0, 0}, {0, 1}, {1, 1}}));
}

TEST(MeadowModel, CollectsNeighboursInItsFixedOrder) {
    auto model = makeBoard(3, 3);
    fill(*model);
    model->removeObjectAt(2, 2);
    std::vector<cMeadowObjectModel*> pieces;
    model->collectNeighbours(cVector2(1.0f, 1.0f), pieces);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(positionsOf(pieces), (P{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 2}, {0, 1}}));
    pieces.clear();
    model->collectNeighbours(cVector2(0.0f, 0.0f), pieces);
    EXPECT_EQ(positionsOf(pieces), (P{{1, 0}, {1, 1}, {0, 1}}));
    std::vector<cCellModel*> cells;
    model->collectNeighbourCells(cVector2(1.0f, 1.0f), cells);
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[4]->getRow() * 10 + cells[4]->getColumn(), 22);
}

TEST(MeadowModel, SquaresListEnabledCellsRowByRow) {
    auto model = makeBoard(3, 3);
    model->getCell(1, 1)->setType(0);
    std::vector<cVector2> square = model->getComplexCellsInSquare(1, 1, 3);
    EXPECT_EQ(square, (std::vector<cVector2>{cVector2(1.0f, 2.0f), cVector2(2.0f, 1.0f), cVector2(2.0f, 2.0f)}));
    EXPECT_EQ(model->getComplexCellsInSquare(-1, -1, 2), (std::vector<cVector2>{cVector2(0.0f, 0.0f)}));
}

TEST(MeadowModel, FreeSpaceBelowLooksDownAndDiagonally) {
    auto model = makeBoard(2, 3);
    fill(*model);
    EXPECT_FALSE(model->hasFreeSpaceBelow(model->getObject(0, 1))); // bottom row
    EXPECT_FALSE(model->hasFreeSpaceBelow(model->getObject(1, 1)));
    model->removeObjectAt(0, 2);
    EXPECT_TRUE(model->hasFreeSpaceBelow(model->getObject(1, 1)));  // below right
    EXPECT_FALSE(model->hasFreeSpaceBelow(model->getObject(1, 0))); // column 0 ignores its left
    model->removeObjectAt(0, 0);
    EXPECT_TRUE(model->hasFreeSpaceBelow(model->getObject(1, 0)));
}

TEST(MeadowModel, BulkStateChangesSkipHiddenPieces) {
    auto model = makeBoard(1, 3);
    fill(*model);
    model->getObject(0, 0)->setState(cMeadowObjectModel::HIDDEN_STATE);
    model->getObject(0, 1)->setFlagB(true);
    model->setAllFalling();
    EXPECT_EQ(model->getObject(0, 0)->getState(), cMeadowObjectModel::HIDDEN_STATE);
    EXPECT_EQ(model->getObject(0, 2)->getState(), cMeadowObjectModel::FALLING);
    EXPECT_FALSE(model->hasBusyObject()); // falling is not a busy state
    model->getObject(0, 2)->setCaptured();
    EXPECT_TRUE(model->hasBusyObject());
    model->resetObjectStates();
    EXPECT_EQ(model->getObject(0, 0)->getState(), cMeadowObjectModel::HIDDEN_STATE);
    EXPECT_EQ(model->getObject(0, 2)->getState(), cMeadowObjectModel::IDLE);
    EXPECT_FALSE(model->getObject(0, 1)->getFlagB());
    model->getObject(0, 1)->setVerticalCount(4);
    model->resetMatchCounts();
    EXPECT_EQ(model->getObject(0, 1)->getVerticalCount(), 0);
}

TEST(MeadowModel, CountsVehicleCells) {
    auto model = makeBoard(2, 2);
    model->getCell(0, 1)->setVehicleFlag(true);
    model->getCell(1, 1)->setVehicleFlag(true);
    model->getCell(1, 0)->setGoldPrizeFlag(true);
    EXPECT_EQ(model->countVehicleCells(), 2);
}

} // namespace
