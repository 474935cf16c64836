#pragma once

// The front end over the UI harness with the shipped layouts, pictures, fonts and effects (also
// the tutorial's and the awards'), a small sound table of the ids the front end plays, and a map and player dialogs of
// the test's own registered in place of the program's.

#include "engine/core/WidgetSets.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"
#include "game/shell/GameStart.h"
#include "game/shell/Screen.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace FrontEndTest {

inline std::string readShipped(const std::string& name) {
    std::ifstream in(std::filesystem::path(MEADOW_SOURCE_DATA_DIR) / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What the map was asked to do, in order.
class FakeMap : public IMapScreen, public cScreen {
public:
    std::vector<std::string> calls;
    cScreen* getScreen() override { return this; }
    void setLowDetail(bool low) override { calls.push_back(low ? "lowDetail" : "fullDetail"); }
    void open() override { calls.push_back("open"); }
    void showMap() override { calls.push_back("showMap"); }
    void playLevel(bool resume) override { calls.push_back(resume ? "resumeLevel" : "playLevel"); }
    void resumeGame() override { calls.push_back("resumeGame"); }
    void goToMainMenu() override { calls.push_back("goToMainMenu"); }
    void backToMap() override { calls.push_back("backToMap"); }
    void replayLevel() override { calls.push_back("replayLevel"); }
    void setSaveLevelOnDestroy(bool save) override { calls.push_back(save ? "saveOn" : "saveOff"); }
};

class Fixture : public ::testing::Test {
protected:
    static constexpr const char* CONSTANTS_HEAD =
        "<constants><game app_directory=\"Meadow Test\" window_title=\"Meadow\" ";

    Fixture() : ui(0.0625f) {}

    // Shipped content the front end draws with; constants as given ("game" attributes).
    void writeData(const std::string& gameAttributes = "") {
        for (const std::string& name : TestSupport::shippedAtlasFiles(MEADOW_SOURCE_DATA_DIR))
            copy(name);
        for (const char* name : {"UI/MainMenu.xml", "UI/FixedBack.xml", "UI/Options.xml", "UI/Credits.xml",
                                 "UI/YesNoExit.xml", "UI/Load.xml", "UI/YesNoFrame.xml", "Meadow/View/GameMenu.xml",
                                 "Meadow/View/YesNoDialog.xml", "UI/NewUser.xml", "UI/SelectUser.xml", "UI/YesNo.xml",
                                 "Effects/dust_puff.pfx", "Effects/sparkle.pfx", "Logo.png", "Logo/Logo3.png"})
            copy(name);
        // The program gives each player a tutorial and opens the awards from the menus.
        copy("Effects/award_glitter.pfx");
        for (const char* folder :
             {"Fonts", "UI/Front", "Awards", "Awards/Images", "Meadow/View/Tutorial", "Meadow/Images/Tutorial"})
            for (const auto& entry :
                 std::filesystem::directory_iterator(std::filesystem::path(MEADOW_SOURCE_DATA_DIR) / folder))
                if (entry.is_regular_file())
                    copy(std::string(folder) + "/" + entry.path().filename().string());
        // One file per id, so the recorded plays tell the sounds apart.
        const std::string tone = readShipped("Meadow/Sounds/match1.ogg");
        std::string sounds = "<GameSounds><Sounds>";
        for (const std::string id : {"preloader_ambient", "main_menu_music", "loading_finished", "show_frame",
                                     "hide_frame", "btn_clicked", "btn_hovered"}) {
            ui.writeFile("Meadow/Sounds/" + id + ".ogg", tone);
            sounds += "<Sound id=\"" + id + "\" path=\"Meadow/Sounds/" + id + ".ogg\"/>";
        }
        ui.writeFile("Meadow/Sounds/GameSounds.xml", sounds + "</Sounds></GameSounds>");
        ui.writeFile("sys/constants.xml", std::string(CONSTANTS_HEAD) + gameAttributes + "/></constants>");
    }
    void copy(const std::string& name) {
        const std::string bytes = readShipped(name);
        ASSERT_FALSE(bytes.empty()) << name;
        ui.writeFile(name, bytes);
    }
    // A map of the test's own for the front end to make.
    void registerMap() {
        FrontEnd::setMapFactory([this] {
            map = new FakeMap();
            return map;
        });
    }
    void TearDown() override {
        onDestroyGame(nullptr);
        // Screens and dialogs still open go before the harness's services do.
        std::vector<Engine::cWidget*> roots;
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* root = dynamic_cast<Engine::cWidget*>(widget); root && !root->getParent())
                roots.push_back(root);
        for (Engine::cWidget* root : roots)
            if (Engine::isWidgetAlive(root))
                delete root;
        FrontEnd::clearHooks();
        map = nullptr;
    }
    // A resource log of n entries, each a shipped picture.
    void writeLog(int entries, const std::string& name = "dev_view_log.xml") {
        std::string log = "<ResourceLog>";
        for (int i = 0; i < entries; ++i)
            log += "<Tag Path=\"UI/Front/bee" + std::to_string(i % 3) + ".png\" Type=\"0\"/>";
        ui.writeFile(name, log + "</ResourceLog>");
    }
    bool soundPlayed(const std::string& entry) {
        for (const std::string& line : ui.sounds())
            if (line.find(entry) != std::string::npos)
                return true;
        return false;
    }

    TestSupport::UiHarness ui;
    FakeMap* map = nullptr;
};

} // namespace FrontEndTest
