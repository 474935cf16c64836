// The screenshot tour: the whole program on the shipped data through its wiring, drawn by OpenGL
// on headless EGL, walked as a new player walks it: the logo, the loading screen, the new-player
// dialog, the main menu, the options, the first level's board with its goal tip and at its start,
// a cascade, a bonus, an award's sign, the results, the first map with its plots, the looks of an
// offer and the question before it is built, and the awards; then the level editor and, in its
// play test, a level with a vehicle. Each stop checks that the screen it shows is up and not
// blank, and that every text it shows reads at the WCAG AA contrast against the pixels around its
// letters. With MEADOW_UPDATE_DOCS=1 each is written to docs/tour/ at half size (512 x 384);
// docs/tour.md shows them.

#include "engine/core/ProfileManager.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/platform/KeyCodes.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/InfoPanel.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/RandomDraw.h"
#include "game/model/VehicleModel.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/AwardInfoPanel.h"
#include "game/shell/Options.h"
#include "game/shell/TutorialManager.h"
#include "tests/app/GameSession.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TextContrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using Engine::cVector2;

namespace {

// The pictures' size.
constexpr int WIDTH = 512, HEIGHT = 384;
// The tutorial's tips: the first level's goal (its crates) and an offer the player can pay.
constexpr int GOAL_TIP = 12, UPGRADE_TIP = 2;
constexpr uint32_t TOUR_SEED = 1;

class TourTest : public ::testing::Test {
protected:
    // The same deals on every run, so that the pictures change only when the game does: the
    // model seeds the generator afresh (with the time, unless pinned) whenever a level starts.
    void SetUp() override { RandomDraw::pinSeed(TOUR_SEED); }
    void TearDown() override { RandomDraw::pinSeed(std::nullopt); }

    // Reads the frame (the window's size), checks it is a picture (many
    // colours) and writes it at 512 x 384, each pixel the mean of the box it covers.
    void shoot(GameSession::Session& session, const std::string& name) {
        session.ui.steps(2);
        int width = 0, height = 0;
        session.ui.renderDevice().getBackBufferSize(width, height);
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(session.ui.renderDevice().readBackBuffer(0, 0, width, height, pixels));
        std::vector<uint32_t> small(size_t(WIDTH) * size_t(HEIGHT));
        std::set<uint32_t> colours;
        for (int y = 0; y < HEIGHT; ++y)
            for (int x = 0; x < WIDTH; ++x) {
                const int left = x * width / WIDTH, right = std::max(left + 1, (x + 1) * width / WIDTH);
                const int top = y * height / HEIGHT, bottom = std::max(top + 1, (y + 1) * height / HEIGHT);
                unsigned sum[3] = {0, 0, 0}, count = 0;
                for (int sy = top; sy < bottom; ++sy)
                    for (int sx = left; sx < right; ++sx, ++count) {
                        const uint32_t p = pixels[size_t(sy) * size_t(width) + size_t(sx)];
                        for (int c = 0; c < 3; ++c)
                            sum[c] += (p >> (16 - 8 * c)) & 0xFFu;
                    }
                const uint32_t out =
                    0xFF000000u | ((sum[0] / count) << 16) | ((sum[1] / count) << 8) | (sum[2] / count);
                small[size_t(y) * WIDTH + size_t(x)] = out;
                colours.insert(out & 0xF0F0F0u);
            }
        EXPECT_GT(colours.size(), 30u) << name << " is nearly blank";
        if (const char* update = std::getenv("MEADOW_UPDATE_DOCS"); update && std::string(update) == "1") {
            ASSERT_TRUE(TestSupport::writeRgbPng(std::string(MEADOW_SOURCE_DIR) + "/docs/tour/" + name, small, WIDTH, 0,
                                                 0, WIDTH, HEIGHT))
                << name;
        }
    }
    // Every text the screen shows reads at its AA figure, the named ones among them.
    static void expectTextsRead(GameSession::Session& session, const std::string& screen,
                                std::initializer_list<std::wstring> named) {
        int width = 0, height = 0;
        session.ui.renderDevice().getBackBufferSize(width, height);
        const std::vector<std::wstring> measured = TestSupport::expectShownTextsRead(
            [&] {
                std::vector<uint32_t> pixels;
                session.ui.steps(2);
                session.ui.renderDevice().readBackBuffer(0, 0, width, height, pixels);
                return pixels;
            },
            width, screen);
        for (const std::wstring& text : named)
            EXPECT_NE(std::find(measured.begin(), measured.end(), text), measured.end())
                << screen << ": \"" << Engine::wideToNarrow(text) << "\" is not shown";
    }
    // Runs frames until the condition holds, leaving the tips that come up on the screen.
    template <class Condition> static bool waitFor(GameSession::Session& session, Condition condition, float seconds) {
        for (float t = 0; t < seconds && !condition(); t += TestSupport::UiHarness::FRAME_TIME)
            session.ui.step();
        return condition();
    }
    static cAwardInfoPanel* awardSign() {
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* sign = dynamic_cast<cAwardInfoPanel*>(widget); sign && sign->isVisible())
                return sign;
        return nullptr;
    }
    static void clickWidget(GameSession::Session& session, const Engine::cSprite* widget) {
        session.click(widget->getPosition());
    }
    static void dropBottomRows(cMeadowView* board, int rows) {
        cMeadowModel* model = board->getModel();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < model->getColumns(); ++column)
                if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                    if (cMeadowObjectView* view = board->getGameObjectView(piece))
                        view->hide();
                    model->removeObjectAt(row, column);
                }
        model->checkAfterMove();
        board->getFieldView()->startObjectMotions();
    }
    static bool atRest(cMeadowView* board) {
        return !board->getFieldView()->isBusy() && !board->getModel()->hasBusyObject();
    }
    // The piece view nearest the board's middle.
    static cMeadowObjectView* middlePiece(cMeadowView* board) {
        cMeadowModel* model = board->getModel();
        for (int ring = 0; ring < model->getRows(); ++ring)
            for (int row = model->getRows() / 2 - ring; row <= model->getRows() / 2 + ring; ++row)
                for (int column = model->getColumns() / 2 - ring; column <= model->getColumns() / 2 + ring; ++column)
                    if (row >= 0 && column >= 0 && row < model->getRows() && column < model->getColumns())
                        if (cMeadowObjectModel* piece = model->getObject(row, column))
                            if (cMeadowObjectView* view = board->getGameObjectView(piece))
                                return view;
        return nullptr;
    }
};

TEST_F(TourTest, ANewPlayerFromTheLogoToTheAwards) {
    GameSession::Session session(true, false);
    std::string reason;
    if (!session.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    auto& ui = session.ui;
    session.create();

    ui.run(2.5f);
    shoot(session, "logo.png");
    ui.tapKey(Platform::KEY_SPACE);
    ui.run(2.5f);
    ui.tapKey(Platform::KEY_SPACE);
    ui.run(1.25f);
    shoot(session, "loading.png");

    // The loading ends and asks for a key; a new player is asked for a name.
    const auto dialogUp = [] { return Engine::getNewUserDialog() && Engine::getNewUserDialog()->isVisible(); };
    for (int tries = 0; tries < 20 && !dialogUp(); ++tries) {
        ui.run(0.5f);
        ui.tapKey(Platform::KEY_SPACE);
    }
    ASSERT_TRUE(session.runUntil(dialogUp, 2.0f));
    ui.run(1.0f);
    ui.type(L"Anna");
    ui.step();
    shoot(session, "new-player.png");
    expectTextsRead(session, "new player", {L"Welcome to Meadow!", L"Please type your name:", L"OK"});
    ui.tapKey(Platform::KEY_ENTER);
    ASSERT_TRUE(session.runUntil(GameSession::Session::menuUp, 5.0f));
    ASSERT_NE(Engine::getProfileManager(), nullptr);
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    ASSERT_NE(tutorial, nullptr);
    ui.run(1.5f);
    shoot(session, "main-menu.png");
    expectTextsRead(session, "main menu", {L"Play", L"Player:", L"Anna"});

    cMainMenu* menu = getMainMenu();
    clickWidget(session, menu->getOptionsButton());
    ui.run(1.5f);
    ASSERT_NE(cOptions::getInstance(), nullptr);
    shoot(session, "options.png");
    expectTextsRead(session, "options", {L"Sounds", L"OK"});
    clickWidget(session, cOptions::getInstance()->getOkButton());
    ASSERT_TRUE(session.runUntil(GameSession::Session::menuUp, 5.0f));
    ui.run(1.0f);

    // The first level opens with its goal: the tip on a crate says how the level is won. The
    // same deal on every run, so that the pictures change only when the game does.
    Engine::randomSeed(TOUR_SEED);
    clickWidget(session, menu->getStartButton());
    ASSERT_TRUE(waitFor(
        session, [&] { return tutorial->getCurrentTipId() == GOAL_TIP; }, 30.0f));
    ui.moveTo(4, 4);
    ui.run(1.0f);
    shoot(session, "board-goal.png");
    expectTextsRead(session, "the goal tip", {L"OK"});
    session.closeTip();
    // The rest of the board is shown without the tutorial's tips over it.
    tutorial->setTutorialEnabled(false);
    ASSERT_TRUE(session.runUntil(GameSession::Session::boardUp, 10.0f));
    cMeadowView* board = GameSession::Session::board();
    ASSERT_NE(board, nullptr) << "the first level opens on the board screen";
    ui.run(1.0f);
    shoot(session, "board-start.png");
    expectTextsRead(session, "board", {L"Menu"});

    ASSERT_TRUE(session.runUntil([&] { return atRest(board); }));
    dropBottomRows(board, 4);
    ui.run(0.375f);
    shoot(session, "cascade.png");
    ASSERT_TRUE(session.runUntil([&] { return atRest(board); }));

    // A bear taken from the bonus row and dropped on the middle of the board.
    cMeadowModel* model = board->getModel();
    model->addBonus(31);
    model->addBonusPoints(31, 1000);
    ASSERT_NE(board->getController()->createBonusEffect(31), nullptr);
    cMeadowObjectView* target = middlePiece(board);
    ASSERT_NE(target, nullptr);
    ui.moveTo(target->getPosition().x, target->getPosition().y);
    ui.run(0.25f);
    clickWidget(session, target);
    ui.run(0.5f);
    shoot(session, "bonus.png");
    // A tip that came up with the click held the board: the player reads it and drops the bear again.
    for (int again = 0; again < 4 && board->getController()->getBonusEffect(); ++again) {
        session.runUntil([&] { return false; }, 1.0f);
        if (cMeadowObjectView* piece = middlePiece(board))
            clickWidget(session, piece);
        ui.run(0.5f);
    }
    ASSERT_TRUE(session.runUntil([&] { return atRest(board) && !board->getController()->getBonusEffect(); }, 20.0f))
        << "field busy " << board->getFieldView()->isBusy() << ", model busy " << board->getModel()->hasBusyObject()
        << ", effect " << (board->getController()->getBonusEffect() != nullptr) << ", locked "
        << board->getFieldView()->isInputLocked() << ", finished " << board->getController()->isLevelFinished();

    // The tenth bear wins an award: its sign slides down from the top of the screen.
    model->getBonus(31)->uses = 9;
    model->addBonusPoints(31, 1000);
    ASSERT_NE(board->getController()->createBonusEffect(31), nullptr);
    for (int again = 0; again < 4 && model->getBonus(31)->uses == 9; ++again) {
        target = middlePiece(board);
        ASSERT_NE(target, nullptr);
        ui.moveTo(target->getPosition().x, target->getPosition().y);
        ui.run(0.25f);
        clickWidget(session, target);
    }
    // (An award the cascade won first is announced before it.)
    const std::wstring bearHug = L"Bear Hug: call the bear 10 times.";
    ASSERT_TRUE(waitFor(
        session,
        [&] {
            const cAwardInfoPanel* sign = awardSign();
            return sign && sign->getCurrentAward() && sign->getInfoText()->getText() == bearHug &&
                   sign->getPosition() == sign->getDstPos();
        },
        15.0f));
    ui.moveTo(4, 4);
    shoot(session, "award.png");
    expectTextsRead(session, "award", {});
    ASSERT_TRUE(session.runUntil([&] { return atRest(board) && !board->getController()->getBonusEffect(); }, 20.0f));

    // Nothing left to clear: the level ends and the results come.
    for (cCellModel* cell : model->getComplexCells()) {
        cell->setLocks(0);
        cell->setType(1);
        cell->setTriggerNumber(0);
    }
    model->getGoldPrizesLeft() = 0;
    ASSERT_TRUE(session.runUntil([&] { return board->getResultsView()->getContinueButton()->isEnabled(); }, 60.0f));
    ui.run(1.0f);
    shoot(session, "results.png");
    expectTextsRead(session, "results",
                    {L"Level complete!", L"Coins from the meadow", L"Earned on this level", L"Replay", L"Continue"});
    clickWidget(session, board->getResultsView()->getContinueButton());
    ASSERT_TRUE(session.runUntil(GameSession::Session::mapShown, 20.0f));
    ui.run(2.0f);
    shoot(session, "map-hint.png");
    expectTextsRead(session, "map with its first hint", {});

    // The first map: its hints read, nothing built yet, a plot at the end of every path.
    cDevelopmentView* map = GameSession::Session::mapView();
    for (int i = 0; i < 4; ++i) {
        session.closeTip();
        ui.run(0.5f);
    }
    session.closeTip();
    ui.moveTo(4, 4);
    ui.run(0.5f);
    size_t plots = 0;
    for (cUnitView* view : map->getUnitViews())
        plots += view->getPlot() && view->getPlot()->isVisible() ? 1 : 0;
    EXPECT_GT(plots, 10u) << "the first map shows its plots";
    shoot(session, "map.png");
    expectTextsRead(session, "map", {map->getMoneyText()->getText()});

    // Coins saved: an offer the player can pay is pointed at, and a click on it asks first.
    map->getModel()->addResourcePoints(1, 150);
    map->updateMoneyText();
    map->getUpgradePanel()->updateButtons(true);
    ASSERT_TRUE(waitFor(
        session, [&] { return tutorial->getCurrentTipId() == UPGRADE_TIP; }, 10.0f));
    const cVector2 offer = tutorial->getFader()->getPosition();
    session.closeTip();
    ui.run(0.5f);
    session.click(offer);
    // A building with several looks spreads them first: the player picks the first.
    cUpgradeButtonsPanel* offers = map->getUpgradePanel();
    const auto lookUp = [&] {
        return !offers->getVariantButtons().empty() && offers->getVariantButtons().front()->isVisible() &&
               offers->getVariantButtons().front()->isEnabled();
    };
    if (waitFor(session, lookUp, 3.0f)) {
        ui.moveTo(4, 4);
        ui.run(0.5f);
        shoot(session, "upgrade-looks.png");
        for (cUpgradeButton* look : offers->getVariantButtons())
            EXPECT_GT(look->getDepth(), offers->getDepth()) << "every look stands over the shelf";
        clickWidget(session, offers->getVariantButtons().front());
    }
    cConfirmVariantDlg* question = map->getUpgradePanel()->getConfirmDlg();
    ASSERT_TRUE(waitFor(
        session, [&] { return question->isVisible() && question->getState() == Engine::cFader::FADER_IDLE; }, 5.0f));
    ui.moveTo(4, 4);
    ui.run(0.5f);
    shoot(session, "upgrade-question.png");
    expectTextsRead(session, "the upgrade question", {L"Build it like this?", L"Build", L"Not now"});
    // The question leaves the look it asks about in sight.
    cVector2 look, lookSize;
    question->getPreview()->getVariantBox(question->getVariantIndex(), look, lookSize);
    for (const cEffectDialog::sEffectRecord& part : question->getEffectWidgets()) {
        const cVector2 at = part.widget->getPosition(), size = part.widget->getSize();
        EXPECT_TRUE(at.y + size.y / 2 <= look.y - lookSize.y / 2 || at.y - size.y / 2 >= look.y + lookSize.y / 2 ||
                    at.x + size.x / 2 <= look.x - lookSize.x / 2 || at.x - size.x / 2 >= look.x + lookSize.x / 2)
            << "a part of the question at " << at.x << "," << at.y << " covers the look";
    }
    clickWidget(session, question->getYesButton());
    ASSERT_TRUE(session.runUntil([&] { return !question->isVisible() && GameSession::Session::mapShown(); }, 10.0f));
    ui.run(3.0f);
    session.closeTip();
    ui.run(0.5f);
    clickWidget(session, map->getMainMenuButton());
    ASSERT_TRUE(
        session.runUntil([] { return GameSession::Session::menuUp() && !GameSession::Session::switching(); }, 10.0f));
    ui.run(1.0f);
    clickWidget(session, getMainMenu()->getAwardsButton());
    ui.moveTo(4, 4);
    ui.run(1.5f);
    shoot(session, "awards.png");
    expectTextsRead(session, "awards", {L"Awards", L"Back"});
}

// The map run as the level editor, with a level open in it.
TEST_F(TourTest, TheLevelEditor) {
    GameSession::Session session(false, true);
    std::string reason;
    if (!session.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    auto& ui = session.ui;
    Engine::cProfileManager profile(L"Anna");
    wireGame();
    auto map = std::make_unique<cDevelopmentView>(nullptr, true);
    map->open();
    map->show();
    ui.run(1.0f);
    ASSERT_FALSE(map->getLevelButtons().empty());
    clickWidget(session, map->getLevelButtons()[4]);
    auto* editor = dynamic_cast<cMeadowEditorView*>(map->getLevelScreen());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(
        session.runUntil([&] { return editor->getState() == Engine::cFader::FADER_IDLE && editor->isEnabled(); }));
    ui.moveTo(4, 4);
    ui.run(1.0f);
    shoot(session, "editor.png");
    clickWidget(session, editor->getBackButton());
    ASSERT_TRUE(session.runUntil([&] { return !Engine::isWidgetAlive(editor) && map->isVisible(); }));
    ui.run(1.5f);
    map.reset();
    ui.steps(2);
}

// A later level with a delivery vehicle, opened by the program's map on its board screen: the
// vehicle drives in beside the board.
TEST_F(TourTest, ALevelWithAVehicle) {
    GameSession::Session session(false, true);
    std::string reason;
    if (!session.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;
    auto& ui = session.ui;
    ASSERT_NE(session.startToMenu(), nullptr);
    cMeadowView* first = session.openBoard();
    ASSERT_NE(first, nullptr);
    // The first shipped level with a vehicle.
    Engine::randomSeed(TOUR_SEED);
    GameSession::Session::mapView()->openLevel(64);
    ASSERT_TRUE(session.runUntil(
        [&] { return GameSession::Session::boardUp() && GameSession::Session::board() != first; }, 20.0f));
    cMeadowView* board = GameSession::Session::board();
    auto* panel = dynamic_cast<cVehiclePanel*>(board->getVehiclePanel());
    ASSERT_NE(panel, nullptr);
    ASSERT_FALSE(panel->getViews().empty());
    cVehicleModel* vehicle = panel->getViews().front()->getVehicle();
    ui.run(2.0f);
    if (vehicle->getState() != cVehicleModel::TAKING_PIECES)
        board->getModel()->getVehiclesFeature()->launchNextVehicle();
    ASSERT_TRUE(session.runUntil([&] { return vehicle->getState() == cVehicleModel::TAKING_PIECES; }, 20.0f))
        << "the vehicle's state: " << vehicle->getState();
    ui.moveTo(4, 4);
    ui.run(1.0f);
    shoot(session, "vehicle.png");
    // The counter of carts filled shows the cart's icon beside it.
    ASSERT_NE(board->getInfoPanel()->getVehiclesIcon(), nullptr);
    EXPECT_TRUE(board->getInfoPanel()->getVehiclesIcon()->isVisible());
    EXPECT_NE(board->getInfoPanel()->getVehiclesIcon()->getPicture(), nullptr);
}

} // namespace
