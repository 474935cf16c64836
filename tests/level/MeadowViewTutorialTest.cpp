// The board screen's calls into the tutorial on the shipped levels, layouts and tips: the tips
// about what a level holds once its pieces are in (the board stays locked while one shows and
// opens when none is left), the move tip over the next-move prompt, and the charged chicken's
// tip. A new player sees the first tips of level 1.

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/bonus/BonusView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/CellModel.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/ArrowHelpTip.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "game/shell/TutorialManager.h"
#include "tests/level/BoardRig.h"
#include "tests/level/ShippedBoard.h"
#include "tests/level/TestStates.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/LayoutBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;

namespace {

// The tips a level's opening may ask for.
const int ARRIVAL_TIPS[] = {5, 7, 8, 11, 12, 13, 14, 15, 18, 19, 20};

// The map screen as the board and the tutorial see it: its shipped look table, and its input
// that a tip holds.
class MapOwner : public IBoardOwner, public ITutorialOwner {
public:
    const cVisual& getVisualState(const std::string& id) const override { return states.getVisualState(id); }
    cScreen* getOwnerScreen() override { return &screen; }
    void resumeMusic() override {}
    void restartLevel() override {}
    void onLevelCompleted(ILevelScreen*) override {}
    void showGameMenu() override { ++gameMenus; }
    void setLevelButtonsEnabled(bool) override {}
    bool isLevelEditorMode() override { return false; }
    void setLevelRunning(bool) override {}
    bool hasBoardModel() override { return true; }
    void lockInput(bool locked) override { inputLocked = locked; }
    bool isInterfaceActivated() override { return false; }

    TestLevel::TestStates states;
    cScreen screen;
    bool inputLocked = false;
    int gameMenus = 0;
};

class MeadowViewTutorialTest : public TestLevel::ScreenRig {
protected:
    void SetUp() override {
        gBoolProps.clear();
        startShipped(owner.states, {"Meadow/Images/Tutorial"});
        // After the model, which seeds the generator with the time as the game does.
        randomSeed(3);
        model->loadLevel(0);
        controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
    }
    void TearDown() override {
        closeScreen();
        tutorial.reset();
        ScreenRig::TearDown();
        gBoolProps.clear();
    }

    // The player's tutorial, reading the profile's flags; the map screen owns it.
    void startTutorial(std::initializer_list<int> seen = {}) {
        for (int id : seen)
            gBoolProps["tut" + std::to_string(id)] = true;
        tutorial = std::make_unique<cTutorialManager>();
        tutorial->setOwner(&owner);
    }
    // Every arrival tip but one already seen.
    void startTutorialShowingOnly(int tipId) {
        startTutorial();
        for (int id : ARRIVAL_TIPS)
            if (id != tipId)
                tutorial->setTipShown(id);
    }
    // What the map and its screen switch do to open a level.
    void openLevel(bool withoutControls = false) {
        board = TestLevel::openBoardScreen(&owner, model.get(), controller.get(), withoutControls);
        board->refresh();
        board->enable();
        board->show();
        board->lockVehiclePanel(true);
        // The switch from the map shows it as its second screen.
        board->onScreenShown(nullptr);
        controller->setInputLocked(false);
        board->startLevel(false);
    }
    // Frames until a tip shows or the board takes input; false when neither came.
    bool untilTipOrUnlocked() {
        for (int frame = 0; frame < 400; ++frame) {
            ui.step();
            if (tutorial->hasCurrentTip() || !board->getFieldView()->isInputLocked())
                return true;
        }
        return false;
    }
    // The player presses the tip's OK button.
    void pressOk() {
        ui.run(0.5f);
        cTextButton* ok = tutorial->getCurrentTip()->getOkButton();
        ui.click(ok->getPosition().x, ok->getPosition().y);
        ui.steps(2);
    }
    cArrowHelpTip* arrowTip() const { return dynamic_cast<cArrowHelpTip*>(tutorial->getCurrentTip()); }
    cMeadowObjectView* view(int row, int column) const {
        return board->getGameObjectView(model->getObject(row, column));
    }

    MapOwner owner;
    std::unique_ptr<cTutorialManager> tutorial;
};

} // namespace

TEST_F(MeadowViewTutorialTest, ANewPlayerSeesTheFirstTipsOfLevelOne) {
    startTutorial();
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    // Level 1's first wood cell, once the pieces are in.
    ASSERT_EQ(12, tutorial->getCurrentTipId());
    EXPECT_EQ(2, model->getCell(1, 0)->getType());
    EXPECT_EQ(board->getFieldView()->getCellPosition(1, 0), arrowTip()->getPointedPoint());
    EXPECT_TRUE(board->getFieldView()->getMotions().getNewLevelFalls().empty());
    EXPECT_TRUE(tutorial->getFader()->isVisible());
    EXPECT_TRUE(owner.inputLocked);
    // The board waits for the player to read it; the pieces take no click meanwhile.
    ui.run(3);
    EXPECT_TRUE(board->getFieldView()->isInputLocked());
    ui.click(view(3, 3)->getPosition().x, view(3, 3)->getPosition().y);
    ui.steps(2);
    EXPECT_EQ(nullptr, model->getSelected());
    pressOk();
    EXPECT_TRUE(gBoolProps["tut12"]);
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_FALSE(owner.inputLocked);
    EXPECT_FALSE(board->getFieldView()->isInputLocked());

    // No move for a while: the prompt shows, and the move tip follows it after its delay.
    float waited = 0;
    while (!board->getCurrentPrompt() && waited < 30) {
        ui.step();
        waited += ui.timer().getRealDelta();
    }
    ASSERT_NE(nullptr, board->getCurrentPrompt());
    EXPECT_TRUE(board->isHintTipPending());
    waited = 0;
    while (!tutorial->hasCurrentTip() && waited < 10) {
        ui.step();
        waited += ui.timer().getRealDelta();
    }
    ASSERT_EQ(1, tutorial->getCurrentTipId());
    EXPECT_NEAR(tutorial->getTipTimer(1), waited, 0.2f);
    EXPECT_EQ(board->getCurrentPrompt()->getOffset(), arrowTip()->getPointedPoint());
    EXPECT_FALSE(board->isHintTipPending());
    pressOk();
    EXPECT_TRUE(gBoolProps["tut1"]);
    EXPECT_FALSE(board->getFieldView()->isInputLocked());
    for (int id = 0; id < cTutorialManager::TIP_COUNT; ++id)
        if (id != 1 && id != 12) {
            EXPECT_FALSE(gBoolProps["tut" + std::to_string(id)]) << id;
        }
}

TEST_F(MeadowViewTutorialTest, APlayerWhoSawTheTipsGetsTheBoardAtOnce) {
    startTutorial({1, 12});
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_FALSE(board->getFieldView()->isInputLocked());
    EXPECT_FALSE(board->getFieldView()->isArrivalDone());
}

namespace {

// A level's feature, the tip it brings, and what that tip points at.
struct ArrivalCase {
    const char* name;
    int tipId;
    std::function<void(cMeadowModel&)> prepare;
    // The cell pointed at (row, column), or the bonus type whose button is pointed at.
    int row, column, bonusType;
};

class MeadowViewArrivalTipTest : public MeadowViewTutorialTest, public ::testing::WithParamInterface<ArrivalCase> {};

const ArrivalCase ARRIVAL_CASES[] = {
    {"wood", 12, [](cMeadowModel&) {}, 1, 0, 0},
    {"iron", 13, [](cMeadowModel& m) { m.getCell(0, 2)->setType(3); }, 0, 2, 0},
    {"one lock", 14, [](cMeadowModel& m) { m.getCell(3, 4)->setLocks(1); }, 3, 4, 0},
    {"two locks", 15, [](cMeadowModel& m) { m.getCell(4, 1)->setLocks(2); }, 4, 1, 0},
    {"trigger", 20, [](cMeadowModel& m) { m.getCell(5, 5)->setTriggerNumber(1); }, 5, 5, 0},
    {"gold", 18, [](cMeadowModel& m) { m.getObject(5, 2)->setType(102); }, 5, 2, 0},
    {"vehicle", 19, [](cMeadowModel& m) { m.getObject(5, 3)->setType(101); }, 5, 3, 0},
    {"chicken", 5, [](cMeadowModel& m) { m.getBonus(11)->available = 1; }, -1, -1, 11},
    {"bear", 7, [](cMeadowModel& m) { m.getBonus(31)->available = 2; }, -1, -1, 31},
    {"cat", 8, [](cMeadowModel& m) { m.getBonus(41)->available = 1; }, -1, -1, 41},
    {"mix", 11, [](cMeadowModel& m) { m.getBonus(71)->available = 1; }, -1, -1, 71},
};

} // namespace

TEST_P(MeadowViewArrivalTipTest, EachFeatureOfALevelShowsItsTipOnceThePiecesAreIn) {
    const ArrivalCase& test = GetParam();
    test.prepare(*model);
    startTutorialShowingOnly(test.tipId);
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    ASSERT_EQ(test.tipId, tutorial->getCurrentTipId());
    cArrowHelpTip* tip = arrowTip();
    ASSERT_NE(nullptr, tip);
    cMeadowObjectView* held = nullptr;
    if (test.bonusType) {
        cBonusView* button = board->getBonusPanel()->findButtonByType(test.bonusType);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(button, tip->getTarget());
    } else if (test.tipId == 18 || test.tipId == 19) {
        held = view(test.row, test.column);
        EXPECT_EQ(held, tip->getTarget());
        EXPECT_TRUE(held->isHighlighted());
    } else {
        EXPECT_EQ(nullptr, tip->getTarget());
        EXPECT_EQ(board->getFieldView()->getCellPosition(test.row, test.column), tip->getPointedPoint());
    }
    ui.run(1);
    EXPECT_TRUE(board->getFieldView()->isInputLocked());
    pressOk();
    EXPECT_TRUE(tutorial->isTipShown(test.tipId));
    EXPECT_FALSE(board->getFieldView()->isInputLocked());
    EXPECT_FALSE(tutorial->hasCurrentTip());
    if (held) {
        EXPECT_FALSE(held->isHighlighted());
        EXPECT_EQ(cMeadowObjectModel::IDLE, held->getObject()->getState());
    }
}

INSTANTIATE_TEST_SUITE_P(Features, MeadowViewArrivalTipTest, ::testing::ValuesIn(ARRIVAL_CASES),
                         [](const ::testing::TestParamInfo<ArrivalCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

TEST_F(MeadowViewTutorialTest, ABoardWithoutBonusPanelHasNoBonusToPointAtAndOpens) {
    model->getBonus(11)->available = 1;
    startTutorialShowingOnly(5);
    openLevel(true);
    ASSERT_EQ(nullptr, board->getBonusPanel());
    ASSERT_TRUE(untilTipOrUnlocked());
    EXPECT_FALSE(tutorial->hasCurrentTip());
    EXPECT_FALSE(board->getFieldView()->isInputLocked());
    EXPECT_FALSE(tutorial->isTipShown(5));
}

TEST_F(MeadowViewTutorialTest, TheArrivalTipsFollowOneAnotherBeforeTheBoardOpens) {
    model->getCell(0, 2)->setType(3);
    model->getBonus(11)->available = 1;
    startTutorial();
    openLevel();
    std::vector<int> seen;
    while (untilTipOrUnlocked() && tutorial->hasCurrentTip()) {
        seen.push_back(tutorial->getCurrentTipId());
        EXPECT_TRUE(board->getFieldView()->isInputLocked());
        pressOk();
    }
    EXPECT_EQ((std::vector<int>{12, 13, 5}), seen);
    EXPECT_FALSE(board->getFieldView()->isInputLocked());
}

TEST_F(MeadowViewTutorialTest, TheChargedChickenShowsItsTipWhileTheBoardIsOpen) {
    model->getBonus(11)->available = 1;
    startTutorial({5, 12});
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    ASSERT_FALSE(tutorial->hasCurrentTip());
    cBonusView* chicken = board->getBonusPanel()->getChickenButton();
    ASSERT_NE(nullptr, chicken);
    // Not charged: the button is off and nothing points at it.
    board->refresh();
    EXPECT_FALSE(tutorial->hasCurrentTip());
    cGameResource* record = model->getBonus(11);
    record->points = record->price;
    // A locked board has its buttons off too.
    board->setInputLocked(true);
    board->refresh();
    EXPECT_FALSE(tutorial->hasCurrentTip());
    board->setInputLocked(false);
    board->refresh();
    ASSERT_EQ(16, tutorial->getCurrentTipId());
    EXPECT_EQ(chicken, arrowTip()->getTarget());
    // The button takes no click while the tip shows.
    ui.click(chicken->getPosition().x, chicken->getPosition().y);
    ui.steps(2);
    EXPECT_EQ(nullptr, controller->getBonusEffect());
    pressOk();
    EXPECT_TRUE(tutorial->isTipShown(16));
}

TEST_F(MeadowViewTutorialTest, ATipAskedWhileTheNoMovesPanelShowsComesOnlyOnceThePanelHasGone) {
    model->getBonus(11)->available = 1;
    startTutorial({5, 12, 13});
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    ASSERT_FALSE(tutorial->hasCurrentTip());
    for (int settle = 0; settle < 200 && board->getFieldView()->isBusy(); ++settle)
        ui.step();
    // The panel's drop, wait and leave, as its shipped layout times them.
    IXmlNode* layout = ui.layout("Meadow/View/NoMovesPanel.xml");
    float shows = 0;
    for (const wchar_t* key : {L"move_down_time", L"wait_time", L"move_down_time2"})
        shows += std::stof(layout->getAttribute(key));

    model->m_noMovesSignal();
    ASSERT_TRUE(tutorial->areTipsHeld());
    ui.step();
    // The chicken charges while the panel drops: its tip is asked for at once.
    cGameResource* record = model->getBonus(11);
    record->points = record->price;
    board->setInputLocked(false);
    board->refresh();
    EXPECT_FALSE(tutorial->hasCurrentTip());
    float waited = ui.FRAME_TIME;
    for (; waited < shows + 1 && !tutorial->hasCurrentTip(); waited += ui.FRAME_TIME) {
        ui.step();
        if (tutorial->hasCurrentTip()) {
            EXPECT_FALSE(tutorial->areTipsHeld());
        }
    }
    ASSERT_TRUE(tutorial->hasCurrentTip());
    EXPECT_GE(waited, shows - ui.FRAME_TIME);
    EXPECT_EQ(16, tutorial->getCurrentTipId());
    EXPECT_EQ(board->getBonusPanel()->getChickenButton(), arrowTip()->getTarget());
    // The flying numbers of the mixed board's matches have no parent: they end within the test.
    pressOk();
    ui.run(2.0f);
}

TEST_F(MeadowViewTutorialTest, EscAndTheMenuButtonWaitWhileATipIsOpen) {
    startTutorial({1, 12});
    openLevel();
    ASSERT_TRUE(untilTipOrUnlocked());
    ASSERT_TRUE(tutorial->checkAndShow(17, cTutorialManager::TIP_COMMON, nullptr, nullptr, cVector2(), false));
    ui.run(0.5f);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    cTextButton* menu = board->getGameMenuButton();
    menu->getClickCallback()(menu);
    EXPECT_EQ(0, owner.gameMenus);
    EXPECT_FALSE(controller->isInputLocked());
    pressOk();
    ASSERT_FALSE(tutorial->hasCurrentTip());
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.steps(2);
    EXPECT_EQ(1, owner.gameMenus);
}

namespace {

// The kinds of level, each by what its board holds, and the words its goal is said in.
struct LevelKind {
    const char* name;
    bool (*has)(cMeadowModel& model);
    std::vector<std::wstring> goal;
};

bool hasCell(cMeadowModel& model, bool (*test)(cCellModel*)) {
    for (int row = 0; row < model.getRows(); ++row)
        for (int column = 0; column < model.getColumns(); ++column)
            if (cCellModel* cell = model.getCell(row, column))
                if (test(cell))
                    return true;
    return false;
}

const LevelKind LEVEL_KINDS[] = {
    {"crates",
     [](cMeadowModel& m) { return hasCell(m, [](cCellModel* c) { return c->getType() == 2; }); },
     {L"every crate", L"to win"}},
    {"iron plates",
     [](cMeadowModel& m) { return hasCell(m, [](cCellModel* c) { return c->getType() == 3; }); },
     {L"every plate", L"to win"}},
    {"twine",
     [](cMeadowModel& m) { return hasCell(m, [](cCellModel* c) { return c->getLocks() == 1; }); },
     {L"every tied piece", L"to win"}},
    {"chains",
     [](cMeadowModel& m) { return hasCell(m, [](cCellModel* c) { return c->getLocks() == 2; }); },
     {L"every chained piece", L"to win"}},
    {"surprises",
     [](cMeadowModel& m) { return hasCell(m, [](cCellModel* c) { return c->getTriggerNumber() > 0; }); },
     {L"every surprise", L"to win"}},
    {"gold", [](cMeadowModel& m) { return m.getGoldPrizesTotal() > 0; }, {L"every sack", L"to win"}},
    {"vehicles",
     [](cMeadowModel& m) { return m.getVehiclesFeature()->getLevelVehiclesCount() > 0; },
     {L"every cart", L"to win"}},
};

// The cell tips of the field view, by the index of its tip places.
const int CELL_TIPS[] = {12, 13, 14, 15, 20};

std::wstring lowered(std::wstring text) {
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(wint_t(c)));
    return text;
}

} // namespace

TEST_F(MeadowViewTutorialTest, TheFirstTipOfEachKindOfLevelSaysHowThatLevelIsWon) {
    // A player who plays the shipped levels in order has seen the tips of the earlier levels:
    // those the field asks for once the level's pieces are in.
    std::vector<int> seen;
    // As a new level does, leaving no vehicle of the last one.
    auto load = [&](int level) {
        model->getVehiclesFeature()->clear();
        model->loadLevel(level);
    };
    auto askedOn = [&](int level) {
        load(level);
        board = new cMeadowView(&owner, model.get(), controller.get());
        board->initLevel(false);
        std::vector<int> asked;
        for (int index = 0; index < 5; ++index)
            if (board->getFieldView()->getTipPosition(index).x != -1)
                asked.push_back(CELL_TIPS[index]);
        for (int type : {cMeadowObjectModel::VEHICLE_OBJECT_TYPE, cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE})
            for (int row = 0; row < model->getRows(); ++row)
                for (int column = 0; column < model->getColumns(); ++column)
                    if (cMeadowObjectModel* piece = model->getObject(row, column))
                        if (piece->getType() == type && piece->getState() != cMeadowObjectModel::HIDDEN_STATE &&
                            std::find(asked.begin(), asked.end(),
                                      type == cMeadowObjectModel::VEHICLE_OBJECT_TYPE ? 19 : 18) == asked.end())
                            asked.push_back(type == cMeadowObjectModel::VEHICLE_OBJECT_TYPE ? 19 : 18);
        board->close();
        ui.step();
        board = nullptr;
        return asked;
    };
    bool done[std::size(LEVEL_KINDS)] = {};
    size_t kinds = 0;
    for (int level = 0; level < model->getLevelCount() && kinds < std::size(LEVEL_KINDS); ++level) {
        const std::vector<int> asked = askedOn(level);
        load(level);
        std::vector<size_t> firstHere;
        for (size_t kind = 0; kind < std::size(LEVEL_KINDS); ++kind)
            if (!done[kind] && LEVEL_KINDS[kind].has(*model)) {
                done[kind] = true;
                firstHere.push_back(kind);
            }
        for (size_t kind : firstHere) {
            ++kinds;
            SCOPED_TRACE(std::string(LEVEL_KINDS[kind].name) + " from level " + std::to_string(level + 1));
            int first = -1;
            for (int id : asked)
                if (first < 0 && std::find(seen.begin(), seen.end(), id) == seen.end())
                    first = id;
            ASSERT_GE(first, 0) << "the level shows no tip of its own";
            // The real board shows it first.
            tutorial.reset();
            gBoolProps.clear();
            controller.reset();
            controller = std::make_unique<cMeadowController>(model.get(), nullptr, false);
            startTutorial();
            for (int id : seen)
                tutorial->setTipShown(id);
            load(level);
            openLevel();
            ASSERT_TRUE(untilTipOrUnlocked());
            ASSERT_TRUE(tutorial->hasCurrentTip());
            EXPECT_EQ(first, tutorial->getCurrentTipId());
            const std::wstring text = lowered(tutorial->getTipText(tutorial->getCurrentTipId()));
            for (const std::wstring& words : LEVEL_KINDS[kind].goal)
                EXPECT_NE(std::wstring::npos, text.find(words))
                    << "\"" << wideToNarrow(words) << "\" not in \"" << wideToNarrow(text) << "\"";
            // The whole text stands in the tip's text box.
            cMultilineText* box = tutorial->getCurrentTip()->getText();
            for (cLabel* line : box->getLines())
                EXPECT_TRUE(TestSupport::textBox(*line).inside(TestSupport::spriteBox(*box)))
                    << TestSupport::textBox(*line) << " outside " << TestSupport::spriteBox(*box);
            tutorial->closeCurrentTip();
            board->close();
            ui.step();
            board = nullptr;
        }
        seen.insert(seen.end(), asked.begin(), asked.end());
    }
    EXPECT_EQ(std::size(LEVEL_KINDS), kinds) << "a kind of level that no shipped level has";
}
