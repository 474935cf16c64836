#pragma once

// The whole program on the shipped data folder under the UI harness: the program's wiring, its
// start through the loading screen to the main menu, the map and the board screen, drawn by
// OpenGL on headless EGL. The screenshot tour and the game's frame benchmarks walk it. Needs
// MEADOW_DATA_DIR.

#include "app/GameWiring.h"
#include "app/LevelScreens.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/level/MeadowFieldView.h"
#include "game/level/MeadowView.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameStart.h"
#include "game/shell/MainMenu.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <filesystem>
#include <string>
#include <vector>

namespace GameSession {

class Session {
public:
    // The shipped folder as it is, but the logos (shown only when asked) and the user folder's
    // name; with a returning player, "Anna" has played before.
    Session(bool logos, bool returningPlayer) : m_returningPlayer(returningPlayer) {
        const std::filesystem::path data(MEADOW_DATA_DIR);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
            if (entry.is_regular_file()) {
                const std::string name = std::filesystem::relative(entry.path(), data).generic_string();
                ui.writeFile(name, TestSupport::readFileBytes(entry.path().string()));
            }
        ui.writeFile("sys/constants.xml",
                     std::string("<constants><game window_title=\"Meadow\" app_directory=\"") +
                         TestSupport::DataFolders::APP_DIRECTORY + "\" show_version=\"0\" Logo=\"" +
                         (logos ? "1" : "0") +
                         "\" low_fps_value=\"25\" show_tips=\"1\" profiles=\"Profiles\"/></constants>");
    }
    ~Session() {
        if (m_created)
            onDestroyGame(nullptr);
        std::vector<Engine::cWidget*> roots;
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* root = dynamic_cast<Engine::cWidget*>(widget); root && !root->getParent())
                roots.push_back(root);
        for (Engine::cWidget* root : roots)
            if (Engine::isWidgetAlive(root))
                delete root;
        FrontEnd::clearHooks();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The harness on OpenGL; false with the reason when EGL cannot start.
    bool startGl(std::string& reason) {
        if (!ui.startGl(reason))
            return false;
        if (m_returningPlayer) {
            new Engine::cProfileManager(L"Anna");
            delete Engine::getProfileManager();
        }
        return true;
    }
    // The program's own start: its wiring, then the game's creation.
    void create() {
        wireGame();
        onCreateGame(nullptr);
        m_created = true;
    }

    static bool menuUp() { return getMainMenu() && getMainMenu()->isVisible() && getMainMenu()->isEnabled(); }
    // A screen switch is still under way.
    static bool switching() {
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (dynamic_cast<cScreenSwitcher*>(widget))
                return true;
        return false;
    }
    static cMapScreen* map() { return dynamic_cast<cMapScreen*>(FrontEnd::getMap()); }
    static cDevelopmentView* mapView() { return map() ? map()->getView() : nullptr; }
    // The map on screen, opened, usable.
    static bool mapShown() {
        cDevelopmentView* view = mapView();
        return view && view->isVisible() && view->getModel() && view->getMainMenuButton()->isEnabled() && !switching();
    }
    // The board screen of the level the map has open, or null.
    static cMeadowView* board() {
        cDevelopmentView* view = mapView();
        auto* screen = view ? dynamic_cast<cBoardScreen*>(view->getLevelScreen()) : nullptr;
        return screen ? screen->getBoard() : nullptr;
    }
    // The board shows its level and takes input.
    static bool boardUp() {
        cMeadowView* shown = board();
        return shown && shown->isVisible() && !switching() && shown->getFieldView() &&
               !shown->getFieldView()->isInputLocked();
    }

    void click(const Engine::cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
    }
    // Tips that come up meanwhile are read and closed.
    template <class Condition> bool runUntil(Condition condition, float seconds = 10.0f) {
        for (float t = 0; t < seconds; t += TestSupport::UiHarness::FRAME_TIME) {
            if (condition())
                return true;
            closeTip();
            ui.step();
        }
        return condition();
    }
    // From the creation to the menu: the loading screen takes a key once it has finished.
    cMainMenu* startToMenu() {
        create();
        for (int tries = 0; tries < 40 && !menuUp(); ++tries) {
            ui.run(0.5f);
            ui.tapKey(Platform::KEY_SPACE);
            runUntil(menuUp, 1.0f);
        }
        return menuUp() ? getMainMenu() : nullptr;
    }
    // The menu's start: the map opens the player's next level on the board screen.
    cMeadowView* openBoard() {
        click(getMainMenu()->getStartButton()->getPosition());
        return runUntil(boardUp, 30.0f) ? board() : nullptr;
    }
    // A tip the tutorial shows is read and closed with its OK, as a player would.
    void closeTip() {
        cTutorialManager* tutorial = cTutorialManager::getInstance();
        if (!tutorial || !tutorial->hasCurrentTip())
            return;
        cCommonHelpTip* tip = tutorial->getCurrentTip();
        if (tip->getOkButton() && tip->getOkButton()->isVisible())
            click(tip->getOkButton()->getPosition());
        else
            tutorial->closeCurrentTip();
    }

    TestSupport::UiHarness ui;

private:
    bool m_returningPlayer;
    bool m_created = false;
};

} // namespace GameSession
