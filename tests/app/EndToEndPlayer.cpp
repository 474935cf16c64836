#include "tests/app/EndToEndPlayer.h"

#include "app/GameWiring.h"
#include "engine/core/Application.h"
#include "engine/core/File.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/EditBox.h"
#include "engine/gui/NewUserDialog.h"
#include "engine/gui/TextButton.h"
#include "engine/media/SoundDecoder.h"
#include "engine/platform/Window.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/level/MeadowView.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/CellModel.h"
#include "game/model/GreedyPlayer.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/VehiclesFeature.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/CommonHelpTip.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/GameStart.h"
#include "game/shell/MainMenu.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"
#include "game/shell/TweenSprite.h"
#include "game/shell/YesNoFrame.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

using Engine::cVector2;

namespace EndToEnd {

namespace {

bool usable(const Engine::cWidget* widget) {
    return widget && Engine::isWidgetAlive(widget) && widget->isVisible() && widget->isEnabled();
}

} // namespace

bool switching() {
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        if (dynamic_cast<cScreenSwitcher*>(widget))
            return true;
    return false;
}

double heardMismatch(TestSupport::UiHarness& ui, const std::string& path) {
    Engine::cFile file(std::string(MEADOW_DATA_DIR) + "/" + path, Engine::GENERIC_READ, Engine::OPEN_EXISTING);
    const Engine::cSoundBuffer sound = Engine::cSoundDecoder::decode(file);
    const std::vector<int16_t>& pcm = sound.getFrames();
    // The pulls one after another, as a sound card would have played them.
    std::vector<int16_t> heard;
    std::vector<size_t> starts;
    for (const std::vector<int16_t>& block : ui.heard()) {
        starts.push_back(heard.size());
        heard.insert(heard.end(), block.begin(), block.end());
    }
    // The sound in pieces of about 50 ms; the quiet ones (its tail) say little.
    const size_t piece = 4096;
    std::vector<double> energy;
    for (size_t at = 0; at < pcm.size(); at += piece) {
        double sum = 0;
        for (size_t i = at; i < std::min(pcm.size(), at + piece); ++i)
            sum += double(pcm[i]) * pcm[i];
        energy.push_back(sum);
    }
    const double loudest = energy.empty() ? 0 : *std::max_element(energy.begin(), energy.end());
    double best = 1e9;
    for (size_t start : starts) {
        // A sound still playing when the pulls end is judged on its pieces heard so far.
        const size_t heardPieces = std::min(energy.size(), (heard.size() - start) / piece);
        if (heardPieces == 0)
            continue;
        double worst = 0;
        for (size_t k = 0; k < heardPieces && worst < best; ++k) {
            if (energy[k] < loudest * 0.05)
                continue;
            double both = 0;
            for (size_t i = k * piece; i < std::min(pcm.size(), (k + 1) * piece); ++i)
                both += double(heard[start + i]) * pcm[i];
            worst = std::max(worst, std::fabs(both / energy[k] - 1.0));
        }
        best = std::min(best, worst);
    }
    return best;
}

// ---- GameRun ----

GameRun::GameRun(const std::string& userFolder, bool soundSystem) : m_ui(std::make_unique<TestSupport::UiHarness>()) {
    if (soundSystem)
        m_ui->useSoundSystem();
    const std::filesystem::path data(MEADOW_DATA_DIR);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
        if (entry.is_regular_file())
            m_ui->writeFile(std::filesystem::relative(entry.path(), data).generic_string(),
                            TestSupport::readFileBytes(entry.path().string()));
    // The harness names a user folder of its own; this run's is the one that outlives it.
    setenv("MEADOW_USER_DIR", userFolder.c_str(), 1);
    m_ui->start();
    wireGame();
    onCreateGame(nullptr);
}

GameRun::~GameRun() {
    // What the message loop does after the window closed, then the widgets the program's end
    // leaves to the application's sweep.
    onDestroyGame(nullptr);
    // An action group owns the tween runner it made as a root widget: the owners go first, and
    // the roots still alive after them.
    for (bool runners : {false, true}) {
        std::vector<Engine::cWidget*> roots;
        for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
            if (auto* root = dynamic_cast<Engine::cWidget*>(widget);
                root && !root->getParent() && runners == (dynamic_cast<cTweenSprite*>(root) != nullptr))
                roots.push_back(root);
        for (Engine::cWidget* root : roots)
            if (Engine::isWidgetAlive(root))
                delete root;
    }
    FrontEnd::clearHooks();
    m_ui.reset();
}

bool GameRun::windowClosed() const {
    Engine::cApplicationBase* application = Engine::getApplication();
    return application && application->getWindow() && application->getWindow()->isDestroyed();
}

// ---- ScriptedPlayer: frames and the mouse ----

bool ScriptedPlayer::closeTip() {
    // The click on a tip's OK button does not look for tips itself.
    static bool closing = false;
    if (closing)
        return false;
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets()) {
        auto* tip = dynamic_cast<cCommonHelpTip*>(widget);
        if (tip && usable(tip) && !tip->isClosing() && usable(tip->getOkButton())) {
            closing = true;
            click(tip->getOkButton());
            closing = false;
            ++m_tipsClosed;
            return true;
        }
    }
    // A click on the award that slides in over the board opens the awards board: read, closed.
    cAwardTipDlg* awards = cAwardTipDlg::getInstance();
    if (awards && usable(awards) && awards->getState() != Engine::cFader::FADER_HIDING &&
        usable(awards->getReturnButton())) {
        closing = true;
        click(awards->getReturnButton());
        closing = false;
        ++m_awardsClosed;
        return true;
    }
    return false;
}

void ScriptedPlayer::step() {
    m_ui.step();
    if (closeTip())
        m_ui.steps(2);
}

bool ScriptedPlayer::runUntil(const std::function<bool()>& condition, float seconds) {
    for (float t = 0; t < seconds; t += TestSupport::UiHarness::FRAME_TIME) {
        if (condition())
            return true;
        if (m_run.windowClosed())
            return false;
        step();
    }
    return condition();
}

void ScriptedPlayer::click(const Engine::cSprite* widget) {
    // Dialogs slide their buttons in: the click goes where the button has come to rest.
    cVector2 at = widget->getPosition();
    for (int frame = 0; frame < 40; ++frame) {
        m_ui.step();
        if (!Engine::isWidgetAlive(widget))
            return;
        if (widget->getPosition().x == at.x && widget->getPosition().y == at.y)
            break;
        at = widget->getPosition();
    }
    click(at);
}

void ScriptedPlayer::click(const cVector2& at) {
    m_ui.moveTo(at.x, at.y);
    m_ui.step();
    // A tip that has just come up holds the screen: it is read first, as a player would.
    if (closeTip()) {
        m_ui.steps(2);
        m_ui.moveTo(at.x, at.y);
        m_ui.step();
    }
    m_ui.press();
    m_ui.step();
    m_ui.release();
    m_ui.step();
}

void ScriptedPlayer::drag(const cVector2& from, const cVector2& to) {
    m_ui.moveTo(from.x, from.y);
    m_ui.step();
    m_ui.press();
    m_ui.step();
    m_ui.moveTo(to.x, to.y);
    m_ui.step();
    m_ui.release();
    m_ui.step();
}

// ---- The front end ----

bool ScriptedPlayer::newPlayerDialogShown() const {
    Engine::cNewUserDialog* dialog = Engine::getNewUserDialog();
    return dialog && usable(dialog) && !switching();
}

bool ScriptedPlayer::menuShown() const {
    cMainMenu* menu = getMainMenu();
    return menu && usable(menu) && usable(menu->getStartButton()) && !switching();
}

bool ScriptedPlayer::reachFrontEnd(float seconds) {
    // The logos and the loading screen each go on a click once they allow it.
    for (float t = 0; t < seconds; t += 1.0f) {
        if (runUntil([&] { return newPlayerDialogShown() || menuShown(); }, 1.0f))
            return true;
        click(cVector2(512, 384));
    }
    return false;
}

bool ScriptedPlayer::createPlayer(const std::wstring& name) {
    if (!runUntil([&] { return newPlayerDialogShown(); }))
        return false;
    Engine::cNewUserDialog* dialog = Engine::getNewUserDialog();
    click(dialog->getNameEdit());
    m_ui.type(name);
    m_ui.step();
    click(dialog->getOkButton());
    return runUntil([&] { return menuShown(); });
}

// ---- The map ----

cMapScreen* ScriptedPlayer::map() const {
    return dynamic_cast<cMapScreen*>(FrontEnd::getMap());
}

cDevelopmentView* ScriptedPlayer::mapView() const {
    return map() ? map()->getView() : nullptr;
}

bool ScriptedPlayer::mapShown() const {
    cDevelopmentView* view = mapView();
    return view && view->isVisible() && view->getModel() && !view->getLevelScreen() &&
           usable(view->getMainMenuButton()) && !switching();
}

bool ScriptedPlayer::savedLevelOffered() const {
    cDevelopmentView* view = mapView();
    return view && view->getSavedLevelPrompt() && usable(view->getSavedLevelPrompt()->getYesButton()) && !switching();
}

bool ScriptedPlayer::startFromMenu() {
    if (!runUntil([&] { return menuShown(); }))
        return false;
    click(getMainMenu()->getStartButton());
    return runUntil([&] { return boardReady() || savedLevelOffered() || mapShown(); }, 30.0f);
}

bool ScriptedPlayer::answerSavedLevel(bool resume) {
    if (!runUntil([&] { return savedLevelOffered(); }))
        return false;
    cYesNoFrame* prompt = mapView()->getSavedLevelPrompt();
    click(resume ? prompt->getYesButton() : prompt->getNoButton());
    return runUntil([&] { return resume ? boardReady() : mapShown(); }, 30.0f);
}

// ---- The board ----

cMeadowView* ScriptedPlayer::board() const {
    cDevelopmentView* view = mapView();
    auto* board = view ? dynamic_cast<cMeadowView*>(view->getLevelScreen()) : nullptr;
    return board && !board->isClosed() && Engine::isWidgetAlive(board) ? board : nullptr;
}

bool ScriptedPlayer::boardReady() const {
    cMeadowView* view = board();
    if (!view || !view->isVisible() || !view->isEnabled() || switching() || !view->getFieldView())
        return false;
    cMeadowFieldView* field = view->getFieldView();
    cMeadowController* controller = view->getController();
    if (field->isInputLocked() || field->isBusy() || !controller || controller->isInputLocked())
        return false;
    cMeadowModel* model = view->getModel();
    for (int32_t row = 0; row < model->getRows(); ++row)
        for (int32_t column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column))
                if (piece->getState() != cMeadowObjectModel::IDLE &&
                    piece->getState() != cMeadowObjectModel::HIDDEN_STATE)
                    return false;
    return true;
}

bool ScriptedPlayer::waitForRest(float seconds) {
    // A swap takes a frame or two to start moving: the board must stay at rest a while.
    int32_t quiet = 0;
    return runUntil(
               [&] {
                   quiet = boardReady() ? quiet + 1 : 0;
                   return quiet >= 4 || resultsShown();
               },
               seconds) &&
           boardReady();
}

bool ScriptedPlayer::resultsShown() const {
    cMeadowView* view = board();
    return view && view->getResultsView() && usable(view->getResultsView()) &&
           usable(view->getResultsView()->getContinueButton());
}

bool ScriptedPlayer::makeMove() {
    if (!waitForRest(30.0f))
        return false;
    cMeadowView* view = board();
    cMeadowModel* model = view->getModel();
    int32_t r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!cGreedyPlayer::chooseMove(*model, r1, c1, r2, c2)) {
        // None the greedy player sees: the game's own hint may find one.
        cVector2 first(-1, -1), second(-1, -1);
        if (!model->findPossibleMove(first, second) || first.x < 0 || second.x < 0)
            return false;
        r1 = int32_t(first.x);
        c1 = int32_t(first.y);
        r2 = int32_t(second.x);
        c2 = int32_t(second.y);
    }
    const auto& views = view->getObjectViews();
    const auto first = views.find(model->getObject(r1, c1));
    const auto second = views.find(model->getObject(r2, c2));
    if (first == views.end() || second == views.end())
        return false;
    // The same piece twice is a bonus piece the player sets off by clicking it twice.
    if (first == second) {
        click(first->second->getPosition());
        click(first->second->getPosition());
    } else {
        drag(first->second->getPosition(), second->second->getPosition());
    }
    // A swap the board took sets pieces moving.
    if (!runUntil([&] { return !boardReady() || resultsShown(); }, 1.0f))
        return false;
    ++m_moves;
    return true;
}

bool ScriptedPlayer::playToResults(int32_t moves) {
    for (int32_t move = 0; move < moves; ++move) {
        if (resultsShown())
            return true;
        if (!makeMove()) {
            // No move now: the board mixes itself, or the level is ending.
            if (!runUntil([&] { return resultsShown() || boardReady(); }, 30.0f))
                return false;
        }
    }
    return runUntil([&] { return resultsShown(); }, 30.0f);
}

int32_t ScriptedPlayer::playMoves(int32_t moves) {
    int32_t made = 0;
    while (made < moves && !resultsShown() && makeMove())
        ++made;
    return made;
}

bool ScriptedPlayer::continueToMap() {
    if (!runUntil([&] { return resultsShown(); }, 60.0f))
        return false;
    click(board()->getResultsView()->getContinueButton());
    return runUntil([&] { return mapShown(); }, 30.0f);
}

cUpgradeButton* ScriptedPlayer::affordableUpgrade() {
    if (!runUntil([&] { return mapShown(); }))
        return nullptr;
    cUpgradeButton* offer = nullptr;
    // The row is laid out as the map comes back.
    runUntil(
        [&] {
            for (cUpgradeButton* button : mapView()->getUpgradePanel()->getButtons())
                if (usable(button) && button->getUpgrade()) {
                    offer = button;
                    return true;
                }
            return false;
        },
        1.0f);
    return offer;
}

bool ScriptedPlayer::buyUpgrade() {
    cUpgradeButton* offer = affordableUpgrade();
    if (!offer)
        return false;
    cUpgradeButtonsPanel* panel = mapView()->getUpgradePanel();
    const int32_t before = mapView()->getModel()->getResourcePoints(1);
    click(offer);
    const auto asked = [&] { return panel->getConfirmDlg() && usable(panel->getConfirmDlg()->getYesButton()); };
    // A building with three looks spreads them first: the last look is taken.
    if (!runUntil(asked, 3.0f)) {
        cUpgradeButton* look = nullptr;
        if (!runUntil(
                [&] {
                    for (cUpgradeButton* button : panel->getVariantButtons())
                        if (usable(button))
                            look = button;
                    return look != nullptr;
                },
                5.0f))
            return false;
        click(look);
        if (!runUntil(asked))
            return false;
    }
    click(panel->getConfirmDlg()->getYesButton());
    return runUntil([&] { return mapShown() && mapView()->getModel()->getResourcePoints(1) < before; });
}

bool ScriptedPlayer::playNextLevel() {
    // A tip coming up in the frame of the click holds the map: the player clicks again after it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!runUntil([&] { return mapShown() && usable(mapView()->getNextLevelButton()); }))
            return false;
        click(mapView()->getNextLevelButton());
        if (runUntil([&] { return boardReady() || switching() || mapView()->getLevelScreen(); }, 3.0f))
            return runUntil([&] { return boardReady(); }, 30.0f);
    }
    return false;
}

bool ScriptedPlayer::leaveLevelForMenu() {
    if (!runUntil([&] { return boardReady(); }, 30.0f))
        return false;
    click(board()->getGameMenuButton());
    cGameMenuDlg* pause = map()->getGameMenu();
    if (!runUntil([&] { return usable(pause) && usable(pause->getMainMenuButton()); }))
        return false;
    click(pause->getMainMenuButton());
    if (!runUntil([&] { return pause->getQuestion() && usable(pause->getQuestion()->getYesButton()); }))
        return false;
    click(pause->getQuestion()->getYesButton());
    return runUntil([&] { return menuShown() && mapView() && !mapView()->getModel(); }, 30.0f);
}

bool ScriptedPlayer::leaveMapForMenu() {
    if (!runUntil([&] { return mapShown(); }))
        return false;
    click(mapView()->getMainMenuButton());
    return runUntil([&] { return menuShown() && !mapView()->getModel(); }, 30.0f);
}

bool ScriptedPlayer::quit() {
    if (!runUntil([&] { return menuShown(); }))
        return false;
    click(getMainMenu()->getExitButton());
    cExitDialog* dialog = nullptr;
    if (!runUntil(
            [&] {
                for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
                    if (auto* exit = dynamic_cast<cExitDialog*>(widget); exit && usable(exit->getYesButton()))
                        dialog = exit;
                return dialog != nullptr;
            },
            10.0f))
        return false;
    click(dialog->getYesButton());
    return m_run.windowClosed();
}

std::string describeBoard(cMeadowModel& model) {
    // Per cell: '.' no cell, 'L' locks, 'W' wood or iron, 'T' a trigger, 'h' hidden, then '*'
    // when the cell is not enabled; then the piece's type, 'P' + type for a prize, '-' for none,
    // and '~' when the piece is not at rest.
    std::string text;
    for (int32_t row = model.getRows() - 1; row >= 0; --row) {
        for (int32_t column = 0; column < model.getColumns(); ++column) {
            cCellModel* cell = model.getCell(row, column);
            cMeadowObjectModel* piece = model.getObject(row, column);
            std::string code = !cell || cell->getType() == 0   ? "."
                               : cell->getLocks() > 0          ? "L"
                               : cell->getType() > 1           ? "W"
                               : cell->getTriggerNumber() > 0  ? "T"
                               : cell->getAwaitedTrigger() > 0 ? "h"
                                                               : " ";
            code += cell && !cell->isEnabled() ? "*" : "";
            if (piece) {
                code += (piece->getPrizeFlag() ? "P" : "") + std::to_string(piece->getType());
                code += piece->getState() != cMeadowObjectModel::IDLE ? "~" : "";
            } else {
                code += "-";
            }
            text += code + std::string(size_t(std::max<int>(1, 7 - int(code.size()))), ' ');
        }
        text += "\n";
    }
    for (const auto& vehicle : model.getVehiclesFeature()->getVehicles()) {
        text += "vehicle state " + std::to_string(vehicle->getState()) + ":";
        for (const cVehicleSlotRecord& slot : vehicle->getSlots())
            text += " " + std::to_string(slot.loaded) + "+" + std::to_string(slot.inFlight) + "/" +
                    std::to_string(slot.needed) + " of " + std::to_string(slot.objectType);
        text += "\n";
    }
    return text;
}

std::string ScriptedPlayer::describe() const {
    std::string text;
    const auto add = [&](bool on, const char* name) {
        if (on)
            text += std::string(text.empty() ? "" : ", ") + name;
    };
    add(newPlayerDialogShown(), "new player");
    add(menuShown(), "menu");
    add(mapShown(), "map");
    add(savedLevelOffered(), "saved level offered");
    add(board() != nullptr, "board");
    add(boardReady(), "board ready");
    add(resultsShown(), "results");
    add(switching(), "switching");
    add(cAwardTipDlg::getInstance() && usable(cAwardTipDlg::getInstance()), "awards board");
    add(m_run.windowClosed(), "closed");
    if (cDevelopmentView* view = mapView(); view && view->getModel()) {
        cMeadowModel* model = view->getModel();
        add(view->isVisible(), "map visible");
        add(view->getLevelScreen() != nullptr, "map has a level screen");
        add(usable(view->getMainMenuButton()), "map's main-menu button usable");
        add(usable(view->getNextLevelButton()), "map's next-level button usable");
        if (cTutorialManager* tutorial = cTutorialManager::getInstance(); tutorial && tutorial->hasCurrentTip())
            text += ", tip " + std::to_string(tutorial->getCurrentTipId()) + " shown";
        add(view->getUpgradePanel() && view->getUpgradePanel()->getConfirmDlg() &&
                view->getUpgradePanel()->getConfirmDlg()->isVisible(),
            "upgrade question");
        text += ", level " + std::to_string(model->getCurrentLevel()) + ", next " +
                std::to_string(model->getNextLevelNumber()) + ", money " + std::to_string(model->getResourcePoints(1));
    }
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        if (auto* tip = dynamic_cast<cCommonHelpTip*>(widget); tip && tip->isVisible())
            text += ", tip " + std::to_string(tip->getTipId());
    if (cMeadowView* view = board()) {
        cMeadowFieldView* field = view->getFieldView();
        cMeadowController* controller = view->getController();
        add(field && field->isInputLocked(), "field locked");
        add(field && field->isBusy(), "field busy");
        add(controller && controller->isInputLocked(), "controller locked");
        add(view->isMixRunning(), "mixing");
        add(controller && controller->isLevelFinished(), "level finished");
        add(controller && controller->isTriggerHold(), "trigger hold");
        add(view->getModel()->hasMatches(), "runs on the board");
        add(controller && controller->getBonusEffect(), "bonus effect");
        text += "\n" + describeBoard(*view->getModel());
    }
    return text.empty() ? "nothing" : text;
}

} // namespace EndToEnd
