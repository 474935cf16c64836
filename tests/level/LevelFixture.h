#pragma once

// A board screen over a small model under the UI harness: layouts with round numbers (cells of
// 60 px, 64 px apart, around (500, 400); depths from 10 in steps of 1), one-colour pictures, and
// a "States" table of the test's own. Each test picks the board by a list of rows of cell codes
// (row 0 first; the code is the type plus 16 per lock, see cCellModel).

#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlDocument.h"
#include "game/level/MeadowView.h"
#include "game/level/field/CellPart.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "tests/level/BoardRig.h"
#include "tests/level/TestStates.h"
#include "tests/model/ModelFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace TestLevel {

inline std::string modelXml() {
    std::string objects;
    for (int type = 1; type <= 4; ++type) {
        objects += "<O type=\"" + std::to_string(type) + "\" category=\"1\" color_group=\"" + std::to_string(type - 1) +
                   "\"><Rule amount=\"3\" money=\"30\" bonus_points=\"1\"/></O>";
    }
    return "<Model max_objects_on_level=\"4\" max_vehicle_slots=\"3\" color_groups_amount=\"4\" update_time=\"0.25\" "
           "fall_obj_sound_delay=\"0.125\" combo_sound_delay=\"0.5\" seria_buffer_time=\"2.5\" "
           "vehicle_money_param=\"1\" first_level_objects=\"1_2_3_4\" blasted_bonus_price=\"3\"><GameObjects>" +
           objects +
           "<O type=\"201\" category=\"11\"/></GameObjects><GameResources><R id=\"money\" type=\"1\"/>"
           "</GameResources><Units/><LevelAchievements><A id=\"0\"/><A id=\"3\"/></LevelAchievements></Model>";
}

// One level of the rows given (row 0 first), every enabled cell holding a random piece.
inline std::string levelsXml(const std::vector<std::string>& rows) {
    std::string text;
    size_t columns = 1;
    for (const std::string& row : rows) {
        columns = size_t(std::count(row.begin(), row.end(), '_')) + 1;
        std::string objects = "0";
        for (size_t c = 1; c < columns; ++c)
            objects += "_0";
        text += "<Row cells=\"" + row + "\" objects=\"" + objects + "\"/>";
    }
    return "<Levels><Level size=\"" + std::to_string(columns) + " " + std::to_string(rows.size()) + "\"><Rows>" + text +
           "</Rows></Level></Levels>";
}

inline std::string pieceProto(const std::string& extra = "") {
    return "<GameObjectProto size=\"50,50\" deep=\"5\" match_effect_time=\"0.25\" destroy_effect_time=\"0.5\" "
           "shake_period=\"0.5\" inc_size_time=\"0.5\" inc_size_param=\"2\" sinus_move_speed=\"100\" "
           "falling_speed=\"300\" bee_speed=\"40\" OverlayColor=\"80FF0000\" " +
           extra + "><Decoration size=\"10,10\" Picture=\"art/bee.tga\"/></GameObjectProto>";
}

inline std::string meadowViewXml(const std::string& proto = pieceProto()) {
    return "<MeadowView Visible=\"1\" Enable=\"1\" ShowTime=\"0.25\" HideTime=\"0.25\" new_level_delta_time=\"0.5\">" +
           proto +
           "<VehicleIconProto size=\"20,20\" deep=\"8\" Picture=\"art/icon.tga\"/>"
           "<GoldIconProto size=\"20,20\" deep=\"8\" Picture=\"art/icon.tga\"/>"
           "<TriggerIconProto size=\"60,60\" deep=\"4\" Picture=\"art/icon.tga\"/>"
           "<TriggerBaseIconProto size=\"60,60\" deep=\"3.5\" Picture=\"art/icon.tga\"/>"
           "<PromptHoriz Enable=\"1\" deep=\"12\" pyro_file=\"fx/burst.pfx\"/><PromptVert Enable=\"1\" deep=\"12\" "
           "pyro_file=\"fx/burst.pfx\"/>"
           "<MatchEffects><E Enable=\"1\" deep=\"11\" LiveTime=\"0.7\" pyro_file=\"fx/burst.pfx\"/><E Enable=\"1\" "
           "deep=\"11\" LiveTime=\"0.7\" "
           "pyro_file=\"fx/burst.pfx\"/>"
           "<E Enable=\"1\" deep=\"11\" LiveTime=\"0.7\" pyro_file=\"fx/burst.pfx\"/><E Enable=\"1\" deep=\"11\" "
           "LiveTime=\"0.7\" "
           "pyro_file=\"fx/burst.pfx\"/></MatchEffects>"
           "</MeadowView>";
}

inline std::string borders(const std::string& extra = "") {
    std::string text = "<Borders>";
    for (int side = 0; side < 12; ++side)
        text += "<B Enable=\"1\" side=\"" + std::to_string(side) +
                "\" size=\"10,10\" deep=\"1\" Picture=\"art/border.tga\"/>";
    return text + extra + "</Borders>";
}

// The bomb fire has one offset per frame of the blast piece (4 in objectsXml) unless told.
inline std::string fieldViewXml(const std::string& cellExtra = "", const std::string& borderExtra = "",
                                int fireOffsets = 4) {
    std::string fire;
    for (int i = 0; i < fireOffsets; ++i)
        fire += "<F pos=\"" + std::to_string(2 * i + 1) + "," + std::to_string(2 * i + 2) + "\"/>";
    return "<FieldView Visible=\"1\" Enable=\"1\" center_position=\"500,400\" cell_distance=\"64\" "
           "first_cell_deep=\"10\" cells_deep_step=\"1\" "
           "complex_cells_deep_delta=\"0.5\"><CellPrototype position=\"0,0\" size=\"60,60\" deep=\"3\" "
           "simple_types=\"2\" wood_types=\"2\" iron_types=\"1\" " +
           cellExtra + "><LocksPicture size=\"60,60\" deep=\"6\"/>" +
           "<PartProto size=\"20,12\" deep=\"2\" life_time=\"0.5\" speed=\"100\"/>" + borders(borderExtra) +
           "</CellPrototype><SelectionObject size=\"70,70\" deep=\"7\"/>"
           "<BombEffect Enable=\"1\" LiveTime=\"0.7\" pyro_file=\"fx/burst.pfx\"/><BombFireEffect Enable=\"1\" "
           "deep=\"9\" "
           "pyro_file=\"fx/burst.pfx\">" +
           fire + "</BombFireEffect></FieldView>";
}

inline const char* statesXml() {
    return "<States><S id=\"selection\" Picture=\"art/selection.tga\"/><S id=\"cell0\" Picture=\"art/cell0.tga\"/>"
           "<S id=\"simple0\" Picture=\"art/simple0.tga\"/><S id=\"simple1\" Picture=\"art/simple1.tga\"/>"
           "<S id=\"wood0\" Picture=\"art/wood0.tga\"/><S id=\"wood1\" Picture=\"art/wood1.tga\"/>"
           "<S id=\"iron0\" Picture=\"art/iron0.tga\"/><S id=\"cell_locks1\" Picture=\"art/locks1.tga\"/>"
           "<S id=\"cell_locks2\" Picture=\"art/locks2.tga\"/><S id=\"mixing_bees\" Picture=\"art/bee.tga\"/>"
           // The parts a broken wood or iron cell throws, a picture each.
           "<S id=\"wood_part_0\" Picture=\"art/wpart0.tga\"/><S id=\"wood_part_1\" Picture=\"art/wpart1.tga\"/>"
           "<S id=\"wood_part_2\" Picture=\"art/wpart2.tga\"/><S id=\"wood_part_3\" Picture=\"art/wpart3.tga\"/>"
           "<S id=\"iron_part_0\" Picture=\"art/ipart0.tga\"/><S id=\"iron_part_1\" Picture=\"art/ipart1.tga\"/>"
           "<S id=\"iron_part_2\" Picture=\"art/ipart2.tga\"/><S id=\"iron_part_3\" Picture=\"art/ipart3.tga\"/>"
           "</States>";
}

inline const char* objectsXml() {
    return "<GameObjects><Object id=\"obj1\" Picture=\"art/p1.tga\"/><Object id=\"obj2\" Picture=\"art/p2.tga\"/>"
           "<Object id=\"obj3\" Picture=\"art/p3.tga\"/><Object id=\"obj4\" Picture=\"art/p4.tga\"/>"
           "<Object id=\"obj201\" Picture=\"art/p201.tga\" frames_count=\"4\" anim_columns=\"4\"/></GameObjects>";
}

// The layouts of the widgets every board screen makes, empty: tests of them write their own.
inline void writeBoardPanels(TestSupport::UiHarness& ui) {
    ui.writeFile("Meadow/View/InfoPanel.xml", "<InfoPanel/>");
    ui.writeFile("Meadow/View/AchievementsView.xml", "<AchievementsView/>");
    // Points earned make flying numbers; a fired trigger plays its bursts.
    ui.writeFile("Meadow/View/FlyingNumber.xml", "<FlyingNumber/>");
    ui.writeFile("Meadow/View/effects/TriggerEffect.xml", "<TriggerEffect/>");
}

// The live widgets of a type: the root widgets a board leaves to delete themselves.
template <class T> int countLive() {
    int count = 0;
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        count += dynamic_cast<T*>(widget) ? 1 : 0;
    return count;
}

class BoardTest : public BoardRig {
protected:
    // Writes the layouts and pictures, then starts the harness.
    void writeFiles(const std::string& meadowView = meadowViewXml(), const std::string& fieldView = fieldViewXml()) {
        ui.writeFile("Meadow/View/MeadowView.xml", meadowView);
        ui.writeFile("Meadow/View/FieldView.xml", fieldView);
        ui.writeFile("Meadow/View/GameObjects.xml", objectsXml());
        ui.writeFile("Meadow/View/FlyingNumber.xml", "<FlyingNumber fly_up_dir=\"0,-40\" fly_up_time=\"0.5\"/>");
        ui.writeFile("States.xml", statesXml());
        ui.writeFile("fx/burst.pfx",
                     TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/Effects/match_burst_red.pfx"));
        writeBoardPanels(ui);
        writeExtraFiles();
        for (const char* name :
             {"bee",    "icon",   "border", "selection", "cell0",  "simple0", "simple1", "wood0", "wood1",
              "iron0",  "locks1", "locks2", "p1",        "p2",     "p3",      "p4",      "p201",  "wpart0",
              "wpart1", "wpart2", "wpart3", "ipart0",    "ipart1", "ipart2",  "ipart3"})
            ui.writePicture(std::string("art/") + name + ".tga", 2, 2, 0xFF808080u);
        ui.start();
        states.load(ui.layout("States.xml"));
    }

    // The model of the description over one level of the rows given, loaded as the editor does
    // (no start board, which small boards cannot have), with the piece types 1 to 4.
    void loadModel(const std::string& description, const std::vector<std::string>& rows) {
        model = TestModel::makeModel(description, levelsXml(rows));
        model->setEditorMode(true);
        model->loadLevel(0);
        model->setEditorMode(false);
        model->getLevelTypes() = {1, 2, 3, 4};
    }

    // The board of the rows given, its cells built and its pieces' views made; with a controller
    // when the test clicks. The model's description is modelXml() unless given.
    void build(const std::vector<std::string>& rows, bool editor = false, bool withController = false,
               const std::string& description = modelXml()) {
        if (!ui.started())
            writeFiles();
        Engine::randomSeed(7);
        loadModel(description, rows);
        // Every enabled cell gets a piece of type 1 to 4 by its place.
        for (int row = 0; row < model->getRows(); ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (model->getCell(row, column)->isEnabled() && !model->getObject(row, column))
                    model->createObjectAt(row, column)->setType(1 + (row + column) % 4);
        model->resetObjectStates();
        buildBoard(withController, editor);
    }

    // Files a test adds to (or writes over) the fixture's, before the harness starts.
    virtual void writeExtraFiles() {}

    cMeadowCellView* cell(int row, int column) { return field->findCellView(row, column); }
    // The parts a cell view has thrown (its hidden prototype left out).
    static std::vector<cCellPart*> thrownParts(cMeadowCellView* view) {
        std::vector<cCellPart*> parts;
        for (Engine::cWidget* child : view->getChildren())
            if (auto* part = dynamic_cast<cCellPart*>(child); part && part != view->getPartProto())
                parts.push_back(part);
        return parts;
    }
};

} // namespace TestLevel
