// The program's wiring walked through the frame loop on the whole shipped data folder: a player
// who has played before starts the game, the menu's start opens the map, and the map's main-menu
// button brings the menu back. The board screen is the program's own, a stand-in of the test's, or
// none.

#include "app/GameWiring.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/level/MeadowView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/AwardManagerLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/GameStart.h"
#include "game/shell/MainMenu.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"
#include "tests/development/DevelopmentFixture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using Engine::cVector2;

namespace {

class GameWiringTest : public ::testing::Test {
protected:
    // The shipped folder as it is, constants but the logos and the user folder's name.
    void SetUp() override {
        const std::filesystem::path data(MEADOW_DATA_DIR);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
            if (entry.is_regular_file()) {
                const std::string name = std::filesystem::relative(entry.path(), data).generic_string();
                ui.writeFile(name, TestMap::shippedBytes(name));
            }
        ui.writeFile("sys/constants.xml", "<constants><game window_title=\"Meadow\" app_directory=\"Meadow Test\" "
                                          "show_version=\"0\" Logo=\"0\" low_fps_value=\"25\" show_tips=\"1\" "
                                          "profiles=\"Profiles\"/></constants>");
        ui.start();
        // Anna has played before.
        new Engine::cProfileManager(L"Anna");
        delete Engine::getProfileManager();
    }
    void TearDown() override {
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

    void click(const cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
    }
    template <class Condition> bool runUntil(Condition condition, float seconds = 10.0f) {
        for (float t = 0; t < seconds; t += TestSupport::UiHarness::FRAME_TIME) {
            if (condition())
                return true;
            ui.step();
        }
        return condition();
    }
    bool played(const std::string& entry) {
        for (const std::string& line : ui.sounds())
            if (line.find(entry) != std::string::npos)
                return true;
        return false;
    }
    // The program's start up to the menu: logos off, loading, a key.
    cMainMenu* startGame() {
        wireGame();
        onCreateGame(nullptr);
        const auto menuUp = [] { return getMainMenu() && getMainMenu()->isVisible() && getMainMenu()->isEnabled(); };
        // The loading screen takes a key once it has finished.
        for (int tries = 0; tries < 40 && !menuUp(); ++tries) {
            ui.run(0.5f);
            ui.tapKey(Platform::KEY_SPACE);
            runUntil(menuUp, 1.0f);
        }
        return menuUp() ? getMainMenu() : nullptr;
    }
    // A screen switch is still under way: the screen it shows takes its buttons back at its end.
    static bool switching() {
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (dynamic_cast<cScreenSwitcher*>(widget))
                return true;
        return false;
    }
    cMapScreen* map() const { return dynamic_cast<cMapScreen*>(FrontEnd::getMap()); }
    // The map on screen, opened, usable.
    bool mapShown() const {
        cDevelopmentView* view = map() ? map()->getView() : nullptr;
        return view && view->isVisible() && view->getModel() && view->getMainMenuButton()->isEnabled() && !switching();
    }
    // The map's way back: the menu shows and takes input, the map has closed.
    void backToTheMenu(cMainMenu* menu) {
        cDevelopmentView* view = map()->getView();
        ui.sounds().clear();
        click(view->getMainMenuButton()->getPosition());
        ASSERT_TRUE(
            runUntil([&] { return menu->isVisible() && menu->isEnabled() && !view->getModel() && !switching(); }));
        EXPECT_FALSE(view->isVisible());
        EXPECT_TRUE(played("music meadow/sounds/main_menu_music"));
        EXPECT_NE(getFixedBackground(), nullptr);
        EXPECT_TRUE(getFixedBackground()->isVisible());
        EXPECT_EQ(menu->getNextScreen(), map()) << "the same map waits for the next start";
    }

    TestSupport::UiHarness ui;
};

// Every slot where the model and the screens find the game's services is filled once the program
// has started, and the sounds slot reaches the game's sound table.
TEST_F(GameWiringTest, StartUpFillsEveryGameServiceSlot) {
    ASSERT_NE(startGame(), nullptr);
    const std::vector<std::pair<std::string, bool>> slots{
        {"game sounds", GameServices::getGameSounds() != nullptr},
        {"tutorial manager", GameServices::getTutorialManager() != nullptr},
        {"match statistics", GameServices::getMatchStatistics() != nullptr},
        {"main menu", GameServices::getMainMenu() != nullptr},
        {"award manager factory", bool(GameServices::getAwardManagerFactory())},
        {"award manager", GameServices::createAwardManager() != nullptr},
        {"level screen factory", cDevelopmentView::getLevelScreenFactory() != nullptr},
        {"map", FrontEnd::getMap() != nullptr},
    };
    for (const auto& slot : slots)
        EXPECT_TRUE(slot.second) << slot.first;
    EXPECT_FALSE(GameServices::isQuitting());

    ASSERT_NE(GameServices::getGameSounds(), nullptr);
    ui.sounds().clear();
    GameServices::getGameSounds()->play("simple_match");
    GameServices::getGameSounds()->playSingle("object_fall", 1.0f, 0.0f);
    GameServices::getGameSounds()->playSingle("object_fall", 1.0f, 0.0f);
    EXPECT_EQ(ui.sounds(), (std::vector<std::string>{"playOnce meadow/sounds/simple_match.ogg",
                                                     "playOnce meadow/sounds/object_fall.ogg"}));
}

TEST_F(GameWiringTest, StartPlaysALevelThenTheMapLeadsBackToTheMenu) {
    TestMap::FakeFactory boards;
    cMainMenu* menu = startGame();
    cDevelopmentView::setLevelScreenFactory(&boards);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(map(), nullptr) << "the program's map was made for the player";
    EXPECT_EQ(menu->getNextScreen(), map());
    cDevelopmentView* view = map()->getView();
    EXPECT_FALSE(view->isVisible());
    ASSERT_NE(map()->getGameMenu(), nullptr);
    EXPECT_EQ(map()->getGameMenu()->m_developmentView, map());

    // No saved level: the start goes through the map straight into the next level.
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return boards.last() && view->getLevelScreen(); }));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(boards.last()->log, (std::vector<std::string>{"play", "init", "refresh", "start"}));

    // The in-game menu opens over the board and resumes it.
    view->showGameMenu();
    ui.run(1.0f);
    EXPECT_TRUE(map()->getGameMenu()->isVisible());
    EXPECT_TRUE(map()->getGameMenu()->isEnabled());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.run(1.0f);
    EXPECT_FALSE(map()->getGameMenu()->isVisible());

    // The level ends: the map is shown with its buildings and its upgrade row.
    boards.last()->switchToOwner();
    ASSERT_TRUE(runUntil([&] { return mapShown() && !view->getLevelScreen(); }));
    EXPECT_EQ(view->getUnitViews().size(), 26u);
    EXPECT_TRUE(view->getUpgradePanel()->isVisible());
    EXPECT_TRUE(played("music meadow/sounds/game_music"));

    backToTheMenu(menu);

    // And round again: the map opens a second time behind the menu.
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return boards.screens.size() == 2 && view->getLevelScreen(); }));
}

TEST_F(GameWiringTest, TheInGameMenusMainMenuKeepsTheLevelAndTheNextStartOffersIt) {
    TestMap::FakeFactory boards;
    cMainMenu* menu = startGame();
    cDevelopmentView::setLevelScreenFactory(&boards);
    ASSERT_NE(menu, nullptr);
    cDevelopmentView* view = map()->getView();
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return boards.last() && view->getLevelScreen() && !switching(); }));

    // Pause, main menu, yes: the map closes behind the menu and keeps the level with its board.
    view->showGameMenu();
    ui.run(1.0f);
    cGameMenuDlg* pause = map()->getGameMenu();
    click(pause->getMainMenuButton()->getPosition());
    ui.run(1.0f);
    ASSERT_NE(pause->getQuestion(), nullptr);
    ui.tapKey(Platform::KEY_ENTER);
    ASSERT_TRUE(runUntil([&] { return menu->isVisible() && menu->isEnabled() && !view->getModel() && !switching(); }));
    EXPECT_TRUE(boards.last()->closed);
    EXPECT_EQ(Engine::gIntProps["HasBinarySave"], 1);
    EXPECT_TRUE(Engine::getFileSystem()->exists(view->getSaveFilePath()));

    // The next start shows the map and asks about the level; yes resumes it on a board.
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return view->getSavedLevelPrompt() != nullptr && !switching(); }));
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(boards.screens.size(), 1u);
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ASSERT_TRUE(runUntil([&] { return boards.screens.size() == 2 && view->getLevelScreen(); }));
}

// The program's own board screen: the start opens the next level on it, the won level's results
// lead back to the map, and the map's next-level button opens the level after it.
TEST_F(GameWiringTest, TheProgramsBoardPlaysALevelAndTheMapsNextLevelButtonOpensTheNext) {
    cMainMenu* menu = startGame();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(cDevelopmentView::getLevelScreenFactory(), nullptr);
    cDevelopmentView* view = map()->getView();
    std::vector<int> tipsRead;
    const auto boardUp = [&] {
        // The player reads the tips a level opens with and closes them.
        cTutorialManager* tutorial = cTutorialManager::getInstance();
        if (tutorial && tutorial->hasCurrentTip()) {
            tipsRead.push_back(tutorial->getCurrentTipId());
            tutorial->closeCurrentTip();
        }
        auto* board = dynamic_cast<cMeadowView*>(view->getLevelScreen());
        return board && board->isVisible() && !switching() && board->getFieldView() &&
               !board->getFieldView()->isInputLocked();
    };
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil(boardUp, 20.0f)) << "the board screen shows the level and takes input";
    // The first level's wood cells.
    EXPECT_EQ(std::vector<int>{12}, tipsRead);
    auto* board = dynamic_cast<cMeadowView*>(view->getLevelScreen());
    ASSERT_NE(board, nullptr);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(board->getBoardOwner(), static_cast<IBoardOwner*>(view));
    EXPECT_EQ(view->getController()->getLevelView(), board);
    const int32_t first = view->getModel()->getCurrentLevel();

    // Nothing left to clear: the controller ends the level and the results come.
    for (cCellModel* cell : view->getModel()->getComplexCells()) {
        cell->setLocks(0);
        cell->setType(1);
        cell->setTriggerNumber(0);
    }
    view->getModel()->getGoldPrizesLeft() = 0;
    ASSERT_TRUE(runUntil([&] { return board->getResultsView()->getContinueButton()->isEnabled(); }, 60.0f));
    click(board->getResultsView()->getContinueButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return mapShown() && !view->getLevelScreen(); }, 20.0f));
    EXPECT_FALSE(Engine::isWidgetAlive(board));
    EXPECT_FALSE(view->isLevelRunning());
    EXPECT_EQ(view->getModel()->getNextLevelNumber(), first + 1);

    click(view->getNextLevelButton()->getPosition());
    ASSERT_TRUE(runUntil(boardUp, 20.0f));
    EXPECT_EQ(view->getModel()->getCurrentLevel(), first + 1);
}

TEST_F(GameWiringTest, WithoutABoardScreenTheStartShowsTheMap) {
    cMainMenu* menu = startGame();
    cDevelopmentView::setLevelScreenFactory(nullptr);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(map(), nullptr);
    cDevelopmentView* view = map()->getView();
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return mapShown(); }));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(view->isLevelRunning());
    // The next-level button waits rather than fade the map out for a board that cannot come.
    click(view->getNextLevelButton()->getPosition());
    ui.run(2.0f);
    EXPECT_FALSE(view->isLevelRunning());
    // Meanwhile the new player's next-level hint has come and holds the map until its OK.
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    ASSERT_NE(tutorial, nullptr);
    ASSERT_EQ(tutorial->getCurrentTipId(), 0);
    EXPECT_FALSE(mapShown());
    click(tutorial->getCurrentTip()->getOkButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return mapShown(); }));
    EXPECT_TRUE(tutorial->isTipShown(0));

    backToTheMenu(menu);
    click(menu->getStartButton()->getPosition());
    ASSERT_TRUE(runUntil([&] { return mapShown(); }));
}

} // namespace
