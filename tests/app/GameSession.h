#pragma once

// The whole program on the shipped data folder under the UI harness: the program's wiring, its
// start through the loading screen to the main menu, the map and the board screen, drawn by
// OpenGL on headless EGL. The screenshot tour and the game's frame benchmarks walk it. Needs
// MEADOW_DATA_DIR.

#include "app/GameWiring.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/TextButton.h"
#include "engine/media/SpriteQuad.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/level/MeadowView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameStart.h"
#include "game/shell/MainMenu.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <algorithm>
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
        addReturningPlayer();
        return true;
    }
    // The harness on its recording device: the draws are written down, nothing is drawn.
    void startRecording() {
        ui.start();
        addReturningPlayer();
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
        return view ? dynamic_cast<cMeadowView*>(view->getLevelScreen()) : nullptr;
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
    void addReturningPlayer() {
        if (m_returningPlayer) {
            new Engine::cProfileManager(L"Anna");
            delete Engine::getProfileManager();
        }
    }

    bool m_returningPlayer;
    bool m_created = false;
};

// A frame whose picture is black: nothing drawn shows but black untextured quads (the screen
// switch's cover), or everything that shows lies under a cover of full alpha.
inline bool blackFrame(const std::vector<TestSupport::DrawCall>& draws, float width, float height) {
    bool shows = false;
    for (const TestSupport::DrawCall& draw : draws) {
        float left = width, top = height, right = 0, bottom = 0;
        for (const Engine::cSpriteVertex& vertex : draw.quad.vertices) {
            left = std::min(left, vertex.position.x);
            right = std::max(right, vertex.position.x);
            top = std::min(top, vertex.position.y);
            bottom = std::max(bottom, vertex.position.y);
        }
        if (draw.alpha() == 0 || right <= std::max(left, 0.0f) || bottom <= std::max(top, 0.0f) || left >= width ||
            top >= height)
            continue;
        if (draw.texture || (draw.quad.vertices[0].color & 0xFFFFFFu) != 0) {
            shows = true;
            continue;
        }
        if (draw.alpha() == 255 && left <= 0 && top <= 0 && right >= width && bottom >= height)
            shows = false;
    }
    return !shows;
}

// The way from a level's results to the map, frame by frame.
struct ResultsToMap {
    int frames = 0;          // from the frame that takes the click to the map's first drawn frame
    int blackFrames = 0;     // of those, the frames with a black picture
    double seconds = 0;      // the frames' time
    double blackSeconds = 0; // how long black pictures stayed up
};

// Clicks the results' continue button and runs frames (of the given length; the harness's when 0,
// or as `frameTime` says) until the map's background is drawn, at most `limit` frames.
template <class FrameTime>
ResultsToMap leaveResultsForMap(Session& session, cMeadowView* board, FrameTime frameTime, int limit = 400) {
    ResultsToMap passage;
    const Engine::cVector2 at = board->getResultsView()->getContinueButton()->getPosition();
    session.ui.moveTo(at.x, at.y);
    session.ui.step();
    session.ui.press();
    session.ui.step();
    session.ui.release();
    int width = 0, height = 0;
    session.ui.renderDevice().getBackBufferSize(width, height);
    const auto mapDrawn = [&] {
        cDevelopmentView* map = Session::mapView();
        if (!map || !map->isVisible())
            return false;
        for (const TestSupport::DrawCall& draw : session.ui.draws())
            if (draw.texture && draw.texture == map->getFrame()->getPicture())
                return true;
        return false;
    };
    bool black = false;
    while (passage.frames < limit) {
        // A picture stays up until the next frame is done: the next frame's time is its time.
        const float dt = frameTime();
        session.ui.step(dt);
        const double seconds = dt > 0 ? dt : TestSupport::UiHarness::FRAME_TIME;
        ++passage.frames;
        passage.seconds += seconds;
        if (black)
            passage.blackSeconds += seconds;
        if (mapDrawn())
            break;
        black = blackFrame(session.ui.draws(), float(width), float(height));
        passage.blackFrames += black ? 1 : 0;
    }
    return passage;
}

} // namespace GameSession
