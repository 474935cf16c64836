// The board screen's level flow: creating and clearing the level's widgets, the per-frame
// drive of the controller, the input lock, the end of a level with its results, the ways out
// (continue, replay) and the switch back to the owner.

#include "engine/core/FrameTimer.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Label.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/BoardParts.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusEffect.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/InfoPanel.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/NoMovesPanel.h"
#include "game/level/vehicles/VehiclePanel.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/Signal.h"
#include "game/model/TutorialManagerLink.h"
#include "game/shell/Clouds.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/ScreenSwitcher.h"
#include "game/shell/TutorialManager.h"

using namespace Engine;

namespace {

const int MIX_BONUS_TYPE = 71;
// The tutorial tip that explains the swap, shown over the next-move prompt.
const int MOVE_TIP = 1;

} // namespace

namespace BoardParts {

namespace {
// The board's own vehicles and bonus effects unless a caller sets others (or none).
tVehiclePanelFactory& vehiclePanelFactory() {
    // The level editor shows its vehicles its own way.
    static tVehiclePanelFactory factory = [](cMeadowView* board, cMeadowModel* model, IBoardOwner*) {
        return board->isEditorMode() || board->isEditorView()
                   ? nullptr
                   : static_cast<IVehiclePanel*>(new cVehiclePanel(board, model));
    };
    return factory;
}
tBonusEffectFactory& bonusEffectFactory() {
    static tBonusEffectFactory factory = [](cMeadowView* board, cMeadowModel* model, int bonusType) {
        return static_cast<IBonusEffect*>(cBonusEffect::create(board, model, bonusType));
    };
    return factory;
}
} // namespace

const tVehiclePanelFactory& getVehiclePanelFactory() {
    return vehiclePanelFactory();
}
void setVehiclePanelFactory(tVehiclePanelFactory factory) {
    vehiclePanelFactory() = std::move(factory);
}
const tBonusEffectFactory& getBonusEffectFactory() {
    return bonusEffectFactory();
}
void setBonusEffectFactory(tBonusEffectFactory factory) {
    bonusEffectFactory() = std::move(factory);
}

} // namespace BoardParts

void cMeadowView::connectModelSignals() {
    if (!m_model)
        return;
    m_pointsEarnedConnection = m_model->m_pointsEarnedSignal.connect(
        [this](const cVector2& position, const int32_t& amount) { showFlyingNumber(position, amount); });
    m_noMovesConnection = m_model->m_noMovesSignal.connect([this] { onNoMoves(); });
}

// ---- Frames and screen ----

void cMeadowView::process() {
    cGroupFader::process();
    if (m_paused)
        return;
    const float dt = frameDelta();
    // Only the controller's own level view drives it, once a frame.
    if (m_controller && m_controller->getLevelView() == this)
        m_controller->update(dt);
    if (!m_fieldView)
        return;
    if (m_vehiclePanel)
        m_vehiclePanel->update(dt);
    // The next-move prompt stays until the tutorial has shown its move tip over it.
    if (m_hintTipPending) {
        offerMoveTip();
        return;
    }
    if (m_fieldView->isBusy())
        clearPrompts();
}

void cMeadowView::offerMoveTip() {
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (!tutorial || !m_currentPrompt || !m_currentPrompt->isVisible())
        return;
    if (tutorial->checkAndShow(MOVE_TIP, cTutorialManager::TIP_ARROW, nullptr, nullptr, m_currentPrompt->getOffset(),
                               false))
        m_hintTipPending = false;
}

void cMeadowView::onUpdate() {
    cGroupFader::onUpdate();
    if (m_endEffectDone && m_leavePending) {
        m_leavePending = false;
        switchToOwner();
    }
}

void cMeadowView::onFadedIn() {
    cGroupFader::onFadedIn();
    setWidgetShown(m_bonusPanel, true);
    showVehiclePanel(true);
}

void cMeadowView::onScreenShown(cScreenSwitcher*) {
    setWidgetShown(m_bonusPanel, true);
    showVehiclePanel(true);
}

void cMeadowView::onScreenHidden(cScreenSwitcher*) {
    IBoardOwner* owner = m_boardOwner;
    close();
    if (owner)
        owner->onLevelCompleted(this);
}

void cMeadowView::onScreenCovered() {
    hide();
}

// ---- The level's widgets ----

void cMeadowView::initLevel(bool withoutControls) {
    m_fieldView = new cMeadowFieldView(this, m_model, m_controller, false);
    m_fieldView->initField(this);
    // Its level effects run in the update step, also while the board is locked.
    m_fieldView->enableAbsolute();
    createGameObjectsPrototypes();
    createGameObjects();
    if (const BoardParts::tVehiclePanelFactory& factory = BoardParts::getVehiclePanelFactory())
        m_vehiclePanel = factory(this, m_model, m_boardOwner);
    showVehiclePanel(false);
    if (!withoutControls) {
        m_bonusPanel = new cBonusPanel(this, m_model, m_boardOwner ? m_boardOwner->getDevelopmentView() : nullptr);
        m_bonusPanel->hide();
        m_gameMenuButton->setClickCallback(onGameMenuClicked);
        m_gameMenuButton->show();
        if (m_playTest) {
            m_editButton->setClickCallback(onEditClicked);
            m_editButton->show();
        }
        listenToEscape(true);
    }
    updateInfoPanel();
}

void cMeadowView::clearLevel() {
    for (auto& entry : m_objectViews) {
        entry.second->detachInput();
        entry.second->hide();
        deleteWidgetLater(entry.second);
    }
    m_objectViews.clear();
    for (auto& entry : m_objectPrototypes)
        deleteWidgetLater(entry.second);
    m_objectPrototypes.clear();
    if (m_vehiclePanel) {
        m_vehiclePanel->getWidget()->hide();
        deleteWidgetLater(m_vehiclePanel->getWidget());
        m_vehiclePanel = nullptr;
    }
    if (m_fieldView) {
        m_fieldView->hide();
        deleteWidgetLater(m_fieldView);
        m_fieldView = nullptr;
    }
}

void cMeadowView::close() {
    // The owner may close a screen that has already closed itself at the end of its level.
    if (m_closed)
        return;
    m_closed = true;
    m_pointsEarnedConnection.disconnect();
    m_noMovesConnection.disconnect();
    if (m_controller) {
        m_controller->setInputLocked(true);
        // The board goes with the next flush: the controller keeps no pointer to it.
        if (m_controller->getLevelView() == this)
            m_controller->setLevelView(nullptr);
    }
    listenToEscape(false);
    clearLevel();
    if (m_clouds) {
        deleteWidgetLater(m_clouds);
        m_clouds = nullptr;
    }
    if (m_resultsView) {
        deleteWidgetLater(m_resultsView);
        m_resultsView = nullptr;
    }
    hide();
    deleteWidgetLater(this);
}

void cMeadowView::setShown(bool shown) {
    if (shown)
        show();
    else
        hide();
}

void cMeadowView::setEnabled(bool enabled) {
    if (enabled)
        enable();
    else
        disable();
}

// ---- Input lock ----

void cMeadowView::setInputLocked(bool locked) {
    if (m_fieldView)
        m_fieldView->setInputLocked(locked);
    setWidgetEnabled(m_bonusPanel, !locked);
    setWidgetEnabled(m_gameMenuButton, !locked);
    listenToEscape(!locked);
    m_paused = locked;
    for (auto& entry : m_objectViews)
        setWidgetEnabled(entry.second, !locked);
}

void cMeadowView::listenToEscape(bool listen) {
    m_escapeHooks.removeAll();
    if (listen)
        m_escapeHooks.addKey(Platform::KEY_ESCAPE, onEscape, this);
}

bool cMeadowView::isModalTipOpen() const {
    ITutorialManager* tutorial = GameServices::getTutorialManager();
    return tutorial && tutorial->hasCurrentTip();
}

void cMeadowView::lockVehiclePanel(bool locked) {
    if (m_vehiclePanel)
        setWidgetEnabled(m_vehiclePanel->getWidget(), !locked);
    m_paused = locked;
}

void cMeadowView::showVehiclePanel(bool shown) {
    if (m_vehiclePanel)
        setWidgetShown(m_vehiclePanel->getWidget(), shown);
}

// ---- The controller's requests ----

void cMeadowView::refresh() {
    if (m_fieldView)
        m_fieldView->updateSelection();
    hideInvalidObjectViews();
    updateMoneyText();
    if (m_bonusPanel)
        m_bonusPanel->refresh();
    if (m_vehiclePanel)
        m_vehiclePanel->update(frameDelta());
}

void cMeadowView::updateSelection() {
    m_fieldView->updateSelection();
}

void cMeadowView::showMatchedFigures(const tFigureList& figures, bool cascade) {
    m_fieldView->updateMatchedFigures(tFigureList(figures), cascade);
}

void cMeadowView::animateExchange(IPieceView* first, IPieceView* second) {
    m_fieldView->exchangeObjects(first->getObject(), second->getObject());
}

void cMeadowView::animateSwapBack(IPieceView* first, IPieceView* second) {
    m_fieldView->swapBack(static_cast<cMeadowObjectView*>(first), static_cast<cMeadowObjectView*>(second));
}

void cMeadowView::crashCell(const cVector2& position, IBonusEffect* effect) {
    m_fieldView->crashCell(position, effect);
}

void cMeadowView::startObjectMotions() {
    m_fieldView->startObjectMotions();
}

void cMeadowView::updateVehicles() {
    if (m_vehiclePanel)
        m_vehiclePanel->updateVehicles();
}

bool cMeadowView::isFieldBusy() {
    return m_fieldView && m_fieldView->isBusy();
}

void cMeadowView::resumeMusic() {
    if (m_boardOwner)
        m_boardOwner->resumeMusic();
}

IBonusEffect* cMeadowView::createBonusEffect(int bonusType) {
    const BoardParts::tBonusEffectFactory& factory = BoardParts::getBonusEffectFactory();
    return factory ? factory(this, m_model, bonusType) : nullptr;
}

void cMeadowView::deleteBonusEffect(IBonusEffect* effect) {
    if (auto* widget = dynamic_cast<cWidget*>(effect))
        deleteWidgetLater(widget);
    else
        delete effect;
}

void cMeadowView::addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* view) {
    if (view->getOverlay())
        view->getOverlay()->hide();
    if (m_vehiclePanel)
        m_vehiclePanel->addFlyingObject(vehicle, view);
    else if (m_fieldView)
        m_fieldView->addFlyingObject(vehicle, view);
}

void cMeadowView::updateInfoPanel() {
    if (m_infoPanel)
        m_infoPanel->formatProgressCounters();
}

// ---- Start and end of a level ----

void cMeadowView::startLevel(bool arrival) {
    setInputLocked(true);
    if (arrival)
        m_fieldView->startNewLevelEffect();
    else
        m_fieldView->startCellsArrival();
}

void cMeadowView::finishLevel() {
    if (m_controller)
        m_controller->releaseBonusEffect(true);
    updateMoneyText();
    if (m_boardOwner && m_boardOwner->isLevelEditorMode()) {
        switchToOwner();
        return;
    }
    if (m_boardOwner)
        m_boardOwner->setLevelRunning(false);
    disable();
    clearPrompts();
    if (m_controller) {
        m_controller->resetHintTimer();
        m_controller->checkLevelEndAwards();
    }
    listenToEscape(false);
    if (m_controller)
        m_controller->setInputLocked(true);
    m_resultsView->enable();
    m_resultsView->fadeIn();
}

void cMeadowView::hideControls() {
    setWidgetShown(m_bonusPanel, false);
    showVehiclePanel(false);
    setWidgetShown(m_gameMenuButton, false);
    setWidgetShown(m_moneyText, false);
    setWidgetShown(m_infoPanel, false);
}

void cMeadowView::startEndLevelEffect() {
    if (m_fieldView)
        m_fieldView->startEndLevelEffect(m_endLevelEffectTime);
    else
        onEndLevelEffectFinished();
}

void cMeadowView::continueFromResults() {
    m_restartPending = false;
    m_leavePending = true;
    hideControls();
    // The map follows after the usual fade over the board as it stands: a fall of the pieces here
    // would play behind the hidden board, a black screen to the player.
    m_endEffectDone = true;
}

void cMeadowView::replayFromResults() {
    if (m_model)
        m_model->decNextAvailableLevel();
    m_restartPending = true;
    startEndLevelEffect();
}

void cMeadowView::replayLevel() {
    if (m_fieldView)
        m_fieldView->resetForReplay();
    clearPrompts();
    if (m_controller)
        m_controller->resetHintTimer();
    m_restartPending = true;
    startEndLevelEffect();
}

void cMeadowView::onEndLevelEffectFinished() {
    if (!m_restartPending) {
        m_endEffectDone = true;
        return;
    }
    if (m_controller)
        m_controller->setInputLocked(true);
    if (m_boardOwner)
        m_boardOwner->restartLevel();
}

void cMeadowView::switchToOwner() {
    auto* switcher = new cScreenSwitcher(this, m_boardOwner ? m_boardOwner->getOwnerScreen() : nullptr);
    switcher->setMode(SWITCH_FROM_LEVEL);
}

// ---- Buttons and keys ----

void cMeadowView::onEscape(void* user) {
    auto* board = static_cast<cMeadowView*>(user);
    if (board->isModalTipOpen())
        return;
    cMeadowController* controller = board->m_controller;
    if (controller && controller->getBonusEffect()) {
        if (controller->getBonusEffect()->isImmediate())
            return;
        controller->releaseBonusEffect(true);
        if (board->m_bonusPanel)
            board->m_bonusPanel->refresh();
        return;
    }
    if (controller)
        controller->setInputLocked(true);
    if (board->m_boardOwner)
        board->m_boardOwner->showGameMenu();
}

void cMeadowView::onGameMenuClicked(cButton* button) {
    auto* board = dynamic_cast<cMeadowView*>(button->getParent());
    if (!board || board->isModalTipOpen())
        return;
    if (board->m_controller)
        board->m_controller->setInputLocked(true);
    if (board->m_boardOwner)
        board->m_boardOwner->showGameMenu();
}

void cMeadowView::onEditClicked(cButton* button) {
    auto* board = dynamic_cast<cMeadowView*>(button->getParent());
    if (!board)
        return;
    board->setInputLocked(true);
    board->finishLevel();
    if (board->m_boardOwner)
        board->m_boardOwner->setLevelButtonsEnabled(true);
}

// ---- No moves ----

void cMeadowView::onNoMoves() {
    auto* panel = new cNoMovesPanel(this);
    panel->start();
    clearPrompts();
}

void cMeadowView::startMixBonus() {
    if (isMixRunning())
        return;
    m_instantBonus = createBonusEffect(MIX_BONUS_TYPE);
    if (m_instantBonus) {
        m_instantBonus->apply();
    } else if (m_model && m_fieldView) {
        // Without the bonus effects the board mixes itself and lets the bees fly.
        m_builtInMix = true;
        if (m_controller)
            m_controller->setInputLocked(true);
        m_model->mixObjects();
        startMixingAnimation();
    }
    clearPrompts();
}

void cMeadowView::onInstantBonusFinished() {
    if (m_instantBonus) {
        deleteBonusEffect(m_instantBonus);
        m_instantBonus = nullptr;
    }
    m_builtInMix = false;
    clearPrompts();
}

void cMeadowView::startMixingAnimation() {
    m_fieldView->startMixingAnimation();
}
