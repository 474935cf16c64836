// The field view over small boards: where cells sit and how deep, which border pieces each cell
// shows for its neighbours, the tip places, the refresh errors and the layout's checks.

#include "tests/level/LevelFixture.h"

#include "engine/gui/ProgressBar.h"

#include "game/level/field/SelectionSprite.h"
#include "game/model/CellModel.h"

#include <set>

using namespace Engine;
using TestLevel::BoardTest;

namespace {

std::set<int> shownBorders(cMeadowCellView* view) {
    std::set<int> shown;
    for (int side = 0; side < cMeadowCellView::BORDER_COUNT; ++side)
        if (view->getBorder(side)->isVisible())
            shown.insert(side);
    return shown;
}

} // namespace

class MeadowFieldViewTest : public BoardTest {};

TEST_F(MeadowFieldViewTest, CellsAreLaidOutAroundTheCentreWithRowZeroAtTheBottom) {
    build({"1_2_3_1", "1_0_17_33", "1_1_1_1"});
    // W = 4 x 60 + 3 x 4 = 252, H = 3 x 60 + 2 x 4 = 188.
    EXPECT_EQ(cVector2(252, 188), field->getFieldSize());
    EXPECT_EQ(cVector2(404, 464), field->getOrigin());
    EXPECT_EQ(cVector2(404, 464), field->getCellPosition(0, 0));
    EXPECT_EQ(cVector2(596, 464), field->getCellPosition(0, 3));
    EXPECT_EQ(cVector2(468, 336), field->getCellPosition(2, 1));
    EXPECT_EQ(3, field->getRowCount());
    EXPECT_EQ(4, field->getColumnCount());
    EXPECT_EQ(nullptr, field->findCellView(3, 0));
    EXPECT_EQ(nullptr, field->findCellView(0, -1));
    EXPECT_THROW(field->getCellPosition(3, 0), std::string);
    EXPECT_EQ(2, cell(2, 3)->getRow());
    EXPECT_EQ(3, cell(2, 3)->getColumn());
}

TEST_F(MeadowFieldViewTest, DepthGrowsDownAndRightAndComplexCellsLieHigher) {
    build({"1_2_3_1", "1_0_17_33", "1_1_1_1"});
    // The top-left cell (row 2, column 0) gets first_cell_deep.
    EXPECT_FLOAT_EQ(10, cell(2, 0)->getDepth());
    EXPECT_FLOAT_EQ(13, cell(2, 3)->getDepth());
    EXPECT_FLOAT_EQ(12, cell(0, 0)->getDepth());
    EXPECT_FLOAT_EQ(13.5f, cell(0, 1)->getDepth()); // wood
    EXPECT_FLOAT_EQ(14.5f, cell(0, 2)->getDepth()); // iron
    EXPECT_FLOAT_EQ(13, cell(1, 2)->getDepth());    // locks alone are not complex
    EXPECT_FLOAT_EQ(3, cell(1, 1)->getDepth());     // a hole keeps the prototype's depth in play
    // Children move with their cell: the lock picture stays 3 above.
    EXPECT_FLOAT_EQ(16, cell(1, 2)->getLocksPicture()->getDepth());
}

TEST_F(MeadowFieldViewTest, InTheEditorHolesAreLaidOutAndGetDepthsToo) {
    build({"1_0", "1_1"}, true);
    EXPECT_FLOAT_EQ(12, cell(0, 1)->getDepth());
}

TEST_F(MeadowFieldViewTest, BorderPiecesFollowTheEightNeighbours) {
    struct Case {
        std::vector<std::string> rows;
        int row, column;
        std::set<int> shown;
    };
    const Case cases[] = {
        {{"1"}, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7}},             // a lone cell: four sides, four outer corners
        {{"1_1"}, 0, 0, {0, 4, 5, 6, 7}},                    // left of a pair: no right side or right corners
        {{"1_1"}, 0, 1, {0, 1, 2, 3, 4}},                    // right of a pair
        {{"0_1", "1_1"}, 0, 0, {8}},                         // a hole with cells above and right: inner corner 8
        {{"1_1_1", "1_1_1", "1_1_1"}, 1, 1, {}},             // surrounded: nothing
        {{"1_1_1", "1_0_1", "1_1_1"}, 1, 1, {8, 9, 10, 11}}, // a hole inside the board
        {{"1_1", "1_0"}, 0, 1, {0, 1, 2, 3, 4}},             // a diagonal neighbour alone keeps the side pieces
        {{"1_0", "0_1"}, 0, 0, {0, 2, 3, 4, 5, 6, 7}},       // a diagonal neighbour takes its outer corner
        {{"1_0", "0_1"}, 1, 1, {0, 1, 2, 3, 4, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0] + " (" + std::to_string(c.row) + ", " + std::to_string(c.column) + ")");
        field.reset();
        board.reset();
        build(c.rows);
        EXPECT_EQ(c.shown, shownBorders(cell(c.row, c.column)));
    }
}

TEST_F(MeadowFieldViewTest, NeighbourSidesRunClockwiseFromAbove) {
    build({"1_1_1", "1_1_0", "1_1_1"});
    const bool expected[8] = {true, true, false, true, true, true, true, true};
    for (int side = 0; side < 8; ++side)
        EXPECT_EQ(expected[side], field->hasNeighbourCell(side, 1, 1)) << side;
    EXPECT_THROW(field->hasNeighbourCell(8, 1, 1), const char*);
    EXPECT_THROW(field->hasNeighbourCell(-1, 1, 1), const char*);
}

TEST_F(MeadowFieldViewTest, TipPlacesAreTheFirstCellOfEachKind) {
    // Row 0: wood, iron, one lock; row 1: two locks, trigger 1 (waited for by nobody).
    build({"2_3_17", "33_65537_1"});
    EXPECT_EQ(field->getCellPosition(0, 0), field->getTipPosition(0));
    EXPECT_EQ(field->getCellPosition(0, 1), field->getTipPosition(1));
    EXPECT_EQ(field->getCellPosition(0, 2), field->getTipPosition(2));
    EXPECT_EQ(field->getCellPosition(1, 0), field->getTipPosition(3));
    EXPECT_EQ(field->getCellPosition(1, 1), field->getTipPosition(4));
}

TEST_F(MeadowFieldViewTest, ABoardWithoutWoodLeavesThatTipUnplaced) {
    build({"1_1"});
    EXPECT_EQ(cVector2(-1, 0), field->getTipPosition(0));
}

TEST_F(MeadowFieldViewTest, SelectionShowsOnTheSelectedPieceCell) {
    build({"1_1", "1_1"});
    EXPECT_FALSE(field->getSelection()->isVisible());
    model->setSelected(model->getObject(1, 0));
    field->updateSelection();
    EXPECT_TRUE(field->getSelection()->isVisible());
    EXPECT_EQ(field->getCellPosition(1, 0), field->getSelection()->getPosition());
    EXPECT_EQ(states.getVisualState("selection").getPicture(), field->getSelection()->getPicture());
}

TEST_F(MeadowFieldViewTest, BombFireOffsetsComeFromTheLayoutAndTheIndexIsChecked) {
    build({"1"});
    ASSERT_EQ(4u, field->getBombFireOffsetCount());
    EXPECT_EQ(cVector2(3, 4), field->getBombFireOffset(1));
    EXPECT_THROW(field->getBombFireOffset(4), std::string);
}

// The blast piece has 4 frames: the fire would run out of offsets on the last one mid-level.
TEST_F(MeadowFieldViewTest, ABombFireListShorterThanTheBlastPiecesFramesIsRefusedNamingTheLayout) {
    writeFiles(TestLevel::meadowViewXml(), TestLevel::fieldViewXml("", "", 3));
    try {
        build({"1"});
        FAIL() << "accepted";
    } catch (const std::string& error) {
        EXPECT_EQ(error, "cMeadowFieldView: \"Meadow/View/FieldView.xml\" has 3 \"pos\" entries in \"BombFireEffect\" "
                         "for the 4 frames of the blast piece");
    }
}

TEST_F(MeadowFieldViewTest, ABorderSideOutsideTheTwelveIsRefusedNamingTheLayout) {
    for (const char* side : {"12", "-1", "x"}) {
        SCOPED_TRACE(side);
        TestSupport::UiHarness harness;
        harness.writePicture("art/border.tga", 2, 2, 0xFF808080u);
        harness.writeFile("Meadow/View/FieldView.xml",
                          TestLevel::fieldViewXml("", std::string("<B side=\"") + side + "\" size=\"1,1\"/>"));
        harness.start();
        try {
            cMeadowFieldView view(nullptr, nullptr, nullptr, false);
            FAIL() << "accepted";
        } catch (const std::string& error) {
            EXPECT_NE(std::string::npos, error.find("meadow/view/fieldview.xml")) << error;
            EXPECT_NE(std::string::npos, error.find("\"side\"")) << error;
        }
    }
}

TEST_F(MeadowFieldViewTest, AZeroShakePeriodOfTheCellIsRefusedNamingTheKey) {
    ui.writeFile("Meadow/View/FieldView.xml", TestLevel::fieldViewXml("shake_period=\"0\""));
    ui.start();
    try {
        cMeadowFieldView view(nullptr, nullptr, nullptr, false);
        FAIL() << "accepted";
    } catch (const std::string& error) {
        EXPECT_NE(std::string::npos, error.find("\"shake_period\"")) << error;
    }
}

TEST_F(MeadowFieldViewTest, RefreshesThrowForAMissingCellAndUpdateViewForAnInvalidPiece) {
    build({"1_1"});
    field->setColumnCount(3);
    EXPECT_THROW(field->setUpCellsDeep(), std::string);
    EXPECT_THROW(field->updateCells(false), std::string);
    EXPECT_THROW(field->redrawCellBorders(), std::string);
    EXPECT_THROW(field->setCellsRenderType(4), std::string);
    field->setColumnCount(2);
    model->getObject(0, 1)->isValid() = false;
    EXPECT_THROW(field->updateView(), std::string);
}

TEST_F(MeadowFieldViewTest, RenderTypeReachesEnabledCellsOnly) {
    build({"1_0"});
    field->setCellsRenderType(7);
    EXPECT_EQ(7u, cell(0, 0)->getRenderType());
    EXPECT_EQ(0u, cell(0, 1)->getRenderType());
    EXPECT_FALSE(field->isBusy());
}

TEST_F(MeadowFieldViewTest, AnUnlockedEditorBoardHandsEveryCellItsEditorInput) {
    build({"1_1"}, true, true);
    controller->setMode(cMeadowController::EDIT_CELLS_MODE);
    controller->setEditCellType(2);
    EXPECT_FALSE(cell(0, 0)->isEditorInputAttached());
    field->setInputLocked(false);
    for (int column = 0; column < 2; ++column)
        EXPECT_TRUE(cell(0, column)->isEditorInputAttached()) << column;
    // A press on a cell reaches the controller through the cell's own input.
    ui.moveTo(cell(0, 1)->getPosition().x, cell(0, 1)->getPosition().y);
    ui.step();
    ui.press(0);
    ui.step();
    ui.release(0);
    ui.step();
    EXPECT_EQ(2, model->getCell(0, 1)->getType());
    EXPECT_EQ(1, model->getCell(0, 0)->getType());
    field->setInputLocked(true);
    for (int column = 0; column < 2; ++column)
        EXPECT_FALSE(cell(0, column)->isEditorInputAttached()) << column;
}
