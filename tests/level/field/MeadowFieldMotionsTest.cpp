// The move cycle played by the real controller on the field and piece views, frame by frame:
// swap, match pulse, fall, refill and cascade to rest; the swap back; bonus pieces made by
// figures of four, five and crossing runs; the busy test the controller waits on.

#include "tests/level/MoveFixture.h"

#include "game/level/field/SelectionSprite.h"
#include "game/model/CellModel.h"

#include <set>

using namespace Engine;
using TestLevel::MoveTest;

namespace {

// No run of three anywhere; (0,2)<->(0,3) makes one in row 0, (1,0)<->(1,1) makes none.
const std::vector<std::string> BOARD = {"1121", "3434", "2342", "4233"};

} // namespace

class MeadowFieldMotionsTest : public MoveTest {
protected:
    // Every piece idle, visible, standing on its cell and taking clicks; every cell filled.
    void expectAtRest() {
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column) {
                cMeadowObjectModel* p = piece(row, column);
                ASSERT_NE(nullptr, p) << row << "," << column;
                EXPECT_EQ(cMeadowObjectModel::IDLE, p->getState()) << row << "," << column;
                cMeadowObjectView* v = view(row, column);
                ASSERT_NE(nullptr, v);
                EXPECT_TRUE(v->isVisible()) << row << "," << column;
                EXPECT_TRUE(v->isInputAttached()) << row << "," << column;
                EXPECT_EQ(at(row, column), v->getPosition()) << row << "," << column;
                EXPECT_EQ(v->getBaseSize(), v->getSize()) << row << "," << column;
            }
    }
    int countTag(int tag) {
        int count = 0;
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (piece(row, column) && piece(row, column)->getBonusTag() == tag)
                    ++count;
        return count;
    }
};

TEST_F(MeadowFieldMotionsTest, ALegalSwapPlaysExchangeMatchFallAndRefillToRest) {
    play(BOARD);
    cMeadowObjectModel* left = piece(0, 2);
    cMeadowObjectModel* right = piece(0, 3);
    click(0, 2);
    EXPECT_TRUE(field->getSelection()->isVisible());
    EXPECT_EQ(at(0, 2), field->getSelection()->getPosition());

    const cVector2 p = at(0, 3);
    ui.click(p.x, p.y);
    frame();
    // The swap: both pieces exchange, the selection is gone, the model holds them swapped.
    ASSERT_EQ(1u, field->getMotions().getExchangePairs().size());
    EXPECT_FALSE(field->getSelection()->isVisible());
    EXPECT_EQ(cMeadowObjectModel::EXCHANGING, left->getState());
    EXPECT_EQ(left, piece(0, 3));
    EXPECT_TRUE(field->isBusy());
    // The left piece passes below the row in front, the right one above it behind.
    frame();
    EXPECT_GT(board->getGameObjectView(left)->getPosition().y, at(0, 2).y);
    EXPECT_LT(board->getGameObjectView(right)->getPosition().y, at(0, 2).y);
    EXPECT_GT(board->getGameObjectView(left)->getDepth(), board->getGameObjectView(right)->getDepth());

    int frames = 0;
    while (!field->getMotions().getExchangePairs().empty() && frames++ < 20)
        frame();
    // The exchange ended on the cells and the controller matched row 0 at once.
    ASSERT_EQ(1u, field->getMotions().getDyingFigures().size());
    EXPECT_EQ(3u, field->getMotions().getDyingFigures().front().getRemovedObjects().size());
    EXPECT_EQ(cMeadowObjectModel::STATE_3, right->getState());
    EXPECT_EQ(3, model->getMatchedObjects());
    // The pulse hides the matched views and gives their pieces back.
    // Meanwhile the columns above fall in once the matched cells thaw, and the top row is
    // refilled.
    bool hidden = false, fell = false, appeared = false;
    for (int i = 0; i < 60 && !field->getMotions().getDyingFigures().empty(); ++i) {
        frame();
        hidden = hidden || !board->getGameObjectView(right)->isVisible();
        fell = fell || !field->getMotions().getFalling().empty();
        appeared = appeared || !field->getMotions().getAppearing().empty();
    }
    EXPECT_TRUE(field->getMotions().getDyingFigures().empty());
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(fell);
    EXPECT_TRUE(appeared);

    ASSERT_GT(settle(), 0);
    EXPECT_TRUE(field->getMotions().getFalling().empty());
    EXPECT_TRUE(field->getMotions().getLanding().empty());
    expectAtRest();
    EXPECT_EQ("3432", types()[0]) << "the row fallen into the run";
}

TEST_F(MeadowFieldMotionsTest, BusyStaysTrueUntilTheLastMotionEndsAndThenTheBoardIsAtRest) {
    play(BOARD);
    click(0, 2);
    click(0, 3);
    int frames = 0;
    while (field->isBusy() && frames++ < 400) {
        frame();
        if (!field->isBusy())
            break;
    }
    ASSERT_FALSE(field->isBusy());
    // The first frame that is not busy has every list empty and no piece in motion.
    EXPECT_TRUE(field->getMotions().getFalling().empty() && field->getMotions().getLanding().empty() &&
                field->getMotions().getAppearing().empty() && field->getMotions().getDescending().empty() &&
                field->getMotions().getDyingFigures().empty() && field->getMotions().getCrashing().empty() &&
                field->getMotions().getBouncing().empty());
    EXPECT_FALSE(model->hasBusyObject());
    ASSERT_GT(settle(), 0);
    expectAtRest();
}

TEST_F(MeadowFieldMotionsTest, AnIllegalSwapSwapsBackAndKeepsTheSelection) {
    play(BOARD);
    cMeadowObjectModel* a = piece(1, 0);
    cMeadowObjectModel* b = piece(1, 1);
    click(1, 0);
    click(1, 1);
    EXPECT_TRUE(field->getMotions().getExchangePairs().size() + field->getMotions().getSwapBackPairs().size() > 0);
    int frames = 0;
    bool swappedBack = false;
    while (field->isBusy() && frames++ < 40) {
        swappedBack = swappedBack || !field->getMotions().getSwapBackPairs().empty();
        frame();
    }
    EXPECT_TRUE(swappedBack);
    EXPECT_EQ(a, piece(1, 0));
    EXPECT_EQ(b, piece(1, 1));
    EXPECT_EQ(BOARD, types());
    EXPECT_EQ(0, model->getMatchedObjects());
    expectAtRest();
    // The piece clicked last stays selected.
    EXPECT_TRUE(field->getSelection()->isVisible());
    EXPECT_EQ(at(1, 1), field->getSelection()->getPosition());
}

TEST_F(MeadowFieldMotionsTest, FiguresOfFourFiveAndCrossingRunsLeaveTheirBonusPieces) {
    struct Case {
        const char* name;
        std::vector<std::string> board;
        int r1, c1, r2, c2;
        int tag;
    };
    const Case cases[] = {
        {"four in a row", {"11213", "34142", "23424", "42331"}, 0, 2, 1, 2, cMeadowObjectModel::BLAST_BONUS},
        {"five in a row", {"11211", "34142", "23424", "42331"}, 0, 2, 1, 2, cMeadowObjectModel::ROW_LIGHTNING_BONUS},
        {"an L of two runs",
         {"11213", "34142", "23124", "42331"},
         0,
         2,
         0,
         3,
         cMeadowObjectModel::CROSS_LIGHTNING_BONUS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.board);
        click(c.r1, c.c1);
        click(c.r2, c.c2);
        ASSERT_GT(settle(), 0);
        EXPECT_EQ(1, countTag(c.tag));
        EXPECT_EQ(c.tag, piece(0, 2)->getBonusTag());
        EXPECT_TRUE(view(0, 2)->isVisible());
        expectAtRest();
        TearDown();
    }
}

TEST_F(MeadowFieldMotionsTest, EveryMatchedCellPlaysTheCrushOfItsFigureSize) {
    struct Case {
        const char* name;
        std::vector<std::string> board;
        int length, index;
    };
    const Case cases[] = {
        {"three", {"11234", "34142", "23424", "42331"}, 3, 0},
        {"four", {"11213", "34142", "23424", "42331"}, 4, 1},
        {"five", {"11211", "34142", "23424", "42331"}, 5, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.board);
        click(0, 2);
        click(1, 2);
        for (int frames = 0; field->getMotions().getDyingFigures().empty() && frames < 30; ++frames)
            frame();
        ASSERT_EQ(1u, field->getMotions().getDyingFigures().size());
        // The run's cells each play one crush, the bonus piece's cell too; no other cell plays.
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 5; ++column)
                EXPECT_EQ(row == 0 && column < c.length ? std::vector<int>{c.index} : std::vector<int>{},
                          crushes(row, column))
                    << row << "," << column;
        ASSERT_GT(settle(), 0);
        expectAtRest();
        // Each crush ends with its life time and goes.
        ui.run(1.0f);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 5; ++column)
                EXPECT_TRUE(crushes(row, column).empty()) << row << "," << column;
        TearDown();
    }
}

TEST_F(MeadowFieldMotionsTest, AMatchedOrCrashedWoodOrIronCellThrowsItsPartsAsItsTypeDrops) {
    play({"11234", "34142", "23424", "42331"});
    model->getCell(0, 0)->setType(2);
    model->getCell(0, 1)->setType(3);
    model->getCell(3, 4)->setType(3);
    field->updateCells(false);
    auto pictures = [this](int row, int column) {
        std::set<cTexture*> seen;
        for (cCellPart* part : thrownParts(field->findCellView(row, column)))
            seen.insert(part->getPicture());
        return seen;
    };
    auto looks = [this](const std::string& kind) {
        std::set<cTexture*> seen;
        for (int index = 0; index < 4; ++index)
            seen.insert(states.getVisualState(kind + std::to_string(index)).getPicture());
        return seen;
    };
    click(0, 2);
    click(1, 2);
    for (int frames = 0; field->getMotions().getDyingFigures().empty() && frames < 30; ++frames)
        frame();
    ASSERT_EQ(1u, field->getMotions().getDyingFigures().size());
    // Each broken cell throws the four parts of the type it had; the simple cell of the run none.
    EXPECT_EQ(1, model->getCellType(0, 0));
    EXPECT_EQ(2, model->getCellType(0, 1));
    EXPECT_EQ(looks("wood_part_"), pictures(0, 0));
    EXPECT_EQ(looks("iron_part_"), pictures(0, 1));
    EXPECT_TRUE(thrownParts(field->findCellView(0, 2)).empty());
    ASSERT_GT(settle(), 0);
    // A crash does the same.
    field->crashCell(cVector2(3, 4), nullptr);
    EXPECT_EQ(2, model->getCellType(3, 4));
    EXPECT_EQ(looks("iron_part_"), pictures(3, 4));
    EXPECT_EQ(4u, thrownParts(field->findCellView(3, 4)).size());
    ui.run(1.0f);
    EXPECT_TRUE(thrownParts(field->findCellView(3, 4)).empty());
}

TEST_F(MeadowFieldMotionsTest, AFiveMadeByACascadeGivesNoLightningButShakesAndBouncesTheNeighbours) {
    play({"11211", "34342", "23424", "42331"});
    // The run is laid down as the board's cascade finds it: no player's swap.
    piece(0, 2)->setType(1);
    EXPECT_EQ(1, model->hasMatches() ? 1 : 0);
    tFigureList figures = model->collectFigures();
    ASSERT_EQ(1u, figures.size());
    controller->processFigures(figures, true);
    EXPECT_EQ(0, countTag(cMeadowObjectModel::ROW_LIGHTNING_BONUS));
    // Every free neighbour of the run bounces away (this layout captures none).
    EXPECT_EQ(5u, field->getMotions().getBouncing().size());
    EXPECT_EQ(5u, field->getMotions().getDyingFigures().front().getRemovedObjects().size());
    EXPECT_EQ(cMeadowObjectModel::CAPTURED, piece(1, 0)->getState());
    ASSERT_GT(settle(), 0);
    expectAtRest();
}

TEST_F(MeadowFieldMotionsTest, TheEndOfLevelFallEmptiesTheBoardRowByRowAndEnds) {
    play(BOARD);
    controller->setInputLocked(true);
    // The effect time of the layouts may be 0: it never divides the rows' delays.
    field->startEndLevelEffect(0);
    EXPECT_EQ(16u, field->getMotions().getEndLevelFalls().size());
    EXPECT_EQ(1, std::count(sounds.log.begin(), sounds.log.end(), "object_fall_end_level"));
    cMeadowObjectView* bottom = view(0, 0);
    cMeadowObjectView* top = view(3, 0);
    const cVector2 topStart = top->getPosition();
    int frames = 0;
    // Row 0 waits 0.5 s, row 3 0.5 + 3/4 s (end_level_dt 1 over 4 rows).
    for (; frames < 10; ++frames)
        frame();
    EXPECT_GT(bottom->getPosition().y, at(0, 0).y);
    EXPECT_EQ(topStart, top->getPosition());
    while (!field->isEndLevelEffectDone() && frames++ < 200)
        frame();
    EXPECT_TRUE(field->isEndLevelEffectDone());
    EXPECT_LT(frames, 200);
    EXPECT_TRUE(field->getMotions().getEndLevelFalls().empty());
    EXPECT_EQ(std::vector<std::string>(4, "...."), types());
}

TEST_F(MeadowFieldMotionsTest, AReplayForgetsTheMotionsAndRestsEveryPiece) {
    play(BOARD);
    click(0, 2);
    const cVector2 p = at(0, 3);
    ui.click(p.x, p.y);
    frame();
    ASSERT_TRUE(field->isBusy());
    field->resetForReplay();
    EXPECT_FALSE(field->isBusy());
    EXPECT_TRUE(field->getMotions().getExchangePairs().empty());
    EXPECT_FALSE(model->hasBusyObject());
    EXPECT_EQ(cMeadowObjectModel::IDLE, piece(0, 2)->getState());
}

TEST_F(MeadowFieldMotionsTest, BrokenRequestsAreRefusedWithTheirTexts) {
    play(BOARD);
    // Pieces that were not swapped in the model.
    EXPECT_THROW(field->exchangeObjects(piece(0, 0), piece(0, 1)), const char*);
    // A figure with a position taken out of it.
    cMeadowFigure figure(model.get(), true);
    figure.addObject(piece(0, 0));
    figure.addObject(piece(0, 1));
    figure.setPosition(1, -1, -1);
    EXPECT_THROW(field->matchAroundFigure(figure), const char*);
    // A selected piece whose flag someone cleared.
    model->setSelected(piece(1, 1));
    piece(1, 1)->setSelected(false);
    EXPECT_THROW(field->updateSelection(), const char*);
}
