// The level editor on the shipped layouts: its tools drive the controller's editor modes through
// real clicks on the tool buttons and the cells, rows and columns come and go, the level's piece
// and bonus types are chosen, and the trigger buttons follow the model's trigger table.

#include "engine/core/WidgetSets.h"
#include "engine/gui/ButtonCaption.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Label.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/media/InputSystem.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/editor/TextEdit.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/InfoPanel.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/shell/GroupFader.h"
#include "tests/level/EditorFixture.h"

#include <algorithm>
#include <filesystem>

using namespace Engine;
using TestEditor::EditorTest;

namespace {

using MeadowEditorViewTest = EditorTest;

TEST_F(MeadowEditorViewTest, OpensWithEveryToolOfTheShippedLayoutAndTheBoardAsTheModelHasIt) {
    open();
    EXPECT_EQ(editor->getCellButtons().size(), 4u);
    EXPECT_EQ(editor->getLockButtons().size(), 6u);
    EXPECT_EQ(editor->getObjectButtons().size(), 14u);
    EXPECT_EQ(editor->getIndexButtons().size(), 6u);
    // Tool buttons carry their icon; index buttons none; object icons are disabled.
    for (const auto* list : {&editor->getCellButtons(), &editor->getLockButtons(), &editor->getObjectButtons()})
        for (cTextButton* button : *list) {
            int icons = 0;
            button->forEachChild([&](cWidget* child) { icons += dynamic_cast<cPanel*>(child) ? 1 : 0; });
            EXPECT_GE(icons, 1) << "tool " << button->getUserData();
            EXPECT_TRUE(button->isVisible());
        }
    EXPECT_EQ(field()->getRowCount(), model->getRows());
    EXPECT_EQ(field()->getColumnCount(), model->getColumns());
    EXPECT_TRUE(editor->getDecRowsButton()->isEnabled());
    EXPECT_EQ(editor->getBonusesAmountEdit()->getText(), L"1");
    EXPECT_FALSE(editor->getGameMenuButton()->isVisible());
    for (cPanel* back : editor->getBackPictures())
        EXPECT_FALSE(back->isVisible());
    EXPECT_TRUE(editor->getVehicleViews().empty());
    EXPECT_EQ(controller->getLevelView(), editor->getLevelView());
    // Every cell listens to the editor's presses once unlocked.
    EXPECT_TRUE(cell(0, 0)->isEditorInputAttached());
}

TEST_F(MeadowEditorViewTest, PiecesAreDrawnByTheirLevelIndexAndAnIndexOutOfRangeThrows) {
    open();
    cMeadowObjectModel* piece = model->createObjectAt(2, 2);
    piece->setType(4);
    cMeadowObjectView* view = editor->getGameObjectView(piece);
    EXPECT_EQ(editor->getGameObjectVisualStateId(piece), "index4");
    EXPECT_TRUE(static_cast<const cVisual&>(*view) == editor->getEditorLook("index4"));
    EXPECT_TRUE(view->isVisible());
    EXPECT_FLOAT_EQ(view->getPosition().x, field()->getCellPosition(2, 2).x);
    EXPECT_FLOAT_EQ(view->getPosition().y, field()->getCellPosition(2, 2).y);
    piece->setType(6);
    EXPECT_EQ(TestModel::thrownText([&] { editor->getGameObjectVisualStateId(piece); }),
              "cMeadowEditorView::getGameObjectVisualStateId(): index of object is out of range [1..5]: 6");
    piece->setType(1);
    EXPECT_EQ(TestModel::thrownText([&] { editor->getEditorObjectVisualState(99); }),
              "cMeadowEditorView::getEditorObjectVisualState(): visual state for a given id was not found: id = obj99");
}

TEST_F(MeadowEditorViewTest, CellTypeToolsPaintCellsAndTheRightButtonClearsThem) {
    open();
    cTextButton* wood = tool(editor->getCellButtons(), 2);
    clickWidget(wood);
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELLS_MODE);
    EXPECT_EQ(controller->getEditCellType(), 2);
    EXPECT_FALSE(wood->isEnabled());
    EXPECT_TRUE(tool(editor->getCellButtons(), 3)->isEnabled());

    clickCell(0, 0);
    EXPECT_EQ(model->getCell(0, 0)->getType(), 2);
    clickCell(0, 0); // its own type again: back to a simple cell
    EXPECT_EQ(model->getCell(0, 0)->getType(), 1);
    clickCell(0, 1, 1); // right: no cell
    EXPECT_EQ(model->getCell(0, 1)->getType(), 0);
    clickCell(0, 1, 1); // right on a cell of type 0: a simple cell
    EXPECT_EQ(model->getCell(0, 1)->getType(), 1);

    clickWidget(tool(editor->getCellButtons(), 3));
    EXPECT_TRUE(wood->isEnabled());
    clickCell(1, 0);
    EXPECT_EQ(model->getCell(1, 0)->getType(), 3);

    // A sweep with the button held paints every cell passed over, and stops on release.
    ui.moveTo(cell(2, 0)->getPosition().x, cell(2, 0)->getPosition().y);
    ui.step();
    ui.press();
    ui.step();
    for (int column = 1; column <= 2; ++column) {
        ui.moveTo(cell(2, column)->getPosition().x, cell(2, column)->getPosition().y);
        ui.step();
    }
    ui.release();
    ui.step();
    ui.moveTo(cell(2, 3)->getPosition().x, cell(2, 3)->getPosition().y);
    ui.step();
    for (int column = 0; column <= 3; ++column)
        EXPECT_EQ(model->getCell(2, column)->getType(), column <= 2 ? 3 : 1) << column;
}

TEST_F(MeadowEditorViewTest, LockToolsLockCellsWithAPieceAndIndexToolsChooseItsIndex) {
    open();
    cTextButton* twoLocks = tool(editor->getLockButtons(), 2);
    clickWidget(twoLocks);
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELL_LOCKS_MODE);
    EXPECT_FALSE(twoLocks->isEnabled());
    clickCell(3, 3);
    EXPECT_EQ(model->getCell(3, 3)->getLocks(), 2);
    cMeadowObjectModel* piece = model->getObject(3, 3);
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->getType(), 1);
    cMeadowObjectView* view = editor->getGameObjectView(piece);
    EXPECT_TRUE(view->isVisible());

    cTextButton* index4 = tool(editor->getIndexButtons(), 4);
    clickWidget(index4);
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_LOCKED_OBJECTS_MODE);
    EXPECT_EQ(controller->getEditObjectIndex(), 4);
    EXPECT_EQ(controller->getEditSlotType(), 4);
    EXPECT_FALSE(index4->isEnabled());
    EXPECT_FALSE(twoLocks->isEnabled()); // an index click touches no other group
    clickCell(3, 3);
    EXPECT_EQ(model->getObject(3, 3)->getType(), 4);
    clickCell(2, 2); // no locks: skipped
    EXPECT_EQ(model->getObject(2, 2), nullptr);

    clickWidget(tool(editor->getLockButtons(), 0));
    EXPECT_TRUE(twoLocks->isEnabled());
    clickCell(3, 3);
    EXPECT_EQ(model->getCell(3, 3)->getLocks(), 0);
    EXPECT_EQ(model->getObject(3, 3), nullptr);
    EXPECT_FALSE(view->isVisible());
}

TEST_F(MeadowEditorViewTest, VehicleGoldAndTriggerToolsMarkCellsAndTriggerButtonsFollowTheTable) {
    open();
    clickWidget(tool(editor->getLockButtons(), 3));
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELL_VEHICLES_MODE);
    clickCell(0, 2);
    EXPECT_TRUE(model->getCell(0, 2)->getVehicleFlag());
    clickWidget(tool(editor->getLockButtons(), 4));
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELL_GOLD_PRIZE_MODE);
    clickCell(0, 2);
    EXPECT_TRUE(model->getCell(0, 2)->getGoldPrizeFlag());
    EXPECT_FALSE(model->getCell(0, 2)->getVehicleFlag());

    clickWidget(tool(editor->getLockButtons(), 5));
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELL_TRIGGERS_MODE);
    clickCell(4, 4);
    clickCell(4, 5);
    const int first = model->getCell(4, 4)->getTriggerNumber();
    const int second = model->getCell(4, 5)->getTriggerNumber();
    ASSERT_GT(first, 0);
    // Number 0 (no trigger) is always in use, so its button links cells to no trigger.
    ASSERT_EQ(editor->getTriggerButtons().size(), 3u);
    EXPECT_EQ(editor->getTriggerButtons()[0]->getUserData(), 0);
    EXPECT_EQ(editor->getTriggerButtons()[1]->getUserData(), first);
    EXPECT_EQ(editor->getTriggerButtons()[2]->getUserData(), second);
    EXPECT_GT(editor->getTriggerButtons()[2]->getPosition().x, editor->getTriggerButtons()[1]->getPosition().x);
    EXPECT_EQ(editor->getTriggerButtons()[2]->getCaption()->getText(), std::to_wstring(second));

    // A trigger button links the cells painted next to its trigger.
    clickWidget(editor->getTriggerButtons()[2]);
    EXPECT_EQ(controller->getEditTriggerLink(), second);
    EXPECT_EQ(controller->getMode(), cMeadowController::EDIT_CELLS_MODE);
    EXPECT_FALSE(editor->getTriggerButtons()[2]->isEnabled());
    clickCell(1, 1);
    EXPECT_EQ(model->getCell(1, 1)->getAwaitedTrigger(), second);

    // The trigger tool still shows as chosen (disabled) after a trigger button: another lock
    // tool first, then the trigger tool again. A freed number loses its button.
    EXPECT_FALSE(tool(editor->getLockButtons(), 5)->isEnabled());
    clickWidget(tool(editor->getLockButtons(), 4));
    clickWidget(tool(editor->getLockButtons(), 5));
    clickCell(4, 4);
    ASSERT_EQ(editor->getTriggerButtons().size(), 2u);
    EXPECT_EQ(editor->getTriggerButtons()[1]->getUserData(), second);
}

TEST_F(MeadowEditorViewTest, RowsAndColumnsAreAddedAndRemovedDownToNone) {
    open();
    const int rows = model->getRows(), columns = model->getColumns();
    clickWidget(editor->getIncRowsButton());
    clickWidget(editor->getIncColumnsButton());
    EXPECT_EQ(model->getRows(), rows + 1);
    EXPECT_EQ(model->getColumns(), columns + 1);
    EXPECT_EQ(field()->getRowCount(), rows + 1);
    EXPECT_NE(cell(rows, columns), nullptr);
    EXPECT_TRUE(cell(rows, columns)->isEditorInputAttached());

    // A locked piece in the last row goes with it.
    clickWidget(tool(editor->getCellButtons(), 1));
    clickCell(rows, 0);
    clickWidget(tool(editor->getLockButtons(), 1));
    clickCell(rows, 0);
    cMeadowObjectModel* piece = model->getObject(rows, 0);
    ASSERT_NE(piece, nullptr);
    clickWidget(editor->getDecRowsButton());
    EXPECT_EQ(model->getRows(), rows);
    EXPECT_FALSE(editor->getGameObjectView(piece) && piece->isValid() && model->getObject(rows - 1, 0) == piece);

    for (int i = 0; i < rows; ++i)
        editor->decRows();
    EXPECT_EQ(model->getRows(), 0);
    EXPECT_FALSE(editor->getDecRowsButton()->isEnabled());
    for (int i = 0; i <= columns; ++i)
        editor->decColumns();
    EXPECT_EQ(model->getColumns(), 0);
    EXPECT_FALSE(editor->getDecColumnsButton()->isEnabled());
    clickWidget(editor->getIncRowsButton());
    EXPECT_TRUE(editor->getDecRowsButton()->isEnabled());
}

// The board screen holds at most 256 rows and 256 columns: the editor says so and keeps the board.
TEST_F(MeadowEditorViewTest, RowsAndColumnsStopAt256WithAMessage) {
    open();
    const int rows = model->getRows(), columns = model->getColumns();
    // A long narrow board, then a wide flat one: each side reaches the cap on its own.
    while (model->getRows() < 255)
        model->addRow();
    clickWidget(editor->getIncRowsButton());
    EXPECT_TRUE(messages.boxes.empty());
    clickWidget(editor->getIncRowsButton());
    EXPECT_EQ(model->getRows(), 256);
    EXPECT_EQ(field()->getRowCount(), 256);
    EXPECT_NE(cell(255, columns - 1), nullptr);
    while (model->getRows() > rows)
        model->removeLastRow();
    while (model->getColumns() < 256)
        model->addColumn();
    editor->decColumns(); // the board view follows before the next frame
    clickWidget(editor->getIncColumnsButton());
    clickWidget(editor->getIncColumnsButton());
    EXPECT_EQ(model->getColumns(), 256);
    EXPECT_EQ(field()->getColumnCount(), 256);
    EXPECT_NE(cell(rows - 1, 255), nullptr);
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[0].text, "A board has at most 256 rows.");
    EXPECT_EQ(messages.boxes[1].text, "A board has at most 256 columns.");
    EXPECT_EQ(messages.boxes[0].caption, "Board size");
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(MeadowEditorViewTest, ObjectButtonsChooseTheLevelsPieceAndBonusTypes) {
    open();
    cTextButton* piece7 = tool(editor->getObjectButtons(), 7);
    cTextButton* cat = tool(editor->getObjectButtons(), 25);
    clickWidget(piece7);
    clickWidget(cat);
    const auto& types = model->getLevelObjectTypes();
    const auto& bonuses = model->getLevelBonusTypes();
    EXPECT_NE(std::find(types.begin(), types.end(), 7), types.end());
    EXPECT_NE(std::find(bonuses.begin(), bonuses.end(), 25), bonuses.end());
    EXPECT_FALSE(piece7->isEnabled());
    EXPECT_FALSE(cat->isEnabled());
    // A cell tool enables every object button until the next refresh.
    clickWidget(tool(editor->getCellButtons(), 1));
    EXPECT_TRUE(piece7->isEnabled());
    editor->refresh();
    EXPECT_FALSE(piece7->isEnabled());
}

// Back ends the level as the board screen does for an owner in editor mode: a screen switch
// straight back to the owner, whose hide notification closes the editor and tells the owner.
TEST_F(MeadowEditorViewTest, BackSwitchesToTheOwnerClosesTheEditorAndWritesNothing) {
    open();
    clickWidget(editor->getBackButton());
    EXPECT_TRUE(controller->isInputLocked());
    EXPECT_FALSE(cell(0, 0)->isEditorInputAttached());
    EXPECT_TRUE(owner.calls.empty()) << "the owner hears of it once the editor is covered";
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(2.0f);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"completed"}));
    EXPECT_FALSE(isWidgetAlive(editor));
    editor = nullptr;
    EXPECT_EQ(controller->getLevelView(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(ui.folders().userPath("meadow/model/gamelevels.xml")));
    EXPECT_FALSE(std::filesystem::exists(ui.folders().userPath("Meadow/Model/GameLevels.xml")));
}

// Opening as the map does: the screen and its backdrop fade in (the backdrop with the group, by
// the editor's frame step) while the cells arrive, and the editing is open from the start.
TEST_F(MeadowEditorViewTest, OpensFadingInWithItsBackdropAndTheEditingOpen) {
    open(LEVEL, false);
    ASSERT_NE(editor->getEditorBack(), nullptr);
    EXPECT_EQ(editor->getGroupState(), cGroupFader::GROUP_SHOWING);
    EXPECT_LT(editor->getEditorBack()->getAlpha(), 0.5f);
    EXPECT_FALSE(controller->isInputLocked());
    EXPECT_TRUE(cell(0, 0)->isEditorInputAttached());
    ui.run(1.5f);
    EXPECT_EQ(editor->getGroupState(), cGroupFader::GROUP_IDLE);
    EXPECT_EQ(editor->getState(), cFader::FADER_IDLE);
    EXPECT_FLOAT_EQ(editor->getEditorBack()->getAlpha(), 1.0f);
    // The board's own flow never runs: the level stays as loaded, unlocked for editing.
    EXPECT_FALSE(controller->isInputLocked());
    EXPECT_TRUE(cell(0, 0)->isEditorInputAttached());
    EXPECT_TRUE(owner.calls.empty());
}

// Esc acts as on the board screen: the editing locks and the owner shows its game menu. Once the
// editor has closed, Esc reaches it no more, and the results view the board screen made is gone.
TEST_F(MeadowEditorViewTest, EscOpensTheGameMenuUntilTheEditorCloses) {
    open();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"menu"}));
    EXPECT_TRUE(controller->isInputLocked());
    EXPECT_FALSE(cell(0, 0)->isEditorInputAttached());

    // The game menu's resume.
    controller->setInputLocked(false);
    EXPECT_TRUE(cell(0, 0)->isEditorInputAttached());
    cWidget* results = editor->getResultsView();
    ASSERT_NE(results, nullptr);
    editor->close();
    EXPECT_EQ(controller->getLevelView(), nullptr);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"menu"}));
    EXPECT_FALSE(isWidgetAlive(results));
    EXPECT_FALSE(isWidgetAlive(editor));
    editor = nullptr;
}

} // namespace

namespace {

cMeadowEditorView* g_doomedEditor = nullptr;

void deleteEditor(void*) {
    delete g_doomedEditor;
    g_doomedEditor = nullptr;
}

TEST_F(MeadowEditorViewTest, AnEditorDeletedMidFrameLeavesNoInputCallbackBehind) {
    writeShipped();
    ui.start();
    TestLevel::loadShippedLooks(owner.states, ui);
    const int codes[] = {INPUT_MOUSE_LEFT_DOWN, INPUT_MOUSE_LEFT_UP, INPUT_MOUSE_RIGHT_DOWN, INPUT_MOUSE_RIGHT_UP,
                         INPUT_ANY};
    std::vector<size_t> before;
    for (int code : codes)
        before.push_back(getInputSystem()->getKeyCallbackCount(code));
    open();
    for (int i = 0; i < 2; ++i)
        clickWidget(editor->getIncVehiclesButton());
    ASSERT_EQ(editor->getVehicleViews().size(), 2u);
    ASSERT_TRUE(cell(0, 0)->isEditorInputAttached());
    ASSERT_GT(getInputSystem()->getKeyCallbackCount(INPUT_MOUSE_RIGHT_DOWN), before[2] + 2);
    // A press that deletes the editor while the poll still walks the cells' and the vehicles'
    // presses: the ones not yet called are skipped, and nothing of the editor stays listed.
    g_doomedEditor = editor;
    {
        cInputHooks deleter;
        deleter.addKey(INPUT_MOUSE_RIGHT_DOWN, deleteEditor, nullptr);
        ui.moveTo(cell(0, 0)->getPosition().x, cell(0, 0)->getPosition().y);
        ui.step();
        ui.press(1);
        ui.step();
        ui.release(1);
        ui.step();
    }
    EXPECT_EQ(g_doomedEditor, nullptr);
    editor = nullptr;
    for (size_t i = 0; i < std::size(codes); ++i)
        EXPECT_EQ(getInputSystem()->getKeyCallbackCount(codes[i]), before[i]) << codes[i];
    ui.click(100, 100, 1);
    ui.steps(2);
}

// Everything on the tools' backdrop lies on its cream paper, not across the wooden frame: the
// tools, the trigger buttons of a level with triggers, the texts and edits, three vehicles with
// their money, and the leave buttons. The paper is the picture's inset, 14 of its 256 pixels in
// from each side.
TEST_F(MeadowEditorViewTest, EveryToolTextAndVehicleOnTheBackdropLiesOnItsPaper) {
    open();
    clickWidget(tool(editor->getLockButtons(), 5));
    clickCell(4, 4);
    clickCell(4, 5);
    ASSERT_EQ(editor->getTriggerButtons().size(), 3u);
    for (int i = 0; i < 3; ++i)
        clickWidget(editor->getIncVehiclesButton());
    ASSERT_EQ(editor->getVehicleViews().size(), 3u);
    clickWidget(editor->getVehicleViews().front());
    ASSERT_EQ(editor->getMoneyEdit()->getText(), L"0");

    const cPanel* back = editor->getEditorBack();
    const float insetX = back->getSize().x * 14.0f / 256.0f, insetY = back->getSize().y * 14.0f / 256.0f;
    const float left = back->getPosition().x - back->getSize().x / 2 + insetX;
    const float right = back->getPosition().x + back->getSize().x / 2 - insetX;
    const float top = back->getPosition().y - back->getSize().y / 2 + insetY;
    const float bottom = back->getPosition().y + back->getSize().y / 2 - insetY;
    int checked = 0;
    auto expectOnPaper = [&](cSprite* item, const char* what) {
        cVector2 size = item->getSize();
        float x = item->getPosition().x;
        if (auto* label = dynamic_cast<cLabel*>(item)) {
            size = cVector2(label->getTextWidth(), label->getTextHeight());
            if (label->getAlign() == ALIGN_LEFT)
                x += size.x / 2;
            else if (label->getAlign() == ALIGN_RIGHT)
                x -= size.x / 2;
        }
        const float y = item->getPosition().y;
        ++checked;
        EXPECT_TRUE(x - size.x / 2 >= left && x + size.x / 2 <= right && y - size.y / 2 >= top &&
                    y + size.y / 2 <= bottom)
            << what << " at " << item->getPosition().x << "," << y << " sized " << size.x << "x" << size.y
            << " crosses the paper " << left << ".." << right << " x " << top << ".." << bottom;
    };
    // What stands over the backdrop: every shown child of the editor whose middle is on it, but
    // the board screen's own money and progress, which the backdrop covers.
    editor->forEachChild([&](cWidget* child) {
        auto* item = dynamic_cast<cSprite*>(child);
        if (!item || item == back || !item->isVisible() || item == editor->getMoneyText() ||
            item == editor->getInfoPanel() || item->getPosition().x < back->getPosition().x - back->getSize().x / 2)
            return;
        if (auto* vehicle = dynamic_cast<cEditorVehicleView*>(item)) {
            expectOnPaper(vehicle->getMoneyLabel(), "a vehicle's money");
            expectOnPaper(vehicle->getSlotsLabel(), "a vehicle's slots");
        }
        expectOnPaper(item, "a tool or text");
    });
    // 4 cells, 6 locks, 14 objects, 6 indices, 3 triggers, 2 vehicle buttons, 3 leave buttons,
    // 3 labels, 2 edits with their line of text, the box, 3 vehicles with 2 texts each.
    EXPECT_EQ(checked, 4 + 6 + 14 + 6 + 3 + 2 + 3 + 3 + 2 * 2 + 1 + 3 * 3);
}

} // namespace
