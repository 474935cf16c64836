// The board screen without drawing does to the model what the board screen does: the player's
// four-run and five-run leave bonus pieces, a bonus piece clicked twice goes off and hits its
// cells, and the greedy player sets one off when it clears more than any swap.

#include "game/model/QuietLevelView.h"
#include "game/model/CellModel.h"
#include "game/model/GreedyPlayer.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/model/BoardBuilder.h"
#include "tests/model/ShippedModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The shipped model with a drawn board, its controller and the quiet board screen.
struct QuietBoard {
    explicit QuietBoard(const TestBoard::tRows& rows) : model(TestShipped::makeModel()) {
        TestBoard::build(*model, rows);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
        view = std::make_unique<cQuietLevelView>(*model, *controller);
        controller->setLevelView(view.get());
    }
    ~QuietBoard() {
        controller->setLevelView(nullptr);
        view.reset();
        controller.reset();
    }
    void click(int32_t row, int32_t column) { controller->objectClicked(view->view(model->getObject(row, column))); }
    // The piece types of one row, counted from the bottom.
    std::string row(int32_t r) const { return TestBoard::draw(*model)[size_t(model->getRows() - 1 - r)]; }
    void setOff(int32_t row, int32_t column, int32_t tag) {
        cMeadowObjectModel* piece = model->getObject(row, column);
        piece->setType(tag);
        piece->setBonusTag(tag);
    }

    std::unique_ptr<cMeadowModel> model;
    std::unique_ptr<cMeadowController> controller;
    std::unique_ptr<cQuietLevelView> view;
};

struct cRunCase {
    const char* name;
    TestBoard::tRows rows;
    int32_t row1, column1, row2, column2; // the swap; the second piece moves into the run
    std::string bottomRow;                // the bottom row once the run has gone, before refills
};

TEST(QuietLevelView, TheRunsOfThePlayersMoveLeaveTheBoardScreensBonusPieces) {
    const std::vector<cRunCase> cases = {
        {"a four-run leaves a blast where the moved piece went", {"2323", "3431", "4515", "1121"}, 1, 2, 0, 2, "..B."},
        {"a five-run leaves a row lightning", {"23232", "34313", "45154", "11211"}, 1, 2, 0, 2, "..R.."},
        {"a three-run leaves none", {"232", "341", "414", "121"}, 1, 1, 0, 1, "..."},
    };
    for (const cRunCase& run : cases) {
        SCOPED_TRACE(run.name);
        QuietBoard board(run.rows);
        board.click(run.row1, run.column1);
        board.click(run.row2, run.column2);
        // The swap ends, the run goes and the pieces above fall.
        board.view->step(0.0f);
        std::string bottom = board.row(0);
        for (char& c : bottom)
            c = c == 'B' || c == 'R' ? c : '.';
        EXPECT_EQ(bottom, run.bottomRow) << TestBoard::draw(*board.model)[0];
    }
}

TEST(QuietLevelView, ABonusPieceClickedTwiceGoesOffAndHitsItsCells) {
    struct cCase {
        const char* name;
        int32_t tag;
        std::vector<std::pair<int32_t, int32_t>> worn; // wood cells it wears down
        std::vector<std::pair<int32_t, int32_t>> left; // wood cells it leaves
    };
    const std::vector<cCase> cases = {
        {"a blast hits the eight cells around it",
         cMeadowObjectModel::BLAST_BONUS,
         {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 2}, {3, 3}},
         {{0, 0}, {4, 4}, {2, 0}}},
        {"a row lightning hits its row", cMeadowObjectModel::ROW_LIGHTNING_BONUS, {{2, 0}, {2, 4}}, {{1, 2}, {3, 2}}},
        {"a column lightning hits its column",
         cMeadowObjectModel::COLUMN_LIGHTNING_BONUS,
         {{0, 2}, {4, 2}},
         {{2, 0}, {1, 1}}},
        {"a cross lightning hits both", cMeadowObjectModel::CROSS_LIGHTNING_BONUS, {{2, 0}, {4, 2}}, {{1, 1}, {3, 3}}},
    };
    for (const cCase& bonus : cases) {
        SCOPED_TRACE(bonus.name);
        QuietBoard board({"12312", "23123", "31231", "12312", "23123"});
        for (int32_t r = 0; r < 5; ++r)
            for (int32_t c = 0; c < 5; ++c)
                if (r != 2 || c != 2)
                    board.model->setCellType(r, c, 2);
        board.setOff(2, 2, bonus.tag);
        board.click(2, 2);
        board.click(2, 2);
        for (const auto& at : bonus.worn)
            EXPECT_EQ(board.model->getCellType(at.first, at.second), 1) << at.first << ", " << at.second;
        for (const auto& at : bonus.left)
            EXPECT_EQ(board.model->getCellType(at.first, at.second), 2) << at.first << ", " << at.second;
        board.view->step(0.0f);
        for (int32_t r = 0; r < 5; ++r) {
            for (int32_t c = 0; c < 5; ++c) {
                cMeadowObjectModel* piece = board.model->getObject(r, c);
                EXPECT_TRUE(!piece || piece->getBonusTag() == 0) << "the bonus piece is gone: " << r << ", " << c;
            }
        }
    }
}

TEST(QuietLevelView, ABlastThatHitsAnotherBonusPieceSetsItOffToo) {
    QuietBoard board({"12312", "23123", "31231", "12312", "23123"});
    // Beyond the blast's reach: one in the row of the lightning it hits, one not.
    board.model->setCellType(1, 4, 2);
    board.model->setCellType(3, 4, 2);
    board.setOff(2, 2, cMeadowObjectModel::BLAST_BONUS);
    board.setOff(1, 1, cMeadowObjectModel::ROW_LIGHTNING_BONUS);
    board.click(2, 2);
    board.click(2, 2);
    EXPECT_EQ(board.model->getCellType(1, 4), 1);
    EXPECT_EQ(board.model->getCellType(3, 4), 2);
}

TEST(GreedyPlayer, SetsOffABonusPieceWhenItClearsMoreThanAnySwap) {
    // The shipped model: its rules know the bonus pieces.
    auto model = TestShipped::makeModel();
    TestBoard::build(*model, {"12312", "23123", "31231", "12312", "23113"});
    int32_t r1 = -1, c1 = -1, r2 = -1, c2 = -1;
    ASSERT_TRUE(cGreedyPlayer::chooseMove(*model, r1, c1, r2, c2));
    EXPECT_FALSE(r1 == r2 && c1 == c2) << "with no bonus piece, a swap";
    cMeadowObjectModel* piece = model->getObject(2, 2);
    piece->setType(cMeadowObjectModel::BLAST_BONUS);
    piece->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 3; ++c)
            if (r != 2 || c != 2)
                model->setCellType(r, c, 2);
    ASSERT_TRUE(cGreedyPlayer::chooseMove(*model, r1, c1, r2, c2));
    EXPECT_EQ(std::vector<int32_t>({r1, c1, r2, c2}), std::vector<int32_t>({2, 2, 2, 2}))
        << "the blast among the wood, clicked twice";
}

} // namespace
