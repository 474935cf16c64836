#pragma once

// The map on the shipped data under the UI harness: the shipped layouts, building files, model,
// pictures and fonts copied into the harness's data folder, a player profile, a sound table that
// writes down what it plays, and a board screen of our own made through the map's factory, which
// writes down what the level flow asks of it and switches back to the map when told.

#include "engine/core/FileSystem.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Widget.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapNeighbours.h"
#include "game/model/LevelView.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "game/shell/ScreenSwitcher.h"
#include "tests/development/BuildingFixture.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace TestMap {

class FakeLevelScreen : public ILevelScreen, public cScreen, public ILevelView {
public:
    explicit FakeLevelScreen(cDevelopmentView* owner) : m_owner(owner) {
        m_showTime = 0.25f;
        m_hideTime = 0.25f;
    }
    // ILevelScreen
    cScreen* getScreen() override { return this; }
    ILevelView* getLevelView() override { return this; }
    void setPlayTest(bool playTest) override { log.push_back(playTest ? "playTest" : "play"); }
    void initLevel(bool restart) override { log.push_back(restart ? "init restart" : "init"); }
    void refresh() override { log.push_back("refresh"); }
    void clearLevel() override { log.push_back("clear"); }
    void close() override {
        log.push_back("close");
        closed = true;
    }
    void startLevel(bool) override { log.push_back("start"); }
    void lockVehiclePanel(bool) override {}
    void showVehiclePanel(bool) override {}
    void switchToOwner() override {
        log.push_back("switchToOwner");
        auto* switcher = new cScreenSwitcher(this, m_owner);
        switcher->setMode(SWITCH_FROM_LEVEL);
    }
    void setShown(bool shown) override { m_shown = shown; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    void fadeIn() override { m_shown = true; }
    void startGroupFadeIn() override { log.push_back("groupFadeIn"); }
    // cScreen: the board screen closes itself and hands the end of the level to the map.
    void onScreenHidden(cScreenSwitcher*) override {
        log.push_back("hidden");
        m_owner->onLevelCompleted(this);
    }
    void onScreenShown(cScreenSwitcher*) override { log.push_back("shown"); }
    // ILevelView
    void setInputLocked(bool) override {}
    void updateSelection() override {}
    void showMatchedFigures(const tFigureList&, bool) override {}
    void animateExchange(IPieceView*, IPieceView*) override {}
    void animateSwapBack(IPieceView*, IPieceView*) override {}
    void crashCell(const Engine::cVector2&, IBonusEffect*) override {}
    void startObjectMotions() override {}
    IPieceView* getGameObjectView(cMeadowObjectModel*) override { return nullptr; }
    void showHint(const Engine::cVector2&, const Engine::cVector2&) override {}
    void hideHint() override {}
    void updateVehicles() override {}
    bool isFieldBusy() override { return false; }
    void finishLevel() override {}
    void resumeMusic() override {}
    bool isShown() override { return m_shown; }
    bool isEnabled() override { return m_enabled; }
    IBonusEffect* createBonusEffect(int) override { return nullptr; }
    void deleteBonusEffect(IBonusEffect*) override {}

    std::vector<std::string> log;
    bool closed = false;

private:
    cDevelopmentView* m_owner;
    bool m_shown = false;
    bool m_enabled = false;
};

class FakeFactory : public ILevelScreenFactory {
public:
    FakeFactory() { cDevelopmentView::setLevelScreenFactory(this); }
    ~FakeFactory() override { cDevelopmentView::setLevelScreenFactory(nullptr); }
    ILevelScreen* createLevelScreen(IBoardOwner* owner, cMeadowModel*, cMeadowController*, bool) override {
        screens.push_back(std::make_unique<FakeLevelScreen>(dynamic_cast<cDevelopmentView*>(owner)));
        return screens.back().get();
    }
    ILevelScreen* createEditorScreen(IEditorOwner* owner, cMeadowModel*, cMeadowController*) override {
        screens.push_back(std::make_unique<FakeLevelScreen>(dynamic_cast<cDevelopmentView*>(owner)));
        screens.back()->log.push_back("editor");
        return screens.back().get();
    }
    FakeLevelScreen* last() const { return screens.empty() ? nullptr : screens.back().get(); }
    std::vector<std::unique_ptr<FakeLevelScreen>> screens;
};

// The main menu's screen side: the map switches to it and tells it when it has closed.
class FakeMainMenu : public IMapMainMenu, public cScreen {
public:
    cScreen* getScreen() override { return this; }
    void onMapClosed() override { ++closes; }
    int closes = 0;
};

inline std::string shippedBytes(const std::string& name) {
    return TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name);
}

class DevelopmentFixture : public ::testing::Test {
protected:
    // The shipped files, then the harness with a profile; the map is made but not opened.
    // With gl the harness draws on OpenGL; false (nothing started) with the reason when it cannot.
    bool start(bool editor = false, const std::string& profiles = "profiles", bool gl = false) {
        std::vector<std::string> names = TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR);
        for (const std::string& name : TestSupport::shippedFontFiles(MEADOW_DATA_DIR))
            names.push_back(name);
        for (const char* name :
             {"Meadow/View/DevelopmentView.xml", "Meadow/View/Butterfly.xml", "Meadow/View/YesNoDialog.xml",
              "Meadow/View/Pimbrel.xml", "Meadow/Model/GameModel.xml", "Meadow/Model/GameLevels.xml",
              "Meadow/Images/Backgrounds/map_bg.png", "Meadow/View/UpgradeButtonsPanel.xml",
              "Meadow/View/UpgradeButtonBonus.xml", "Meadow/View/ConfirmVariantDlg.xml", "Meadow/View/VariantsDlg.xml",
              "Meadow/View/GameObjects.xml", "Meadow/Sounds/btn_clicked.ogg", "Meadow/Sounds/btn_hovered.ogg"})
            names.push_back(name);
        // The upgrade panel's pictures, the bonus pictures the map's look table names, the tutorial.
        for (const char* folder : {"Meadow/Images/Upgrade", "Meadow/Images/Bonus", "Meadow/View/Tutorial",
                                   "Meadow/Images/Tutorial", "Meadow/Images/Waves"})
            for (const auto& entry : std::filesystem::directory_iterator(std::string(MEADOW_DATA_DIR) + "/" + folder))
                names.push_back(std::string(folder) + "/" + entry.path().filename().string());
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(MEADOW_DATA_DIR) + "/Meadow/View/buildings"))
            names.push_back("Meadow/View/buildings/" + entry.path().filename().string());
        for (const std::string& name : names)
            ui.writeFile(name, shippedBytes(name));
        if (editor) {
            // The shipped heroine names graph overlay pictures that are not drawn yet.
            std::string heroine = shippedBytes("Meadow/View/Pimbrel.xml");
            for (const char* overlay :
                 {"Meadow/Images/Personage/graph_node.png", "Meadow/Images/Personage/graph_arc.png"})
                for (size_t at = heroine.find(overlay); at != std::string::npos; at = heroine.find(overlay))
                    heroine.replace(at, std::string(overlay).size(), "Map/Images/Interface/dust.png");
            ui.writeFile("Meadow/View/Pimbrel.xml", heroine);
        }
        ui.writeFile("sys/constants.xml", std::string("<constants><game app_directory=\"") +
                                              TestSupport::DataFolders::APP_DIRECTORY + "\" profiles=\"" + profiles +
                                              "\"/><graphics/></constants>");
        Engine::randomSeed(5);
        if (!gl)
            ui.start();
        else if (!ui.startGl(glFailure))
            return false;
        profile = std::make_unique<Engine::cProfileManager>(L"Tester");
        map = std::make_unique<cDevelopmentView>(nullptr, editor);
        map->setMainMenu(&menu);
        return true;
    }

    // Frames until the condition holds, at most ten seconds.
    template <class Condition> bool stepUntil(Condition condition) {
        for (int frame = 0; frame < 80; ++frame) {
            if (condition())
                return true;
            ui.step();
        }
        return condition();
    }

    // The pointer moves there first, so the click lands on what it hovers.
    void click(const Engine::cVector2& at) {
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.click(at.x, at.y);
        ui.step();
        ui.step();
    }

    // The map as the main menu leaves it: opened, then faded in from the menu.
    void openFromMenu() {
        map->open();
        map->show();
        auto* switcher = new cScreenSwitcher(&menu, map.get());
        switcher->setMode(SWITCH_FROM_MENU);
        ASSERT_TRUE(stepUntil([&] { return !Engine::isWidgetAlive(switcher); }));
    }

    // Next level pressed: the map fades out and the board screen comes.
    FakeLevelScreen* playNextLevel() {
        map->onNextLevelClicked();
        stepUntil([&] { return factory.last() && map->getLevelScreen(); });
        return factory.last();
    }

    bool saveExists() { return Engine::getFileSystem()->exists(map->getSaveFilePath()); }

    // A switch still under way ends first: the switcher deletes itself only at its end.
    void TearDown() override {
        if (ui.started())
            ui.run(1.5f);
        map.reset();
        profile.reset();
    }

    TestSupport::UiHarness ui{0.125f};
    TestBuildings::RecordingSounds sounds;
    FakeFactory factory;
    FakeMainMenu menu;
    std::unique_ptr<Engine::cProfileManager> profile;
    std::unique_ptr<cDevelopmentView> map;
    std::string glFailure;
};

} // namespace TestMap
