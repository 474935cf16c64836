// Selection, swaps, match detection, the move search and figure collection.

#include "game/model/MeadowModel.h"

#include "engine/core/Random.h"
#include "tests/model/BoardBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using Engine::cVector2;
using TestModel::thrownText;

namespace {

using tMove = std::pair<cVector2, cVector2>;

tMove nextHint(cMeadowModel& model) {
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    EXPECT_TRUE(model.findPossibleMove(first, second));
    return {first, second};
}

std::string text(const tMove& move) {
    auto pos = [](const cVector2& p) { return "(" + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + ")"; };
    return pos(move.first) + pos(move.second);
}

std::vector<std::string> positionsOf(const cMeadowFigure& figure) {
    std::vector<std::string> result;
    for (const cVector2& p : figure.getPositions())
        result.push_back(std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
    return result;
}

// Every swap the rules allow, tried in the grids one by one: the moves in scan order.
std::vector<std::string> movesByBruteForce(cMeadowModel& model) {
    std::vector<std::string> moves;
    auto tryPair = [&](int r1, int c1, int r2, int c2) {
        cMeadowObjectModel* a = model.getObject(r1, c1);
        cMeadowObjectModel* b = model.getObject(r2, c2);
        if (model.isCellBlocked(r1, c1) || !a || a->getType() == 101 || a->getType() == 102)
            return;
        if (model.isCellBlocked(r2, c2) || !b || b->getType() == 101 || b->getType() == 102 ||
            a->getType() == b->getType())
            return;
        model.swapInGrid(a, b);
        if (model.hasMatches())
            moves.push_back(text({a->getPosition(), b->getPosition()}));
        model.swapInGrid(a, b);
    };
    for (int r = 0; r < model.getRows(); ++r)
        for (int c = 0; c + 1 < model.getColumns(); ++c)
            tryPair(r, c, r, c + 1);
    for (int c = 0; c < model.getColumns(); ++c)
        for (int r = 0; r + 1 < model.getRows(); ++r)
            tryPair(r, c, r + 1, c);
    return moves;
}

TEST(MeadowModel, SelectionRemembersThePreviousPieceAndRefusesNone) {
    auto model = TestBoard::make({"12"});
    cMeadowObjectModel* a = model->getObject(0, 0);
    cMeadowObjectModel* b = model->getObject(0, 1);
    EXPECT_EQ(model->setSelected(a), nullptr);
    EXPECT_TRUE(a->isSelected());
    EXPECT_EQ(model->setSelected(b), a);
    EXPECT_FALSE(a->isSelected());
    EXPECT_TRUE(b->isSelected());
    EXPECT_EQ(thrownText([&] { model->setSelected(nullptr); }),
              "cMeadowModel::setSelected(): try to set NULL as selected object.");
    EXPECT_EQ(model->getSelected(), nullptr);
    EXPECT_FALSE(b->isSelected());
}

TEST(MeadowModel, NeighboursShareARowOrAColumnOneApart) {
    auto model = TestBoard::make({"12345", "12345", "12345", "12345", "12345"});
    struct Case {
        int r1, c1, r2, c2;
        bool neighbour;
    } cases[] = {{2, 3, 3, 3, true},  {2, 3, 2, 4, true},  {2, 3, 1, 3, true},  {2, 3, 2, 2, true},
                 {2, 3, 3, 4, false}, {2, 3, 2, 3, false}, {2, 3, 4, 3, false}, {2, 3, 2, 1, false}};
    for (const Case& k : cases)
        EXPECT_EQ(model->isNeighbour(model->getObject(k.r1, k.c1), model->getObject(k.r2, k.c2)), k.neighbour)
            << k.r1 << "," << k.c1 << " - " << k.r2 << "," << k.c2;
    EXPECT_FALSE(model->isNeighbour(model->getObject(0, 0), nullptr));
}

TEST(MeadowModel, SwapExchangesPositionsAndStates) {
    auto model = TestBoard::make({"12"});
    cMeadowObjectModel* a = model->getObject(0, 0);
    cMeadowObjectModel* b = model->getObject(0, 1);
    model->swapInGrid(a, b);
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"21"});
    EXPECT_EQ(a->getState(), cMeadowObjectModel::IDLE);
    EXPECT_TRUE(model->swapObjects(a, b));
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"12"});
    EXPECT_EQ(a->getPosition(), cVector2(0.0f, 0.0f));
    EXPECT_EQ(a->getState(), cMeadowObjectModel::EXCHANGING);
    EXPECT_EQ(b->getState(), cMeadowObjectModel::EXCHANGING);
}

TEST(MeadowModel, RunsNeedThreeMatchablePiecesOnOpenCells) {
    using tChange = std::function<void(cMeadowModel&)>;
    struct Case {
        const char* name;
        TestBoard::tRows board;
        tChange change;
        bool run;
    } cases[] = {
        {"row of three", {"111"}, nullptr, true},
        {"column of three", {"1", "1", "1"}, nullptr, true},
        {"bonus tag in the middle", {"111"}, [](cMeadowModel& m) { m.getObject(0, 1)->setBonusTag(201); }, false},
        {"prize in the middle", {"111"}, [](cMeadowModel& m) { m.getObject(0, 1)->setPrizeFlag(true); }, false},
        {"busy middle", {"111"}, [](cMeadowModel& m) { m.getObject(0, 1)->setFalling(); }, false},
        {"frozen middle cell", {"111"}, [](cMeadowModel& m) { m.getCell(0, 1)->setFrozen(true); }, false},
        {"locked middle cell", {"111"}, [](cMeadowModel& m) { m.getCell(0, 1)->setLocks(2); }, true},
        {"waiting middle cell", {"111"}, [](cMeadowModel& m) { m.getCell(0, 1)->setAwaitedTrigger(4); }, true},
        {"pairs with a gap", {"11.11"}, nullptr, false},
        {"two types", {"112", "221"}, nullptr, false},
    };
    for (const Case& k : cases) {
        auto model = TestBoard::make(k.board);
        if (k.change)
            k.change(*model);
        EXPECT_EQ(model->hasMatches(), k.run) << k.name;
    }
}

TEST(MeadowModel, DetectionLeavesThePairCounts) {
    auto model = TestBoard::make({"11.11", "21112"});
    EXPECT_TRUE(model->hasMatches());
    std::string top, bottom;
    for (int c = 0; c < 5; ++c) {
        if (cMeadowObjectModel* p = model->getObject(1, c))
            top += char('0' + p->getHorizontalCount());
        else
            top += '.';
        bottom += char('0' + model->getObject(0, c)->getHorizontalCount());
    }
    EXPECT_EQ(top, "11.11");
    EXPECT_EQ(bottom, "01210");
    EXPECT_EQ(model->getObject(0, 1)->getVerticalCount(), 1);
}

TEST(MeadowModel, FiguresOfLinesCrossesAndLShapes) {
    struct Case {
        const char* name;
        TestBoard::tRows board;
        std::vector<std::pair<bool, std::vector<std::string>>> figures; // row figure, positions
    } cases[] = {
        {"row of five", {"11111"}, {{true, {"0,0", "0,2", "0,1", "0,3", "0,4"}}}},
        {"two runs in a row", {"111222"}, {{true, {"0,0", "0,2", "0,1"}}, {true, {"0,3", "0,5", "0,4"}}}},
        {"column of four", {"1", "1", "1", "1"}, {{false, {"0,0", "2,0", "1,0", "3,0"}}}},
        {"L of five", {"1..", "1..", "111"}, {{true, {"0,0", "0,2", "0,1"}}, {false, {"0,0", "2,0", "1,0"}}}},
        {"cross", {".2.", "222", ".2."}, {{true, {"1,0", "1,2", "1,1"}}, {false, {"0,1", "2,1", "1,1"}}}},
        {"T", {"333", ".3.", ".3."}, {{true, {"2,0", "2,2", "2,1"}}, {false, {"0,1", "2,1", "1,1"}}}},
        {"rows bottom first", {"444", "555"}, {{true, {"0,0", "0,2", "0,1"}}, {true, {"1,0", "1,2", "1,1"}}}},
    };
    for (const Case& k : cases) {
        auto model = TestBoard::make(k.board);
        ASSERT_TRUE(model->hasMatches()) << k.name;
        tFigureList figures = model->collectFigures();
        ASSERT_EQ(figures.size(), k.figures.size()) << k.name;
        for (size_t i = 0; i < figures.size(); ++i) {
            EXPECT_EQ(figures[i].isRowFigure(), k.figures[i].first) << k.name << " figure " << i;
            EXPECT_EQ(positionsOf(figures[i]), k.figures[i].second) << k.name << " figure " << i;
            cVector2 first = figures[i].getPosition(0);
            EXPECT_EQ(figures[i].getType(), model->getObject(int(first.x), int(first.y))->getType());
            EXPECT_EQ(figures[i].getModel(), model.get());
        }
    }
}

TEST(MeadowModel, HintOnABoardWithOneMoveIsAlwaysThatMove) {
    // Only moving the 2 left makes 1 1 1.
    auto model = TestBoard::make({"1211"});
    EXPECT_FALSE(model->hasMatches());
    for (int call = 0; call < 4; ++call)
        EXPECT_EQ(text(nextHint(*model)), "(0,1)(0,0)") << call;
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"1211"});
}

TEST(MeadowModel, HintsRotateThroughTheMovesInScanOrder) {
    auto model = TestBoard::make({"1211#1211#1211"});
    model->m_maxHelpMoves = 10;
    std::vector<std::string> hints;
    for (int call = 0; call < 5; ++call)
        hints.push_back(text(nextHint(*model)));
    EXPECT_EQ(hints,
              (std::vector<std::string>{"(0,1)(0,0)", "(0,6)(0,5)", "(0,11)(0,10)", "(0,11)(0,10)", "(0,1)(0,0)"}));

    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += i ? "#1211" : "1211";
    TestBoard::build(*model, {twelve});
    model->setHintIndex(0);
    for (int call = 0; call < 10; ++call)
        EXPECT_EQ(int(nextHint(*model).second.y), call * 5) << call;
    EXPECT_EQ(text(nextHint(*model)), "(0,1)(0,0)");
}

TEST(MeadowModel, VerticalMovesAreNamedAfterTheSwap) {
    auto model = TestBoard::make({"1", "1", "2", "1"});
    EXPECT_EQ(text(nextHint(*model)), "(1,0)(0,0)");
}

TEST(MeadowModel, BoardInMotionCountsAsHavingAMove) {
    auto model = TestBoard::make({"1234", "2345"});
    cMeadowObjectModel* busy = model->getObject(1, 0);
    busy->setExchanging();
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    EXPECT_TRUE(model->findPossibleMove(first, second));
    EXPECT_EQ(first, cVector2(-1.0f, -1.0f));
    EXPECT_EQ(second, cVector2(-1.0f, -1.0f));
    busy->setIdle();
    EXPECT_FALSE(model->findPossibleMove(first, second));
}

TEST(MeadowModel, PrizePiecesAndEqualPairsAreNeverProposed) {
    auto model = TestBoard::make({"1211"});
    model->getObject(0, 1)->setType(101);
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    EXPECT_FALSE(model->findPossibleMove(first, second));
    model->getObject(0, 1)->setType(102);
    EXPECT_FALSE(model->findPossibleMove(first, second));
    TestBoard::build(*model, {"1111"});
    model->getObject(0, 0)->setBonusTag(201); // not matchable, still the same type
    EXPECT_FALSE(model->findPossibleMove(first, second));
    EXPECT_EQ(first, cVector2(-1.0f, -1.0f));
}

TEST(MeadowModel, MoveSearchAgreesWithTryingEverySwap) {
    Engine::randomSeed(77);
    auto model = TestModel::makeFixtureModel();
    for (int round = 0; round < 300; ++round) {
        const int rows = 3 + Engine::randomNext() % 6, columns = 3 + Engine::randomNext() % 6;
        TestBoard::tRows board(size_t(rows), std::string(size_t(columns), '1'));
        for (auto& line : board)
            for (char& ch : line) {
                const int roll = Engine::randomNext() % 40;
                ch = roll == 0 ? '#' : roll == 1 ? '.' : char('1' + Engine::randomNext() % 4);
            }
        TestBoard::build(*model, board);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                cMeadowObjectModel* piece = model->getObject(r, c);
                const int roll = Engine::randomNext() % 60;
                if (!model->getCell(r, c))
                    continue;
                if (roll == 0)
                    model->getCell(r, c)->setFrozen(true);
                else if (roll == 1)
                    model->getCell(r, c)->setLocks(1);
                else if (roll == 2 && piece)
                    piece->setBonusTag(202);
                else if (roll == 3 && piece)
                    piece->setType(101);
                else if (roll == 4 && piece)
                    piece->setPrizeFlag(true);
            }
        const std::vector<std::string> expected = movesByBruteForce(*model);
        model->m_maxHelpMoves = 1000;
        model->setHintIndex(0);
        std::vector<std::string> found;
        cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_TRUE(model->findPossibleMove(first, second));
            found.push_back(text({first, second}));
        }
        EXPECT_EQ(found, expected) << "round " << round;
        if (expected.empty()) {
            EXPECT_FALSE(model->findPossibleMove(first, second)) << "round " << round;
        }
    }
}

TEST(MeadowModel, MoveSearchLeavesTheCountsOfItsLastTrial) {
    // The last trial swaps the 3 and the last 1: 2 1 1 3 pairs the two 1s.
    auto model = TestBoard::make({"2131"});
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    EXPECT_FALSE(model->findPossibleMove(first, second));
    EXPECT_EQ(TestBoard::draw(*model), TestBoard::tRows{"2131"});
    EXPECT_EQ(model->getObject(0, 1)->getHorizontalCount(), 1);
    EXPECT_EQ(model->getObject(0, 3)->getHorizontalCount(), 1);
    EXPECT_EQ(model->getObject(0, 2)->getHorizontalCount(), 0);
}

TEST(MeadowModel, DestroyFiguresBreaksRunsAndNeedsThreeTypes) {
    Engine::randomSeed(5);
    auto model = TestBoard::make({"11111", "22222"});
    ASSERT_TRUE(model->hasMatches());
    model->destroyFigures();
    EXPECT_FALSE(model->hasMatches());
    for (int c = 0; c < 5; ++c)
        EXPECT_NE(model->getObject(0, c)->getType(), 2) << c;

    TestBoard::build(*model, {"111"}, {1, 2});
    ASSERT_TRUE(model->hasMatches());
    EXPECT_EQ(thrownText([&] { model->destroyFigures(); }),
              "cMeadowModel::destroyFigures(): a level needs at least three object types");
}

} // namespace
