// The whole game as a player gets it: the program on the shipped data folder, driven through the
// frame loop by a scripted player who acts only with the mouse. A first start with an empty user
// folder makes a player, plays the first levels from the map with an upgrade bought between them,
// quits, and the next start goes on where the player was; a level left half-way is saved with the
// player and resumed after a restart. A run that ends with the board's no-moves panel up tears
// down whatever the order of its root widgets.

#include "engine/core/ProfileManager.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/TextButton.h"
#include "engine/media/SoundSystem.h"
#include "game/development/DevelopmentView.h"
#include "game/level/MeadowView.h"
#include "game/level/field/NoMovesPanel.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/MainMenu.h"
#include "tests/app/EndToEndPlayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using EndToEnd::GameRun;
using EndToEnd::ScriptedPlayer;

namespace {

// What is left to clear, as rows of cells, the top row first: each cell's type and locks, and the
// prize on it ('.' for no cell). The loose pieces are dealt afresh on a resume; these are kept.
std::vector<std::string> levelRows(cMeadowModel* model) {
    std::vector<std::string> rows;
    for (int32_t row = model->getRows() - 1; row >= 0; --row) {
        std::string text;
        for (int32_t column = 0; column < model->getColumns(); ++column) {
            cCellModel* cell = model->getCell(row, column);
            cMeadowObjectModel* piece = model->getObject(row, column);
            text += cell ? std::to_string(cell->getType()) + "/" + std::to_string(cell->getLocks()) : ".";
            text += piece && piece->getPrizeFlag() ? "p " : " ";
        }
        rows.push_back(text);
    }
    return rows;
}

class EndToEndTest : public ::testing::Test {
protected:
    // The user folder every start of the test shares.
    TestSupport::TempFolder home;

    void SetUp() override { std::filesystem::create_directories(userFolder()); }

    std::string userFolder() const { return home.file("user"); }
    // Every file the game keeps in the user folder, by path.
    std::vector<std::string> userFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(userFolder()))
            if (entry.is_regular_file())
                names.push_back(std::filesystem::relative(entry.path(), userFolder()).generic_string());
        return names;
    }
};

TEST_F(EndToEndTest, AFirstStartPlaysTheFirstLevelsAndTheNextStartGoesOnFromThere) {
    int32_t nextLevel = 0;
    int32_t money = 0;
    {
        GameRun run(userFolder());
        ScriptedPlayer player(run);
        ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
        ASSERT_TRUE(player.newPlayerDialogShown()) << "an empty user folder asks for a player"
                                                   << ": " << player.describe();
        ASSERT_TRUE(player.createPlayer(L"Robin")) << player.describe();
        EXPECT_EQ(Engine::getProfileManager()->getCurrentName(), L"Robin");

        // No level saved: the start goes through the map straight into the first level.
        ASSERT_TRUE(player.startFromMenu()) << player.describe();
        ASSERT_TRUE(player.boardReady()) << player.describe();
        cMeadowModel* model = player.mapView()->getModel();
        EXPECT_EQ(model->getCurrentLevel(), 0);
        ASSERT_TRUE(player.playToResults()) << "the first level is won by mouse"
                                            << ": " << player.describe();
        ASSERT_TRUE(player.continueToMap()) << player.describe();
        EXPECT_EQ(model->getNextLevelNumber(), 1);

        // An upgrade is bought as soon as the money reaches the cheapest.
        bool bought = false;
        for (int32_t level = 1; level <= 3; ++level) {
            SCOPED_TRACE(level);
            if (!bought && player.affordableUpgrade()) {
                ASSERT_TRUE(player.buyUpgrade()) << player.describe();
                bought = true;
            }
            ASSERT_TRUE(player.playNextLevel()) << player.describe();
            EXPECT_EQ(model->getCurrentLevel(), level);
            ASSERT_TRUE(player.playToResults()) << player.describe();
            ASSERT_TRUE(player.continueToMap()) << player.describe();
        }
        if (!bought) {
            ASSERT_TRUE(player.buyUpgrade()) << "four levels pay for an upgrade: " << player.describe();
        }
        nextLevel = model->getNextLevelNumber();
        money = model->getResourcePoints(1);
        EXPECT_EQ(nextLevel, 4);
        ASSERT_TRUE(player.leaveMapForMenu()) << player.describe();
        ASSERT_TRUE(player.quit()) << player.describe();
    }

    GameRun run(userFolder());
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.menuShown()) << "the player is known: no new-player dialog"
                                    << ": " << player.describe();
    EXPECT_EQ(Engine::getProfileManager()->getCurrentName(), L"Robin");
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.boardReady()) << "no level was left: the start opens the next one"
                                     << ": " << player.describe();
    cMeadowModel* model = player.mapView()->getModel();
    EXPECT_EQ(model->getCurrentLevel(), nextLevel);
    EXPECT_EQ(model->getResourcePoints(1), money);
    ASSERT_TRUE(player.playToResults()) << player.describe();
    ASSERT_TRUE(player.continueToMap()) << player.describe();
    EXPECT_EQ(model->getNextLevelNumber(), nextLevel + 1);
}

// The board fills with the bonus pieces that four-runs and five-runs leave: the scripted player
// sets them off as a player does, with two clicks on the piece.
TEST_F(EndToEndTest, ThePlayerSetsOffABonusPieceByClickingItTwice) {
    GameRun run(userFolder());
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.createPlayer(L"Kim")) << player.describe();
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.waitForRest()) << player.describe();
    cMeadowView* board = player.board();
    cMeadowModel* model = board->getModel();
    // A blast in the middle of the board among wood cells clears more than any swap.
    const int32_t row = model->getRows() / 2, column = model->getColumns() / 2;
    cMeadowObjectModel* blast = model->getObject(row, column);
    ASSERT_TRUE(blast && !blast->getPrizeFlag()) << player.describe();
    blast->setType(cMeadowObjectModel::BLAST_BONUS);
    blast->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
    for (int32_t r = row - 1; r <= row + 1; ++r)
        for (int32_t c = column - 1; c <= column + 1; ++c)
            if ((r != row || c != column) && model->getCell(r, c)->getType() == 1)
                model->getCell(r, c)->setType(2);
    ASSERT_TRUE(player.makeMove()) << player.describe();
    ASSERT_TRUE(player.waitForRest()) << player.describe();
    EXPECT_EQ(board->getController()->getBlastsUsed(), 1);
    for (int32_t row = 0; row < model->getRows(); ++row)
        for (int32_t column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                EXPECT_EQ(piece->getBonusTag(), 0) << "the blast went off: " << player.describe();
            }
}

// A match freezes its cells for a moment; a level left within that moment was saved with them
// frozen, and after the resume they stayed frozen for good: nothing fell into them again.
TEST_F(EndToEndTest, CellsFrozenWhenTheLevelWasLeftAreFreeAfterTheResume) {
    {
        GameRun run(userFolder());
        ScriptedPlayer player(run);
        ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
        ASSERT_TRUE(player.createPlayer(L"Lee")) << player.describe();
        ASSERT_TRUE(player.startFromMenu()) << player.describe();
        ASSERT_TRUE(player.waitForRest()) << player.describe();
        cMeadowModel* model = player.mapView()->getModel();
        for (int32_t column = 0; column < model->getColumns(); ++column)
            if (cCellModel* cell = model->getCell(0, column))
                cell->setFrozen(true);
        ASSERT_TRUE(player.leaveLevelForMenu()) << player.describe();
        ASSERT_TRUE(player.quit()) << player.describe();
    }
    GameRun run(userFolder());
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.answerSavedLevel(true)) << player.describe();
    ASSERT_TRUE(player.waitForRest()) << player.describe();
    cMeadowModel* model = player.mapView()->getModel();
    for (int32_t column = 0; column < model->getColumns(); ++column)
        if (cCellModel* cell = model->getCell(0, column)) {
            EXPECT_FALSE(cell->isFrozen()) << "column " << column;
        }
    ASSERT_TRUE(player.playToResults()) << player.describe();
}

TEST_F(EndToEndTest, ALevelLeftHalfWayIsResumedAfterARestart) {
    int32_t level = 0;
    std::vector<std::string> cells;
    int32_t prizesLeft = 0;
    int32_t money = 0;
    {
        GameRun run(userFolder());
        ScriptedPlayer player(run);
        ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
        ASSERT_TRUE(player.createPlayer(L"Sam")) << player.describe();
        ASSERT_TRUE(player.startFromMenu()) << player.describe();
        // A few moves into a level; a short level won meanwhile leads to the next one.
        for (int32_t tries = 0; tries < 5; ++tries) {
            ASSERT_GT(player.playMoves(2), 0) << player.describe();
            if (player.waitForRest())
                break;
            ASSERT_TRUE(player.continueToMap()) << player.describe();
            ASSERT_TRUE(player.playNextLevel()) << player.describe();
        }
        ASSERT_TRUE(player.boardReady()) << player.describe();
        cMeadowModel* model = player.mapView()->getModel();
        level = model->getCurrentLevel();
        cells = levelRows(model);
        prizesLeft = model->getGoldPrizesLeft();
        money = model->getResourcePoints(1);
        ASSERT_TRUE(player.leaveLevelForMenu()) << player.describe();
        ASSERT_TRUE(player.quit()) << player.describe();
    }

    GameRun run(userFolder());
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.menuShown()) << player.describe();
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.savedLevelOffered()) << "the level left half-way is offered"
                                            << ": " << player.describe();
    ASSERT_TRUE(player.answerSavedLevel(true)) << player.describe();
    cMeadowModel* model = player.mapView()->getModel();
    EXPECT_EQ(model->getCurrentLevel(), level);
    EXPECT_EQ(levelRows(model), cells) << "the level goes on from where it was left";
    EXPECT_EQ(model->getGoldPrizesLeft(), prizesLeft);
    EXPECT_EQ(model->getResourcePoints(1), money);
    ASSERT_TRUE(player.playToResults()) << player.describe();
    ASSERT_TRUE(player.continueToMap()) << player.describe();
    EXPECT_EQ(model->getNextLevelNumber(), level + 1);
}

// The program's own sound system hears the board: a move plays its match, and a match on a crate
// breaks it with a knock, in the audio the null output hands on (the music turned off, as the
// options allow, leaves the effects alone there).
TEST_F(EndToEndTest, TheBoardsMatchAndCrateAreHeardThroughTheSoundSystem) {
    GameRun run(userFolder(), true);
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.createPlayer(L"Robin")) << player.describe();
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.boardReady()) << player.describe();
    Engine::getSoundSystem()->setMusicVolume(0);

    // How plainly the likeliest of a sound's takes was heard.
    const auto mismatch = [&](const std::vector<std::string>& files) {
        double best = 1e9;
        for (const std::string& file : files)
            best = std::min(best, EndToEnd::heardMismatch(run.ui(), "Meadow/Sounds/" + file));
        return best;
    };
    std::vector<std::string> matches;
    for (int32_t n = 1; n <= 17; ++n)
        matches.push_back("match" + std::to_string(n) + ".ogg");
    const std::vector<std::string> crates{"wood_cell_crash.ogg", "wood_cell_crash2.ogg", "wood_cell_crash3.ogg"};
    double match = 1e9, crate = 1e9;
    for (int32_t move = 0; move < 20 && (match > 0.3 || crate > 0.3) && !player.resultsShown(); ++move) {
        run.ui().heard().clear();
        ASSERT_TRUE(player.makeMove()) << player.describe();
        player.waitForRest();
        match = std::min(match, mismatch(matches));
        crate = std::min(crate, mismatch(crates));
    }
    EXPECT_LE(match, 0.3) << "a match sound";
    EXPECT_LE(crate, 0.3) << "a crate's knock";
}

// The game's own buttons sound like the engine's dialogs: the menu's Options button ticks as the
// cursor comes onto it and clicks when pressed, heard from the program's sound system.
TEST_F(EndToEndTest, TheMenusButtonsAreHeardTickingAndClicking) {
    GameRun run(userFolder(), true);
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.createPlayer(L"Robin")) << player.describe();
    Engine::getSoundSystem()->setMusicVolume(0);
    TestSupport::UiHarness& ui = run.ui();
    const Engine::cVector2 options = getMainMenu()->getOptionsButton()->getPosition();
    ui.moveTo(5, 5);
    ui.steps(4);

    ui.heard().clear();
    ui.moveTo(options.x, options.y);
    ui.steps(8);
    EXPECT_LE(EndToEnd::heardMismatch(ui, "Meadow/Sounds/btn_hovered.ogg"), 0.3) << "a tick as the cursor comes on";
    EXPECT_GT(EndToEnd::heardMismatch(ui, "Meadow/Sounds/btn_clicked.ogg"), 0.3) << "no click yet";

    ui.heard().clear();
    ui.press();
    ui.step();
    ui.release();
    ui.steps(8);
    EXPECT_LE(EndToEnd::heardMismatch(ui, "Meadow/Sounds/btn_clicked.ogg"), 0.3) << "a click on the press";
}

// A session that fails on a level (the scripted player stuck) ends with the run's sweep of the
// root widgets, in the order of their addresses. The no-moves panel's action queue is a root of its
// own: when it lies before the panel it goes first, and the panel then hands it over for deletion.
TEST_F(EndToEndTest, ARunEndedWhileTheNoMovesPanelShowsTearsDownWhateverTheOrderOfItsRoots) {
    GameRun run(userFolder());
    ScriptedPlayer player(run);
    ASSERT_TRUE(player.reachFrontEnd()) << player.describe();
    ASSERT_TRUE(player.createPlayer(L"Sam")) << player.describe();
    ASSERT_TRUE(player.startFromMenu()) << player.describe();
    ASSERT_TRUE(player.waitForRest()) << player.describe();
    // What the model signals when no move is left.
    player.board()->getModel()->m_noMovesSignal();
    player.ui().steps(2);
    cNoMovesPanel* panel = nullptr;
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        if (auto* shown = dynamic_cast<cNoMovesPanel*>(widget))
            panel = shown;
    ASSERT_NE(panel, nullptr) << player.describe();
    cActionQueue* queue = panel->getQueue();
    delete queue;
    delete panel;
    EXPECT_EQ(Engine::getPendingDeletions().count(queue), 0u) << "a deleted queue waits for deletion";
    // The run's end sweeps the other roots and flushes the deferred deletions.
}

} // namespace
