// Falls, slides, refill, the after-move check, the start board, rearrangement and mixing.

#include "game/model/MeadowModel.h"

#include "engine/core/Random.h"
#include "game/model/Signal.h"
#include "tests/model/BoardBuilder.h"

#include <gtest/gtest.h>

#include <set>

using Engine::cVector2;
using TestBoard::tRows;
using TestModel::thrownText;

namespace {

// Seeds the generator so that the next percentage draw gives the value.
void seedForPercent(int percent) {
    for (uint32_t seed = 1;; ++seed) {
        Engine::randomSeed(seed);
        if (int(float(Engine::randomNext()) * 0.000030517578125f * 100.0f) == percent) {
            Engine::randomSeed(seed);
            return;
        }
    }
}

// Types drawn by the refill come from a single level type, so the drawings stay readable.
std::unique_ptr<cMeadowModel> board(const tRows& rows) {
    return TestBoard::make(rows, {5});
}

TEST(MeadowModel, PiecesFallToTheLowestEmptyCellInOnePass) {
    auto model = board({"..", "1.", "..", "2.", "..", "3."});
    model->dropObjects();
    EXPECT_TRUE(model->isBoardChanged());
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"55", "..", "..", "1.", "2.", "3."}));
    EXPECT_EQ(TestBoard::states(*model), (tRows{"AA", "  ", "  ", "F ", "F ", "- "}));
}

TEST(MeadowModel, BlockedCellsStopTheFall) {
    auto model = board({"1", ".", "2", ".", "."});
    model->getCell(2, 0)->setLocks(1); // the 2 sits on a lock
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{".", "1", "2", ".", "."}));
    EXPECT_EQ(model->getObject(0, 0), nullptr);

    // A busy piece holds up everything above it.
    TestBoard::build(*model, {"1", "2", "3", "."}, {5});
    model->getObject(1, 0)->setExchanging();
    model->setBoardChanged(false);
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"1", "2", "3", "."}));
    EXPECT_FALSE(model->isBoardChanged());
}

TEST(MeadowModel, PiecesSlideDiagonallyIntoSettledColumns) {
    // The 1 stands over a locked cell; the cells below and beside it are empty.
    struct Case {
        int percent;
        bool busyRight;
        tRows after;
        tRows states;
    } cases[] = {
        {49, false, {"#.#", "1..", "..."}, {" # ", "S  ", "   "}},
        {50, false, {"#.#", "..1", "..."}, {" # ", "  S", "   "}},
        {50, true, {"#.2", "1..", "..."}, {"  E", "S  ", "   "}},
    };
    for (const Case& k : cases) {
        auto model = board({k.busyRight ? "#12" : "#1#", "...", "..."});
        model->getCell(1, 1)->setLocks(1);
        if (k.busyRight)
            model->getObject(2, 2)->setExchanging();
        seedForPercent(k.percent);
        model->dropObjects();
        EXPECT_EQ(TestBoard::draw(*model), k.after) << k.percent;
        tRows states = TestBoard::states(*model);
        states[0][1] = k.states[0][1];
        EXPECT_EQ(states, k.states) << k.percent;
    }
}

TEST(MeadowModel, ASlideOutOfAFullColumnLetsTheNextColumnSlideInTheSamePass) {
    // Columns 1 and 2 start full; the 1 slides out to the left, and the 3 takes its place.
    auto model = board({"##3", "#14", ".25"});
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"##.", "#34", "125"}));
    EXPECT_EQ(TestBoard::states(*model), (tRows{"   ", " S-", "S--"}));
}

TEST(MeadowModel, ColumnsAreSettledWhenNothingCanStillMoveInThem) {
    auto model = board({"1", "2", "3"});
    EXPECT_TRUE(model->isColumnSettled(0));
    model->getObject(2, 0)->setFalling();
    EXPECT_FALSE(model->isColumnSettled(0));
    model->getObject(2, 0)->setState(cMeadowObjectModel::STATE_22);
    EXPECT_TRUE(model->isColumnSettled(0));

    TestBoard::build(*model, {"1", ".", "3"}, {5});
    EXPECT_FALSE(model->isColumnSettled(0)); // the 1 still has to fall
    model->getCell(1, 0)->setLocks(1);
    EXPECT_TRUE(model->isColumnSettled(0));
    TestBoard::build(*model, {".", "2", "3"}, {5});
    EXPECT_FALSE(model->isColumnSettled(0)); // an empty top cell is still to be filled
}

TEST(MeadowModel, SourceCellsAreTheTopRowAndCellsNothingFeeds) {
    auto model = board({"#.#", "...", "..."});
    model->getCell(1, 2)->setLocks(1);
    EXPECT_TRUE(model->isSourceCell(2, 0, true)); // the top row, even without a cell
    EXPECT_FALSE(model->isSourceCell(1, 1, true));
    EXPECT_FALSE(model->isSourceCell(1, 1, false));
    EXPECT_FALSE(model->isSourceCell(0, 0, false));
    EXPECT_TRUE(model->isSourceCell(1, 2, false)); // locked and empty
    model->getCell(2, 1)->setAwaitedTrigger(3);
    EXPECT_TRUE(model->isSourceCell(1, 0, false));
    EXPECT_TRUE(model->isSourceCell(1, 1, false));
}

TEST(MeadowModel, EmptyCellUnderADisabledCellIsRefilledDirectly) {
    auto model = board({".", ".", "."});
    model->getCell(2, 0)->setAwaitedTrigger(9);
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{".", "5", "."}));
    EXPECT_EQ(TestBoard::states(*model), (tRows{" ", "A", " "}));
    model->dropObjects(); // an appearing piece waits for its view
    EXPECT_EQ(TestBoard::draw(*model), (tRows{".", "5", "."}));
    TestBoard::settle(*model);
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{".", ".", "5"}));
    EXPECT_EQ(TestBoard::states(*model), (tRows{" ", " ", "F"}));
    model->dropObjects();
    EXPECT_EQ(TestBoard::draw(*model), (tRows{".", "5", "5"}));
}

TEST(MeadowModel, AfterMoveCheckReportsNoMovesOncePerRest) {
    auto model = board({"12", "34"});
    int signals = 0;
    model->m_noMovesSignal.connect([&] { ++signals; });
    model->checkAfterMove();
    model->checkAfterMove();
    EXPECT_EQ(signals, 1);
    EXPECT_TRUE(model->isNoMoveReported());

    model->removeObjectAt(1, 0);
    model->checkAfterMove(); // a new piece appears
    EXPECT_FALSE(model->isNoMoveReported());
    EXPECT_EQ(signals, 1);
    model->getObject(1, 0)->setState8(); // its view is still bringing it in
    model->checkAfterMove();
    EXPECT_EQ(signals, 1);
    TestBoard::settle(*model);
    model->checkAfterMove();
    EXPECT_EQ(signals, 2);

    TestBoard::build(*model, {"111", "234"}, {5});
    model->checkAfterMove(); // a cascade: the controller pays it
    EXPECT_EQ(signals, 2);
    EXPECT_EQ(model->getObject(1, 1)->getHorizontalCount(), 0);
}

TEST(MeadowModel, StartFillMovesOneRowPerPassAndKeepsCategoryTen) {
    auto model = board({".", ".", "."});
    model->fillEmptyCells(true);
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"5", ".", "."}));
    TestBoard::settle(*model);
    model->fillEmptyCells(true);
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"5", "5", "."}));
    EXPECT_EQ(TestBoard::states(*model), (tRows{"A", "D", " "}));
    EXPECT_EQ(model->getNewObjects().size(), 2u);

    TestBoard::build(*model, {"1", "."}, {5});
    model->getObject(1, 0)->setType(102); // category 10 in the fixture
    model->fillEmptyCells(true);
    EXPECT_EQ(model->getObject(1, 0)->getType(), 102);
    model->fillEmptyCells(false);
    EXPECT_EQ(model->getObject(0, 0)->getType(), 102);
}

TEST(MeadowModel, DiagonalStartFillMakesOneMovePerCall) {
    auto model = board({"11", ".1", ".1"});
    model->getCell(1, 1)->setFrozen(true);
    model->fillEmptyCellsDiagonal(true);
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"15", "11", ".1"}));
    EXPECT_TRUE(model->getObject(1, 0)->getFlagB());
    EXPECT_EQ(TestBoard::states(*model), (tRows{"-A", "D-", " -"}));
    EXPECT_TRUE(model->isBoardChanged());
}

TEST(MeadowModel, StartBoardHasNoRunAndAMoveForManySeeds) {
    const std::vector<tRows> shapes = {
        tRows(9, std::string(9, '.')),
        {"#.......#", ".........", "....#....", "...###...", ".........", ".........", "#.......#"},
        tRows(3, std::string(12, '.')),
    };
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            Engine::randomSeed(seed);
            auto model = TestBoard::make(shapes[shape]);
            if (shape == 1)
                model->getCell(0, 4)->setLocks(1);
            model->generateStartBoard();
            for (int r = 0; r < model->getRows(); ++r)
                for (int c = 0; c < model->getColumns(); ++c) {
                    cMeadowObjectModel* piece = model->getObject(r, c);
                    EXPECT_EQ(piece != nullptr, !model->isCellBlocked(r, c)) << r << "," << c;
                    if (piece) {
                        EXPECT_EQ(piece->getState(), cMeadowObjectModel::FALLING);
                    }
                }
            TestBoard::settle(*model);
            EXPECT_FALSE(model->hasMatches()) << shape << " seed " << seed;
            cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
            EXPECT_TRUE(model->findPossibleMove(first, second)) << shape << " seed " << seed;
        }
    }
}

TEST(MeadowModel, CellWalledOffByLocksStaysEmptyUntilALockOpens) {
    // Under three locks in a row the middle cell is no source (enabled cells lie above it) and
    // no piece can fall or slide into it.
    Engine::randomSeed(5);
    auto model = TestBoard::make({".....", ".123.", ".....", "....."});
    for (int c = 1; c <= 3; ++c)
        model->getCell(2, c)->setLocks(1);
    model->generateStartBoard();
    TestBoard::settle(*model);
    tRows holes = TestBoard::draw(*model);
    for (std::string& line : holes)
        for (char& ch : line)
            ch = ch == '.' ? '.' : 'x';
    EXPECT_EQ(holes, (tRows{"xxxxx", "xxxxx", "xx.xx", "xxxxx"}));

    model->dropObjects();
    EXPECT_FALSE(model->isBoardChanged());
    model->getCell(2, 2)->setLocks(0);
    for (int pass = 0; pass < 4; ++pass) {
        model->dropObjects();
        TestBoard::settle(*model);
    }
    for (const std::string& line : TestBoard::draw(*model))
        EXPECT_EQ(line.find('.'), std::string::npos) << line;
}

TEST(MeadowModel, StartBoardLeavesHiddenPiecesHidden) {
    Engine::randomSeed(21);
    auto model = TestBoard::make({".....", ".....", "..1..", ".....", "....."});
    model->getCell(2, 2)->setAwaitedTrigger(5);
    cMeadowObjectModel* hidden = model->getObject(2, 2);
    hidden->setState(cMeadowObjectModel::HIDDEN_STATE);
    model->generateStartBoard();
    EXPECT_EQ(model->getObject(2, 2), hidden);
    EXPECT_EQ(hidden->getState(), cMeadowObjectModel::HIDDEN_STATE);
    EXPECT_EQ(hidden->getType(), 1);
    EXPECT_EQ(TestBoard::states(*model), (tRows{"FFFFF", "FFFFF", "FFHFF", "FFFFF", "FFFFF"}));
}

TEST(MeadowModel, BoardThatCanNeverHaveAMoveFailsClearly) {
    for (const tRows& shape : {tRows{"..."}, tRows{"..", ".."}}) {
        Engine::randomSeed(3);
        auto model = TestBoard::make(shape);
        const std::string size = std::to_string(model->getRows()) + " x " + std::to_string(model->getColumns());
        EXPECT_EQ(thrownText([&] { model->generateStartBoard(); }),
                  "cMeadowModel::generateStartBoard(): cannot make a start board with a possible move on a " + size +
                      " board");
    }
}

TEST(MeadowModel, VariantsCountLikeAnOdometer) {
    auto model = TestBoard::make({"11"}, {1, 2, 3});
    model->m_maxObjectsOnLevel = 2;
    model->getNewObjects() = {model->getObject(0, 0), model->getObject(0, 1)};
    model->getVariantCounters() = {0, 0};
    std::vector<std::string> seen;
    while (model->advanceVariant())
        seen.push_back(TestBoard::draw(*model)[0]);
    EXPECT_EQ(seen, (std::vector<std::string>{"21", "31", "12", "22", "32", "13", "23", "33"}));
    EXPECT_EQ(TestBoard::draw(*model)[0], "11");
}

TEST(MeadowModel, NextEmptyTypeCyclesThroughTheLevelTypes) {
    auto model = TestBoard::make({"2"}, {2, 4, 6});
    EXPECT_EQ(model->getNextEmptyType(2), 4);
    EXPECT_EQ(model->getNextEmptyType(6), 2);
    EXPECT_EQ(thrownText([&] { model->getNextEmptyType(5); }),
              "cMeadowModel::getNextEmptyType(): a given type was not found: 5");
}

TEST(MeadowModel, RearrangingTheNewPiecesStopsAtTheFirstVariantWithAMove) {
    auto model = TestBoard::make({"123", "231"}, {1, 2, 3});
    model->m_maxObjectsOnLevel = 3;
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    ASSERT_FALSE(model->findPossibleMove(first, second));
    model->getNewObjects() = {model->getObject(1, 2)};
    // 3 -> 1 gives no move; 1 -> 2 lets the left column's swap make 2 2 2.
    EXPECT_TRUE(model->rearrangeBoard());
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"122", "231"}));
    EXPECT_EQ(model->getVariantCounters(), std::vector<int32_t>{2});

    // No variant of a 2 x 2 board has a move: every counter runs through and carries.
    TestBoard::build(*model, {"12", "21"}, {1, 2, 3});
    model->getNewObjects() = {model->getObject(1, 0)};
    EXPECT_FALSE(model->rearrangeBoard());
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"22", "21"}));
}

TEST(MeadowModel, RearrangementVariesOnlyFreePiecesAboveTheBottomRow) {
    auto model = TestBoard::make({"123", "345", "512"});
    model->getObject(2, 2)->setPrizeFlag(true);
    model->getObject(2, 2)->setType(101);
    model->getObject(1, 2)->setFalling();
    EXPECT_TRUE(model->rearrangeFreePieces());
    EXPECT_EQ(model->getNewObjects().size(), 4u);
    EXPECT_EQ(TestBoard::draw(*model)[2], "512");
    EXPECT_EQ(model->getObject(1, 2)->getType(), 5);
    EXPECT_EQ(model->getObject(2, 2)->getType(), 101);

    // A board no variant can help: each counter takes max_objects_on_level + 1 = 6 values over
    // 5 level types, so the run through every variant leaves both pieces one type further.
    TestBoard::build(*model, {"12", "34"});
    EXPECT_FALSE(model->rearrangeFreePieces());
    EXPECT_EQ(TestBoard::draw(*model), (tRows{"23", "34"}));
}

TEST(MeadowModel, MixingSwapsFreePiecesOnly) {
    auto model = TestBoard::make({"1"});
    EXPECT_TRUE(model->mixObjects());
    EXPECT_EQ(TestBoard::states(*model), tRows{"-"});

    Engine::randomSeed(11);
    TestBoard::build(*model, {"1234", "5123", "4512"});
    model->getObject(0, 0)->setBonusTag(201);
    model->getCell(2, 3)->setLocks(1);
    cMeadowObjectModel* tagged = model->getObject(0, 0);
    cMeadowObjectModel* locked = model->getObject(2, 3);
    std::multiset<int> before;
    for (cMeadowObjectModel* p : model->getObjectList(true))
        before.insert(p->getType());
    EXPECT_TRUE(model->mixObjects());
    std::multiset<int> after;
    for (cMeadowObjectModel* p : model->getObjectList(true))
        after.insert(p->getType());
    EXPECT_EQ(before, after);
    EXPECT_EQ(model->getObject(0, 0), tagged);
    EXPECT_EQ(model->getObject(2, 3), locked);
    EXPECT_EQ(tagged->getState(), cMeadowObjectModel::IDLE);
    EXPECT_NE(TestBoard::draw(*model), (tRows{"1234", "5123", "4512"}));
    for (cMeadowObjectModel* p : model->getObjectList(true))
        EXPECT_EQ(model->getObject(p->getRow(), p->getColumn()), p);
}

} // namespace
