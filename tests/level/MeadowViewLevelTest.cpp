// The board screen's level flow on a shipped level with the shipped layouts, the real
// controller and the real piece motions: the start (cells arrive, pieces fall in, input
// unlocks), the end of the level found by the controller, the results, Continue back to the
// owner through the screen switch, Replay once however often it is clicked, and Esc.

#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/BoardParts.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/bonus/BonusView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/InfoPanel.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/model/CellModel.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/model/ShippedModel.h"
#include "tests/model/fakes/FakeBonusEffect.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Engine;

namespace {

class OwnerScreen : public cScreen {
public:
    void onScreenShown(cScreenSwitcher*) override { log->push_back("owner shown"); }
    std::vector<std::string>* log = nullptr;
};

class FakeOwner : public IBoardOwner {
public:
    FakeOwner() { screen.log = &log; }
    const cVisual& getVisualState(const std::string& id) const override { return states.getVisualState(id); }
    cScreen* getOwnerScreen() override { return &screen; }
    void resumeMusic() override { log.push_back("resumeMusic"); }
    void restartLevel() override { log.push_back("restartLevel"); }
    void onLevelCompleted(ILevelScreen* screen) override {
        log.push_back("levelCompleted");
        completed = screen;
    }
    void showGameMenu() override { log.push_back("gameMenu"); }
    void setLevelButtonsEnabled(bool) override { log.push_back("levelButtons"); }
    bool isLevelEditorMode() override { return editorMode; }
    void setLevelRunning(bool running) override { log.push_back(running ? "running" : "stopped"); }
    int count(const std::string& entry) const { return int(std::count(log.begin(), log.end(), entry)); }

    TestLevel::TestStates states;
    OwnerScreen screen;
    std::vector<std::string> log;
    bool editorMode = false;
    ILevelScreen* completed = nullptr;
};

class MeadowViewLevelTest : public TestLevel::ScreenRig {
protected:
    void SetUp() override {
        startShipped(owner.states);
        // After the model, which seeds the generator with the time as the game does.
        randomSeed(5);
        // The first level that has no vehicles: those need the vehicle panel.
        for (level = 0; level < model->getLevelCount(); ++level) {
            model->loadLevel(level);
            if (model->getVehiclesFeature()->getLevelVehiclesCount() == 0)
                break;
        }
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    }
    // What the owner does to open a level.
    void openLevel(bool playTest = false) {
        board = TestLevel::openBoardScreen(&owner, model.get(), controller.get(), false, playTest);
        board->refresh();
        board->enable();
        board->fadeIn();
        board->startLevel(false);
    }
    // Frames until the board takes input; the number of frames, or -1.
    int untilUnlocked(int limit = 400) {
        for (int frame = 1; frame <= limit; ++frame) {
            ui.step();
            if (!board->getFieldView()->isInputLocked())
                return frame;
        }
        return -1;
    }
    // Nothing left to clear: the controller's next check ends the level.
    void clearGoals() {
        for (cCellModel* cell : model->getComplexCells()) {
            cell->setLocks(0);
            cell->setType(1);
            cell->setTriggerNumber(0);
        }
        model->getGoldPrizesLeft() = 0;
    }
    void toResults() {
        clearGoals();
        for (int frame = 0; frame < 800 && !board->getResultsView()->getContinueButton()->isEnabled(); ++frame)
            ui.step();
    }
    void clickButton(cTextButton* button) { ui.click(button->getPosition().x, button->getPosition().y); }

    FakeOwner owner;
    int level = 0;
};

} // namespace

TEST_F(MeadowViewLevelTest, ALevelStartsWithCellsArrivingThenPiecesFallingInThenUnlocks) {
    ASSERT_LT(level, model->getLevelCount());
    openLevel();
    cMeadowFieldView* field = board->getFieldView();
    ASSERT_NE(nullptr, field);
    EXPECT_TRUE(board->isPaused());
    EXPECT_TRUE(field->isInputLocked());
    ui.step();
    EXPECT_FALSE(field->getCellArrivals().empty());
    EXPECT_TRUE(field->getMotions().getNewLevelFalls().empty());
    bool sawFalls = false;
    int frame = 1;
    for (; frame < 400 && field->isInputLocked(); ++frame) {
        ui.step();
        if (!field->getMotions().getNewLevelFalls().empty()) {
            sawFalls = true;
            EXPECT_TRUE(field->getCellArrivals().empty());
            EXPECT_TRUE(field->isInputLocked());
        }
    }
    EXPECT_TRUE(sawFalls);
    ASSERT_FALSE(field->isInputLocked()) << "still locked after " << frame << " frames";
    EXPECT_FALSE(board->isPaused());
    EXPECT_FALSE(controller->isInputLocked());
    EXPECT_FALSE(field->isArrivalDone());
    EXPECT_EQ(1, sounds.count("object_fall_new_level"));
    EXPECT_TRUE(board->getBonusPanel()->isEnabled());
    EXPECT_TRUE(board->getGameMenuButton()->isEnabled());
    EXPECT_FALSE(board->getEditButton()->isVisible()); // only in the editor's play test
    // Once whatever the first moves started has settled, every piece stands on its cell.
    for (int settle = 0; settle < 200 && field->isBusy(); ++settle)
        ui.step();
    for (auto& entry : board->getObjectViews()) {
        if (entry.second->isVisible()) {
            EXPECT_EQ(field->getCellPositionOfView(entry.second), entry.second->getPosition());
        }
    }
}

TEST_F(MeadowViewLevelTest, AShippedLevelPlaysToItsResultsAndContinueGoesBackToTheOwner) {
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    toResults();
    cAchievementsView* results = board->getResultsView();
    ASSERT_TRUE(results->getContinueButton()->isEnabled());
    EXPECT_TRUE(results->isVisible());
    EXPECT_FALSE(results->getLines().empty());
    EXPECT_EQ(1, owner.count("stopped"));
    EXPECT_FALSE(board->cWidget::isEnabled());

    clickButton(results->getContinueButton());
    ui.steps(2);
    // The switch to the owner has started over the board as it stands, its controls hidden: no
    // fall of the pieces first, which would play behind a hidden board.
    EXPECT_FALSE(board->isLeavePending());
    EXPECT_TRUE(board->isVisible());
    EXPECT_TRUE(board->getFieldView()->isVisible());
    EXPECT_FALSE(board->getBonusPanel()->isVisible());
    EXPECT_TRUE(board->getFieldView()->getMotions().getEndLevelFalls().empty());
    EXPECT_EQ(0, sounds.count("object_fall_end_level"));
    // A second click and Enter while it fades leave no second time.
    clickButton(results->getContinueButton());
    ui.tapKey(Platform::KEY_ENTER);
    ui.steps(2);
    ILevelScreen* screen = board;
    ui.run(8.0f);
    EXPECT_EQ(1, owner.count("levelCompleted"));
    // The owner learns which of its screens completed, to let it go only if it is still its own.
    EXPECT_EQ(screen, owner.completed);
    EXPECT_EQ(1, owner.count("owner shown"));
    EXPECT_EQ(0, owner.count("restartLevel"));
    EXPECT_FALSE(isWidgetAlive(board));
    board = nullptr;
}

// The map may close a screen that has closed itself: the second close does nothing, and a closed
// screen gives the controller no level view.
TEST_F(MeadowViewLevelTest, ASecondCloseDoesNothingAndAClosedBoardHasNoLevelView) {
    openLevel();
    ILevelScreen* screen = board;
    EXPECT_EQ(screen->getLevelView(), static_cast<ILevelView*>(board));
    EXPECT_EQ(screen->getScreen(), static_cast<cScreen*>(board));
    screen->close();
    EXPECT_TRUE(board->isClosed());
    EXPECT_EQ(screen->getLevelView(), nullptr);
    EXPECT_EQ(controller->getLevelView(), nullptr) << "the controller keeps no pointer to a board that goes";
    screen->close();
    ui.step();
    EXPECT_FALSE(isWidgetAlive(board));
    board = nullptr;
}

TEST_F(MeadowViewLevelTest, ReplayFromTheResultsLowersTheProgressOnceAndRestartsOnTheSameBoard) {
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    toResults();
    const int next = model->getNextLevelNumber();
    cTextButton* replay = board->getResultsView()->getReplayButton();
    clickButton(replay);
    ui.step();
    clickButton(replay);
    ui.steps(2);
    clickButton(board->getResultsView()->getContinueButton());
    ui.run(6.0f);
    EXPECT_EQ(next - 1, model->getNextLevelNumber());
    EXPECT_EQ(1, owner.count("restartLevel"));
    EXPECT_EQ(0, owner.count("levelCompleted"));
    EXPECT_FALSE(board->isLeavePending());
    EXPECT_TRUE(isWidgetAlive(board));
}

TEST_F(MeadowViewLevelTest, EscOpensTheGameMenuAndNotWhileLocked) {
    openLevel();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(0, owner.count("gameMenu"));
    ASSERT_LT(0, untilUnlocked());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(1, owner.count("gameMenu"));
    EXPECT_TRUE(controller->isInputLocked());
}

TEST_F(MeadowViewLevelTest, InTheLevelEditorTheEndGoesStraightBackToTheOwner) {
    owner.editorMode = true;
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    board->finishLevel();
    EXPECT_FALSE(board->getResultsView()->isVisible());
    EXPECT_EQ(0, owner.count("stopped"));
    ui.run(4.0f);
    EXPECT_EQ(1, owner.count("levelCompleted"));
    board = nullptr;
}

TEST_F(MeadowViewLevelTest, EscCallsOffABonusWaitingForItsTargetButNotOneAlreadyActing) {
    // The board's own bonus effects come back for the tests that follow, whatever happens here.
    struct Restore {
        BoardParts::tBonusEffectFactory factory;
        ~Restore() { BoardParts::setBonusEffectFactory(factory); }
    } restore{BoardParts::getBonusEffectFactory()};
    BoardParts::setBonusEffectFactory(
        [](cMeadowView*, cMeadowModel*, int type) { return new TestFakes::FakeBonusEffect(type); });
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    controller->createBonusEffect(31);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    IBonusEffect* acting = controller->createBonusEffect(41);
    acting->setImmediate(true);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(acting, controller->getBonusEffect());
    EXPECT_EQ(0, owner.count("gameMenu"));
    controller->releaseBonusEffect(true);
}

TEST_F(MeadowViewLevelTest, ABonusGivenUpOnTheBoardLightsItsButtonAgainAtOnce) {
    // Given up with the right button anywhere, or with a left click off every cell.
    const struct {
        const char* how;
        int button;
        float x, y;
    } cases[] = {{"right button", 1, 512, 384}, {"left click off the board", 0, 8, 8}};
    // The map's own look table, which holds the bear's looks.
    IXmlNode* states = nullptr;
    ASSERT_TRUE(ui.layout("Meadow/View/DevelopmentView.xml")->findNode("States", states));
    owner.states.load(states);
    cGameResource* bear = model->getBonus(31);
    bear->available = 1;
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    // Once the board is still, nothing but the give-up itself can refresh the panel.
    for (int settle = 0; settle < 200 && board->getFieldView()->isBusy(); ++settle)
        ui.step();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        bear->points = bear->price;
        board->getBonusPanel()->refresh();
        cBonusView* button = board->getBonusPanel()->findButtonByType(31);
        ASSERT_NE(nullptr, button);
        ASSERT_TRUE(button->isEnabled());
        ui.click(button->getPosition().x, button->getPosition().y);
        ui.steps(2);
        ASSERT_NE(nullptr, controller->getBonusEffect());
        EXPECT_FALSE(button->isEnabled());
        ui.click(c.x, c.y, c.button);
        ui.steps(2);
        EXPECT_EQ(nullptr, controller->getBonusEffect());
        EXPECT_TRUE(button->isEnabled());
    }
}

TEST_F(MeadowViewLevelTest, AGoldPrizePassedDownCountsOnTheInfoPanelWhenItArrives) {
    // The first shipped level with gold prizes and no vehicles.
    for (level = 0; level < model->getLevelCount(); ++level) {
        model->loadLevel(level);
        if (model->getGoldPrizesTotal() > 0 && model->getVehiclesFeature()->getLevelVehiclesCount() == 0)
            break;
    }
    ASSERT_LT(level, model->getLevelCount());
    const int total = model->getGoldPrizesTotal();
    openLevel();
    ASSERT_LT(0, untilUnlocked());
    cLabel* counter = board->getInfoPanel()->getGoldText();
    ASSERT_NE(nullptr, counter);
    EXPECT_EQ(L"0/" + std::to_wstring(total), counter->getText());
    cMeadowObjectModel* prize = nullptr;
    for (int row = 0; row < model->getRows() && !prize; ++row)
        for (int column = 0; column < model->getColumns() && !prize; ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column))
                if (piece->getType() == cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE)
                    prize = piece;
    ASSERT_NE(nullptr, prize);
    // What the model does when a prize stands over nothing but the chute.
    controller->setInputLocked(true);
    model->removeObjectFromGrid(prize);
    model->m_objectPassedDownSignal(prize);
    --model->getGoldPrizesLeft();
    cMeadowFieldView* field = board->getFieldView();
    ASSERT_FALSE(field->getMotions().getToVehicle().empty());
    for (int frame = 0; frame < 100 && !field->getMotions().getToVehicle().empty(); ++frame)
        ui.step();
    EXPECT_TRUE(field->getMotions().getToVehicle().empty());
    EXPECT_EQ(L"1/" + std::to_wstring(total), counter->getText());
    // The money's flying number has no parent: it ends here, not in the next test's frames.
    ui.run(2.0f);
}

TEST_F(MeadowViewLevelTest, ThePlayTestsEditButtonEndsTheLevelStraightBackToTheEditor) {
    owner.editorMode = true;
    openLevel(true);
    ASSERT_LT(0, untilUnlocked());
    cTextButton* edit = board->getEditButton();
    EXPECT_TRUE(edit->isVisible());
    edit->getClickCallback()(edit);
    EXPECT_EQ(1, owner.count("levelButtons"));
    EXPECT_FALSE(board->getResultsView()->isVisible());
    ui.run(4.0f);
    EXPECT_EQ(1, owner.count("levelCompleted"));
    board = nullptr;
}

TEST(MeadowViewLooksTest, TheMapsShippedLookTableHasEveryLookTheBoardAsksFor) {
    TestSupport::UiHarness ui;
    TestLevel::writeShippedBoard(ui);
    ui.start();
    TestLevel::TestStates looks;
    TestLevel::loadShippedLooks(looks, ui);
    for (const char* id : {"selection", "cell0", "simple0", "simple1", "wood0", "wood1", "iron0", "iron1",
                           "cell_locks1", "cell_locks2", "mixing_bees"})
        EXPECT_NE(nullptr, looks.getVisualState(id).getPicture()) << id;
}
