// The level screens the program's wiring gives the map, walked through the frame loop on the whole
// shipped data folder: the map run as the level editor opens a level in the editor and comes back from it,
// and the editor's play test opens the level on the board screen.

#include "app/GameWiring.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Fader.h"
#include "engine/gui/TextButton.h"
#include "game/development/DevelopmentView.h"
#include "game/level/MeadowView.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/GroupFader.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class LevelScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path data(MEADOW_DATA_DIR);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
            if (entry.is_regular_file()) {
                const std::string name = std::filesystem::relative(entry.path(), data).generic_string();
                ui.writeFile(name, TestSupport::readFileBytes(entry.path().string()));
            }
        // The heroine's path overlay (drawn only in the editor) names pictures not made yet.
        std::string heroine = TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/Meadow/View/Pimbrel.xml");
        for (const char* overlay : {"Meadow/Images/Personage/graph_node.png", "Meadow/Images/Personage/graph_arc.png"})
            for (size_t at = heroine.find(overlay); at != std::string::npos; at = heroine.find(overlay))
                heroine.replace(at, std::string(overlay).size(), "Map/Images/Interface/dust.png");
        ui.writeFile("Meadow/View/Pimbrel.xml", heroine);
        ui.writeFile("sys/constants.xml", "<constants><game window_title=\"Meadow\" app_directory=\"Meadow Test\" "
                                          "show_version=\"0\" Logo=\"0\" profiles=\"Profiles\"/></constants>");
        ui.start();
        profile = std::make_unique<Engine::cProfileManager>(L"Tester");
        wireGame();
    }
    void TearDown() override {
        ui.run(1.5f);
        map.reset();
        ui.steps(2);
        cDevelopmentView::setLevelScreenFactory(nullptr);
        std::vector<Engine::cWidget*> roots;
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* root = dynamic_cast<Engine::cWidget*>(widget); root && !root->getParent())
                roots.push_back(root);
        for (Engine::cWidget* root : roots)
            if (Engine::isWidgetAlive(root))
                delete root;
        profile.reset();
    }

    void click(const Engine::cSprite* widget) {
        ui.moveTo(widget->getPosition().x, widget->getPosition().y);
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
    // The editor's map, opened and shown.
    void openEditorMap() {
        map = std::make_unique<cDevelopmentView>(nullptr, true);
        map->open();
        map->show();
        ui.run(1.0f);
    }

    TestSupport::UiHarness ui;
    std::unique_ptr<Engine::cProfileManager> profile;
    std::unique_ptr<cDevelopmentView> map;
};

TEST_F(LevelScreensTest, TheEditorsMapOpensALevelInTheEditorAndItsBackButtonReturns) {
    openEditorMap();
    ASSERT_FALSE(map->getLevelButtons().empty());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        click(map->getLevelButtons()[size_t(round)]);
        auto* editor = dynamic_cast<cMeadowEditorView*>(map->getLevelScreen());
        ASSERT_NE(editor, nullptr) << "the level button opens the editor";
        EXPECT_EQ(editor->getOwner(), static_cast<IEditorOwner*>(map.get()));
        EXPECT_EQ(editor->getBoardOwner(), static_cast<IBoardOwner*>(map.get()));
        EXPECT_EQ(map->getModel()->getCurrentLevel(), round);
        EXPECT_EQ(map->getController()->getLevelView(), editor->getLevelView());
        ASSERT_TRUE(runUntil([&] {
            return editor->isVisible() && editor->isEnabled() && editor->getState() == Engine::cFader::FADER_IDLE &&
                   editor->getGroupState() == cGroupFader::GROUP_IDLE;
        }));
        // The backdrop came in with the group fade the map started.
        EXPECT_FLOAT_EQ(editor->getEditorBack()->getAlpha(), 1.0f);
        EXPECT_FALSE(map->getController()->isInputLocked());
        EXPECT_TRUE(map->getModel()->isEditorMode());
        EXPECT_FALSE(editor->getCellButtons().empty());
        // The map's looks reach the editor through its owner.
        EXPECT_NO_THROW(editor->getVisualState("selection"));
        // The map, drawn above the editor's layout, stands aside with its level buttons and bars.
        EXPECT_FALSE(map->isVisible());
        EXPECT_FALSE(map->getLevelButtons()[0]->isVisible());
        // The cells have arrived: shown at full size, not left at the start of their arrival.
        ASSERT_TRUE(runUntil([&] {
            const cMeadowCellView* cell = editor->getFieldView()->findCellView(0, 0);
            return cell && cell->getSize().x > 32 && cell->getAlpha() > 0.99f;
        }));
        EXPECT_FALSE(map->isVisible()) << "the switch back from the last level does not show the map again";

        Engine::cWidget* results = editor->getResultsView();
        // Out by the editor's back button, then by the game menu's way back to the map.
        if (round == 0)
            click(editor->getBackButton());
        else
            map->backToMap();
        ASSERT_TRUE(runUntil([&] { return !Engine::isWidgetAlive(editor) && map->isVisible(); }));
        EXPECT_FALSE(Engine::isWidgetAlive(results)) << "the board screen's results view goes with the editor";
        EXPECT_EQ(map->getLevelScreen(), nullptr);
        EXPECT_EQ(map->getController()->getLevelView(), nullptr);
        EXPECT_FALSE(map->isLevelRunning());
        EXPECT_TRUE(map->getLevelButtons()[0]->isEnabled());
        EXPECT_TRUE(map->getLevelButtons()[0]->isVisible());
        EXPECT_NE(map->getPimbrelModel(), nullptr);
    }
}

// The play test: the edited level opens on the real board screen; its edit button ends the
// level and the map comes back with its level buttons.
TEST_F(LevelScreensTest, TheEditorsPlayTestOpensTheBoardScreenAndItsEditButtonReturnsToTheMap) {
    openEditorMap();
    click(map->getLevelButtons()[0]);
    auto* editor = dynamic_cast<cMeadowEditorView*>(map->getLevelScreen());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(runUntil([&] { return editor->getState() == Engine::cFader::FADER_IDLE && editor->isEnabled(); }));

    click(editor->getPlayButton());
    cMeadowView* board = nullptr;
    ASSERT_TRUE(runUntil([&] {
        board = dynamic_cast<cMeadowView*>(map->getLevelScreen());
        return board && board != editor && board->isVisible() && board->getFieldView() &&
               !board->getFieldView()->isInputLocked();
    }));
    EXPECT_FALSE(Engine::isWidgetAlive(editor));
    EXPECT_TRUE(board->getPlayTest());
    EXPECT_FALSE(map->getModel()->isEditorMode());
    EXPECT_EQ(map->getController()->getLevelView(), board);
    ASSERT_TRUE(board->getEditButton()->isVisible());

    click(board->getEditButton());
    ASSERT_TRUE(runUntil([&] { return !Engine::isWidgetAlive(board) && !map->getLevelScreen() && map->isVisible(); }));
    EXPECT_FALSE(map->isLevelRunning());
    EXPECT_TRUE(map->getLevelButtons()[0]->isEnabled());
}

} // namespace
