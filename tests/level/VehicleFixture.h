#pragma once

// The board fixture with vehicle layouts of round numbers: slots with two colour variants and
// doors of a 0.5 s animation, a vehicle that accelerates by (100, 0), a panel that waits at
// (0, 700) and stops at (400, 700); and game sounds that write down what was asked.

#include "tests/level/LevelFixture.h"
#include "tests/level/ShippedBoard.h"

#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehiclesFeature.h"

#include <algorithm>
#include <string>
#include <vector>

namespace TestLevel {

#define FONT "Font=\"Fonts/Digits30.fnt\" Texture=\"Fonts/Digits30.png\""

inline std::string slotLayout(const std::string& kind) {
    std::string text = "<" + kind + "><Backs>";
    for (int colour = 0; colour < 2; ++colour)
        text += "<B Visible=\"1\" size=\"80,60\" deep=\"20\" Picture=\"art/back" + std::to_string(colour) + ".tga\"/>";
    text += "</Backs><Doors>";
    for (int colour = 0; colour < 2; ++colour)
        text += "<D Visible=\"1\" size=\"80,60\" deep=\"22\" anim_length=\"0.5\" Picture=\"art/doors" +
                std::to_string(colour) + ".tga\"/>";
    return text +
           "</Doors><Slot Visible=\"1\" position=\"10,0\" deep=\"24\" " FONT "><Icon Visible=\"1\" position=\"-20,0\" "
           "size=\"30,30\" deep=\"23\"/></Slot><Progress Visible=\"1\" position=\"0,20\" size=\"60,8\" deep=\"23\" "
           "ProgressMaxValue=\"100\"/><CompletedIcon Visible=\"1\" size=\"30,30\" deep=\"24\" "
           "Picture=\"art/done.tga\"/></" +
           kind + ">";
}

inline std::string vehicleSlotXml() {
    return "<VehicleSlot><Driver Visible=\"1\" Enable=\"1\" alpha=\"0\"><States><Rest Visible=\"1\" "
           "Picture=\"art/driver.tga\" PlayCycles=\"1,1\"/><Nod Visible=\"1\" Picture=\"art/driver.tga\" "
           "PlayAnimation=\"1\" PlayCycles=\"2,2\"/></States></Driver>" +
           slotLayout("Heads") + slotLayout("Trailers") + "</VehicleSlot>";
}

inline std::string vehicleViewXml(const std::string& colours = "2") {
    return "<VehicleView Visible=\"1\" Enable=\"1\" size=\"300,60\" deep=\"19\" alpha=\"0\" acceleration=\"100,0\" "
           "path_length=\"200\" slot1_offset=\"0,0\" slot2_offset=\"-100,0\" slot3_offset=\"-200,0\" colors_number=\"" +
           colours +
           "\" first_point_offset=\"0,-100\" doors_point_offset=\"0,-10\" came_in_door_time=\"0.25\" "
           "fly_obj_size_percent=\"0.5\"><Money Visible=\"1\" position=\"60,0\" deep=\"26\" " FONT
           "><Icon Visible=\"1\" "
           "position=\"-20,0\" size=\"20,20\" deep=\"25\"/></Money><Selection size=\"300,60\"/><Dust Enable=\"1\" "
           "pyro_file=\"fx/burst.pfx\"/><BonusIcon size=\"20,20\" Picture=\"art/icon.tga\"/></VehicleView>";
}

class VehicleBoardTest : public BoardTest {
protected:
    void SetUp() override { GameServices::setGameSounds(&sounds); }
    void TearDown() override {
        BoardTest::TearDown();
        GameServices::setGameSounds(nullptr);
    }

    void writeVehicleFiles(const std::string& colours = "2") {
        ui.writeFile("Meadow/View/VehicleSlot.xml", vehicleSlotXml());
        ui.writeFile("Meadow/View/VehicleView.xml", vehicleViewXml(colours));
        ui.writeFile("Meadow/View/VehiclePanel.xml", "<VehiclePanel Visible=\"1\" Enable=\"1\" alpha=\"0\" "
                                                     "active_vehicle_pos=\"400,700\" start_vehicle_pos=\"0,700\"/>");
        ui.writeFile("Meadow/View/VehicleTip.xml", "<VehicleTip><Msg>Pays %d</Msg></VehicleTip>");
        ui.writeFile("Meadow/View/VehicleFlyingNumber.xml", "<FlyingNumber fly_up_dir=\"0,-40\" fly_up_time=\"0.5\"/>");
        for (const char* name : {"Fonts/Digits30.fnt", "Fonts/Digits30.png"})
            ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
        for (const char* name : {"back0", "back1", "doors0", "doors1", "done", "driver"})
            ui.writePicture(std::string("art/") + name + ".tga", 2, 2, 0xFF806040u);
    }

    // A board of one row of three cells (type 1 at both ends) with a controller.
    void buildBoard(const std::vector<std::string>& rows = {"1_1_1", "1_1_1"}) {
        writeVehicleFiles();
        writeFiles();
        build(rows, false, true);
    }

    // A vehicle that wants, per slot, the amount of pieces of type 1, 2, 3 in turn.
    cVehicleModel* addVehicle(const std::vector<int>& amounts, int money = 30) {
        cVehicleModel* vehicle = model->getVehiclesFeature()->addVehicle();
        for (size_t i = 0; i < amounts.size(); ++i)
            vehicle->addSlot(int(i) + 1, amounts[i], int(i) + 1);
        vehicle->setMoney(money);
        return vehicle;
    }

    SoundBook sounds;
};

} // namespace TestLevel
