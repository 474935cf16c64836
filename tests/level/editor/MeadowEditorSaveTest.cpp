// The level editor's vehicles, money and has-bonus edits, validation, saving and play test on
// the shipped layouts: a level edited through the tools is checked, written to the user folder
// (never over the shipped file), read back as it was edited, and played by the level checker's
// greedy player.

#include "engine/core/WidgetSets.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/TextButton.h"
#include "engine/media/InputSystem.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/editor/EditorVehicleView.h"
#include "game/level/editor/TextEdit.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/CellModel.h"
#include "game/model/LevelChecker.h"
#include "game/model/LevelInfo.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehiclesFeature.h"
#include "tests/level/EditorFixture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>

using namespace Engine;
using TestEditor::EditorTest;

namespace {

// "Число клеток с машинками не равно числу машинок на уровне" in UTF-8.
const char* const VEHICLE_CELLS_TEXT =
    "\xD0\xA7\xD0\xB8\xD1\x81\xD0\xBB\xD0\xBE \xD0\xBA\xD0\xBB\xD0\xB5\xD1\x82\xD0\xBE\xD0\xBA \xD1\x81 "
    "\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB8\xD0\xBD\xD0\xBA\xD0\xB0\xD0\xBC\xD0\xB8 \xD0\xBD\xD0\xB5 "
    "\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBD\xD0\xBE \xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD1\x83 "
    "\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB8\xD0\xBD\xD0\xBE\xD0\xBA \xD0\xBD\xD0\xB0 "
    "\xD1\x83\xD1\x80\xD0\xBE\xD0\xB2\xD0\xBD\xD0\xB5";

class MeadowEditorSaveTest : public EditorTest {
protected:
    // The levels file the editor wrote into the user folder (new files are written lower case);
    // empty when there is none.
    std::string savedPath() {
        const std::string root = ui.folders().userDataPath();
        if (!std::filesystem::exists(root))
            return std::string();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            std::string name = entry.path().filename().string();
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            if (name == "gamelevels.xml")
                return entry.path().string();
        }
        return std::string();
    }
    bool saved() { return !savedPath().empty(); }
    cEditorVehicleView* vehicleView(size_t index) {
        auto it = editor->getVehicleViews().begin();
        std::advance(it, index);
        return *it;
    }
    // Focuses the edit, erases its text and types the new one.
    void typeInto(cTextEdit* edit, const std::wstring& text) {
        ui.click(edit->getRectPosition().x, edit->getRectPosition().y);
        ui.step();
        for (int i = 0; i < 3; ++i) {
            ui.tapKey(Platform::KEY_RIGHT);
            ui.step();
        }
        ui.type(std::wstring(edit->getText().size(), L'\b') + text);
        ui.steps(2);
    }
    void clickWithKeys(cSprite* widget, int button, bool shift, bool ctrl) {
        if (shift)
            ui.keyDown(Platform::KEY_LEFT_SHIFT);
        if (ctrl)
            ui.keyDown(Platform::KEY_LEFT_CTRL);
        ui.step();
        clickWidget(widget, button);
        if (shift)
            ui.keyUp(Platform::KEY_LEFT_SHIFT);
        if (ctrl)
            ui.keyUp(Platform::KEY_LEFT_CTRL);
        ui.step();
    }
    // A level with one vehicle cell and one vehicle that wants index 2.
    void addVehicleWithCell() {
        clickWidget(tool(editor->getLockButtons(), 3));
        clickCell(0, 0);
        clickWidget(editor->getIncVehiclesButton());
        clickWidget(tool(editor->getIndexButtons(), 2));
        clickWithKeys(vehicleView(0), 0, true, false);
    }
};

TEST_F(MeadowEditorSaveTest, VehiclesAreAddedInARowAndRemovedSelectedOrLast) {
    open();
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(editor->getIncVehiclesButton());
    const auto& vehicles = model->getVehiclesFeature()->getVehicles();
    ASSERT_EQ(vehicles.size(), 3u);
    ASSERT_EQ(editor->getVehicleViews().size(), 3u);
    // The first vehicle of the list stands farthest along the distance; the last at the end.
    EXPECT_FLOAT_EQ(vehicleView(2)->getPosition().x, 940.0f);
    EXPECT_FLOAT_EQ(vehicleView(0)->getPosition().x, 940.0f - 2 * 110.0f);
    EXPECT_EQ(vehicleView(0)->getVehicle(), vehicles[0].get());

    clickWidget(vehicleView(0));
    EXPECT_EQ(editor->getSelectedVehicleView(), vehicleView(0));
    EXPECT_TRUE(vehicleView(0)->isSelectionShown());
    cVehicleModel* second = vehicles[1].get();
    cVehicleModel* third = vehicles[2].get();
    clickWidget(editor->getDecVehiclesButton()); // the selected one
    ASSERT_EQ(vehicles.size(), 2u);
    EXPECT_EQ(vehicles[0].get(), second);
    EXPECT_EQ(editor->getSelectedVehicleView(), nullptr); // the views were rebuilt
    clickWidget(editor->getDecVehiclesButton());          // none selected: the last one
    ASSERT_EQ(vehicles.size(), 1u);
    EXPECT_EQ(vehicles[0].get(), second);
    (void)third;
}

TEST_F(MeadowEditorSaveTest, ShiftAndCtrlClicksChangeTheChosenSlotByOneAndTen) {
    open();
    clickWidget(editor->getIncVehiclesButton());
    cVehicleModel* vehicle = model->getVehiclesFeature()->getVehicles()[0].get();
    // Without an index tool nothing changes.
    clickWithKeys(vehicleView(0), 0, true, true);
    EXPECT_EQ(vehicle->getSlotCount(), 0);

    clickWidget(tool(editor->getIndexButtons(), 2));
    clickWithKeys(vehicleView(0), 0, true, true);
    ASSERT_EQ(vehicle->getSlotCount(), 1);
    EXPECT_EQ(vehicle->getSlots()[0].objectIndex, 2);
    EXPECT_EQ(vehicle->getSlots()[0].needed, 11);
    clickWithKeys(vehicleView(0), 1, true, false); // right with Shift: one less
    EXPECT_EQ(vehicle->getSlots()[0].needed, 10);
    EXPECT_EQ(vehicleView(0)->getSlotsLabel()->getText(), L"2:10");
    clickWithKeys(vehicleView(0), 1, false, true); // right with Ctrl: ten less, gone
    EXPECT_EQ(vehicle->getSlotCount(), 0);
    EXPECT_TRUE(vehicleView(0)->isSelectionShown());
}

TEST_F(MeadowEditorSaveTest, ARightPressOnAnEditorFlaggedBoardVehicleViewSelectsItsVehicleWithTheKeysHeld) {
    // The board's vehicle view on its shipped layouts, with the editor's shipped slot looks.
    open();
    IXmlNode* looks = nullptr;
    ASSERT_TRUE(ui.layout("Meadow/View/MeadowEditorView.xml")->findNode("EditorStates", looks));
    owner.states.load(looks);
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(editor->getIncVehiclesButton());
    cVehicleModel* vehicle = model->getVehiclesFeature()->getVehicles()[0].get();
    clickWidget(tool(editor->getIndexButtons(), 2));
    clickWithKeys(vehicleView(0), 0, true, true);
    ASSERT_EQ(vehicle->getSlotCount(), 1);
    ASSERT_EQ(vehicle->getSlots()[0].needed, 11);
    clickWidget(vehicleView(1));
    ASSERT_EQ(editor->getSelectedVehicleView(), vehicleView(1));

    auto* view = new cVehicleView(editor, vehicle, editor, true);
    view->setPosition(cVector2(300, 600));
    view->setSize(cVector2(120, 60));
    view->show();
    view->enable();
    cInputSystem* input = getInputSystem();
    ASSERT_NE(nullptr, input);
    input->addKeyCallback(INPUT_MOUSE_RIGHT_DOWN, cVehicleView::editorRightClickHook, view);
    // A right press beside it selects nothing.
    ui.click(300, 450, 1);
    ui.steps(2);
    EXPECT_EQ(editor->getSelectedVehicleView(), vehicleView(1));
    // Over it, the editor selects the same vehicle, the Shift key taking one off the chosen slot.
    clickWithKeys(view, 1, true, false);
    EXPECT_EQ(editor->getSelectedVehicleView(), vehicleView(0));
    EXPECT_TRUE(vehicleView(0)->isSelectionShown());
    EXPECT_FALSE(vehicleView(1)->isSelectionShown());
    EXPECT_EQ(vehicle->getSlots()[0].needed, 10);
    // Without the editor flag the press is not the editor's.
    clickWidget(vehicleView(1));
    view->setEditorFlag(false);
    clickWithKeys(view, 1, true, false);
    EXPECT_EQ(editor->getSelectedVehicleView(), vehicleView(1));
    EXPECT_EQ(vehicle->getSlots()[0].needed, 10);
    input->removeKeyCallback(INPUT_MOUSE_RIGHT_DOWN, cVehicleView::editorRightClickHook, view);
    delete view;
}

TEST_F(MeadowEditorSaveTest, MoneyEditAndHasBonusBoxActOnTheSelectedVehicleOnly) {
    open();
    clickWidget(editor->getIncVehiclesButton());
    cVehicleModel* vehicle = model->getVehiclesFeature()->getVehicles()[0].get();
    typeInto(editor->getMoneyEdit(), L"75");
    EXPECT_EQ(vehicle->getMoney(), 0); // nothing selected
    clickWidget(editor->getHasBonusCheckBox());
    EXPECT_FALSE(vehicle->hasBonus());

    clickWidget(vehicleView(0));
    EXPECT_EQ(editor->getMoneyEdit()->getText(), L"0");
    typeInto(editor->getMoneyEdit(), L"250");
    EXPECT_EQ(vehicle->getMoney(), 250);
    EXPECT_EQ(vehicleView(0)->getMoneyLabel()->getText(), L"250");
    // An empty text reads as 0.
    typeInto(editor->getMoneyEdit(), L"");
    EXPECT_EQ(vehicle->getMoney(), 0);
    editor->getHasBonusCheckBox()->setChecked(false);
    clickWidget(editor->getHasBonusCheckBox());
    EXPECT_TRUE(vehicle->hasBonus());
    EXPECT_EQ(vehicleView(0)->getMoneyLabel()->getText(), L"0 +");
}

TEST_F(MeadowEditorSaveTest, NumbersReadAsAStreamReadsAnIntAndAnythingElseAsZero) {
    struct Case {
        const wchar_t* text;
        int value;
    } cases[] = {{L"12", 12}, {L" 7x", 7}, {L"-3", -3}, {L"", 0}, {L"abc", 0}, {L"99999999999", 0}, {L"+", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(cMeadowEditorView::readNumber(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST_F(MeadowEditorSaveTest, AVehicleCellMismatchIsShownInRussianAndNothingIsWritten) {
    open();
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(editor->getSaveButton());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, VEHICLE_CELLS_TEXT);
    EXPECT_EQ(messages.boxes[0].caption, "Validation error");
    EXPECT_FALSE(saved());
}

TEST_F(MeadowEditorSaveTest, ABonusAmountOtherThanOneOrTwoIsRefusedAndReset) {
    open();
    for (const wchar_t* amount : {L"3", L"0", L"x"}) {
        messages.boxes.clear();
        typeInto(editor->getBonusesAmountEdit(), amount);
        clickWidget(editor->getSaveButton());
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "Set 1 or 2 bonuses amount");
        EXPECT_EQ(messages.boxes[0].caption, "Wrong amount of bonuses");
        EXPECT_EQ(editor->getBonusesAmountEdit()->getText(), L"1");
        EXPECT_FALSE(saved());
    }
}

TEST_F(MeadowEditorSaveTest, ALevelTheCheckerRefusesIsShownAndNotWritten) {
    open();
    // A vehicle cell and a vehicle that wants nothing, and a level without any goal left.
    clickWidget(tool(editor->getLockButtons(), 3));
    clickCell(0, 0);
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(tool(editor->getCellButtons(), 1));
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (model->getCell(row, column)->getType() == 2)
                clickCell(row, column); // painting a wood cell with wood... makes it simple
    clickWidget(tool(editor->getCellButtons(), 2));
    for (int row = 0; row < model->getRows(); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (model->getCell(row, column)->getType() == 2)
                clickCell(row, column);
    clickWidget(editor->getSaveButton());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].caption, "Validation error");
    EXPECT_NE(messages.boxes[0].text.find("vehicle"), std::string::npos) << messages.boxes[0].text;
    EXPECT_FALSE(saved());
}

TEST_F(MeadowEditorSaveTest, AnEditedLevelIsSavedToTheUserFolderAndReadBackAsEdited) {
    open();
    const std::string shipped = TestSupport::readFileBytes(ui.folders().dataPath("Meadow/Model/GameLevels.xml"));
    clickWidget(tool(editor->getCellButtons(), 3));
    clickCell(5, 5); // iron
    clickWidget(tool(editor->getLockButtons(), 1));
    clickCell(4, 1); // a locked piece ...
    clickWidget(tool(editor->getIndexButtons(), 3));
    clickCell(4, 1); // ... of index 3
    addVehicleWithCell();
    clickWithKeys(vehicleView(0), 0, false, true); // index 2 wants 11
    typeInto(editor->getMoneyEdit(), L"999");
    typeInto(editor->getBonusesAmountEdit(), L"2");
    clickWidget(editor->getSaveButton());
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
    ASSERT_TRUE(saved());
    // The shipped file is the same; the user folder's copy shadows it.
    EXPECT_EQ(TestSupport::readFileBytes(ui.folders().dataPath("Meadow/Model/GameLevels.xml")), shipped);
    // Money comes from the slots: the model's parameter times 1 x 11.
    cVehicleModel* vehicle = model->getVehiclesFeature()->getVehicles()[0].get();
    EXPECT_EQ(vehicle->getMoney(), int(model->getVehicleMoneyParam() * 11.0f));

    auto modelDocument = TestShipped::loadShipped("GameModel.xml");
    auto levelsDocument = TestModel::parseXml(TestSupport::readFileBytes(savedPath()));
    const cLevelInfo* before = model->getCurrentLevelInfo();
    const std::wstring written = model->buildLevelsXml();
    const cLevelInfo beforeCopy{before->rows, before->columns,       before->cellTexts,  before->objectTexts,
                                {},           before->bonusesAmount, before->vehicleAttr};
    editor->close();
    ui.step();
    editor = nullptr; // deleted by the step
    controller.reset();
    model.reset();
    cMeadowModel readBack(modelDocument.get(), levelsDocument.get());
    const cLevelInfo& after = readBack.getLevels()[LEVEL];
    EXPECT_EQ(after.cellTexts, beforeCopy.cellTexts);
    EXPECT_EQ(after.objectTexts, beforeCopy.objectTexts);
    EXPECT_EQ(after.bonusesAmount, 2);
    EXPECT_TRUE(after.vehicleAttr);
    ASSERT_EQ(after.vehicles.size(), 1u);
    EXPECT_EQ(after.vehicles[0]->getSlots()[0].objectIndex, 2);
    EXPECT_EQ(after.vehicles[0]->getSlots()[0].needed, 11);
    EXPECT_EQ(readBack.buildLevelsXml(), written); // every level, as it was written
}

TEST_F(MeadowEditorSaveTest, PlayTestsTheSavedLevelAndPlaysEvenAfterAFailedCheck) {
    open();
    clickWidget(tool(editor->getLockButtons(), 1));
    clickCell(2, 2);
    clickWidget(editor->getPlayButton());
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"completed", "start 1"}));
    // A closed editor is deleted on a later frame: it may be gone already.
    EXPECT_TRUE(!Engine::isWidgetAlive(editor) || editor->isClosed());
    ASSERT_TRUE(saved());
    ui.step();
    controller.reset();
    model.reset();
    // The level as saved is played by the greedy player from its start boards.
    auto modelDocument = TestShipped::loadShipped("GameModel.xml");
    auto levelsDocument = TestModel::parseXml(TestSupport::readFileBytes(savedPath()));
    {
        cMeadowModel played(modelDocument.get(), levelsDocument.get());
        EXPECT_EQ(played.getLevels()[LEVEL].objectTexts[2], L"0_0_1_0_0_0");
        const cLevelCheckReport report = cLevelChecker::checkLevel(played, LEVEL, {1, 2});
        EXPECT_TRUE(report.passed()) << (report.problems.empty() ? "" : report.problems[0]);
    }

    // A level that fails a check is still played, unsaved.
    owner.calls.clear();
    editor = nullptr;
    std::filesystem::remove(savedPath());
    open();
    clickWidget(editor->getIncVehiclesButton());
    clickWidget(editor->getPlayButton());
    EXPECT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"completed", "start 1"}));
    EXPECT_FALSE(saved());
}

} // namespace

namespace {

TEST_F(MeadowEditorSaveTest, AVehicleViewWithoutASelectionObjectThrowsWhenSizedOrSelected) {
    open();
    ui.writeFile("Meadow/View/EditorVehicleView.xml", "<EditorVehicleView size=\"96,72\"/>");
    if (Engine::cResourceManager* resources = Engine::getResourceManager())
        resources->forgetResource("meadow/view/editorvehicleview.xml");
    cVehicleModel* vehicle = model->getVehiclesFeature()->addVehicle();
    auto* view = new cEditorVehicleView(editor, vehicle, true);
    EXPECT_EQ(TestModel::thrownText([&] { view->getSelectionSize(); }),
              "cVehicleView::getSelectionSize(): selection object is 0");
    EXPECT_EQ(TestModel::thrownText([&] { view->showSelection(true); }),
              "cVehicleView::showSelection(): selection object is 0");
}

} // namespace
