// The field view's level effects: the cells arriving and the pieces falling in at the start of
// a level, the arrival tips and the input unlock that follows, the trigger spiral, the blink
// wave and the bees of the mixing bonus.

#include "engine/core/DocumentHold.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/Random.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/bonus/BonusView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/SelectionSprite.h"
#include "game/model/AwardManagerLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/TutorialManagerLink.h"
#include "game/shell/RandomFloat.h"
#include "game/shell/TutorialManager.h"

#include <sstream>

using namespace Engine;

namespace {

const int VEHICLE_PIECE = 101;
const int GOLD_PIECE = 102;
const int MIX_BONUS_TYPE = 71;
// The arrival tips: the cells of the tip positions in their order, the prize pieces, the bonuses.
const int CELL_TIPS[] = {12, 13, 14, 15, 20};
const int VEHICLE_TIP = 19;
const int GOLD_TIP = 18;

int bonusTip(int bonusType) {
    switch (bonusType) {
    case 11:
        return 5;
    case 31:
        return 7;
    case 41:
        return 8;
    case MIX_BONUS_TYPE:
        return 11;
    default:
        return -1;
    }
}

void playSound(const char* id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

} // namespace

// ---- Start of a level ----

void cMeadowFieldView::startCellsArrival() {
    m_cellArrivals.clear();
    for (auto& entry : m_cells) {
        entry.second->startBorderArrive(m_arriveEffectTime);
        m_cellArrivals.push_back(entry.second);
    }
    // A board without cells goes straight on to the falls.
    if (m_cellArrivals.empty())
        startNewLevelEffect();
}

void cMeadowFieldView::restartCellsArrival() {
    m_cellReArrivals.clear();
    for (auto& entry : m_cells) {
        entry.second->startBorderArrive(m_arriveEffectTime);
        m_cellReArrivals.push_back(entry.second);
    }
}

void cMeadowFieldView::startNewLevelEffect() {
    m_motions.startNewLevelFalls(-2 * (m_cellPrototype ? m_cellPrototype->getSize().y : 0.0f));
    playSound("object_fall_new_level");
    // Nothing to fall in: the level opens at once.
    if (m_motions.getNewLevelFalls().empty())
        onNewLevelFallsDone();
}

bool cMeadowFieldView::stepNewLevelFalls(float dt) {
    const bool landed = m_motions.stepNewLevelFalls(dt, [this](cMeadowObjectView* view) {
        const int type = view->getObject() ? view->getObject()->getType() : 0;
        if (type == VEHICLE_PIECE && !m_vehicleTipView)
            m_vehicleTipView = view;
        if (type == GOLD_PIECE && !m_goldTipView)
            m_goldTipView = view;
    });
    if (landed)
        onNewLevelFallsDone();
    return landed;
}

void cMeadowFieldView::onNewLevelFallsDone() {
    m_arrivalDone = true;
    if (m_boardView)
        m_boardView->lockVehiclePanel(false);
    m_model->clearTransientCellFlags();
    // A level save keeps the frozen flag of cells that a match had frozen for a moment; no cell
    // view counts that moment down after a resume, and a frozen cell never fills again.
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column)
            if (cCellModel* cell = m_model->getCell(row, column))
                cell->setFrozen(false);
}

// The tips about what this level holds, once its pieces are in; the board opens when none
// shows and none is on screen.
void cMeadowFieldView::showArrivalTips() {
    bool shown = false;
    if (cTutorialManager* tutorial = cTutorialManager::getInstance()) {
        for (size_t index = 0; index < m_tipPositions.size(); ++index)
            if (m_tipPositions[index].x != -1)
                shown |= tutorial->checkAndShow(CELL_TIPS[index], cTutorialManager::TIP_ARROW, nullptr, nullptr,
                                                m_tipPositions[index], false);
        for (auto [tipId, view] :
             {std::make_pair(VEHICLE_TIP, m_vehicleTipView), std::make_pair(GOLD_TIP, m_goldTipView)})
            if (view &&
                tutorial->checkAndShow(tipId, cTutorialManager::TIP_ARROW, view, nullptr, view->getPosition(), false)) {
                view->setHighlighted(true);
                shown = true;
            }
        cBonusPanel* panel = m_boardView ? m_boardView->getBonusPanel() : nullptr;
        for (cGameResource* bonus : m_model->getAvailableBonuses()) {
            const int tipId = bonusTip(bonus->type);
            // A board without a bonus panel (the editor's) has no button to point at.
            cBonusView* button = panel && tipId >= 0 ? panel->findButtonByType(bonus->type) : nullptr;
            if (button && bonus->available != 0)
                shown |= tutorial->checkAndShow(tipId, cTutorialManager::TIP_ARROW, button, nullptr, cVector2(), false);
        }
    }
    ITutorialManager* tutorial = GameServices::getTutorialManager();
    if (shown || (tutorial && tutorial->hasCurrentTip()))
        return;
    if (m_controller)
        m_controller->setInputLocked(false);
    else
        setInputLocked(false);
    if (m_boardView)
        m_boardView->lockVehiclePanel(false);
    startObjectMotions();
    m_arrivalDone = false;
}

void cMeadowFieldView::onUpdate() {
    cBackground::onUpdate();
    const float dt = frameDelta();
    if (!m_cellArrivals.empty()) {
        stepMotionList(
            m_cellArrivals, [dt](cMeadowCellView* view) { return view->stepBorderArrive(dt); },
            [](cMeadowCellView*) {});
        if (m_cellArrivals.empty())
            startNewLevelEffect();
    }
    stepMotionList(
        m_cellReArrivals, [dt](cMeadowCellView* view) { return view->stepBorderArrive(dt); }, [](cMeadowCellView*) {});
    if (m_waveRunning) {
        m_blinkLine->setPosition(m_blinkLine->getPosition() + cVector2(m_waveSpeed * dt, m_waveSpeed * dt));
        if (m_blinkLine->getPosition().y >= 2 * m_screenHeight) {
            m_waveRunning = false;
            m_nextWaveTime = randomFloat(m_waveIntervals.x, m_waveIntervals.y);
        }
    } else {
        m_nextWaveTime -= dt;
        if (m_nextWaveTime <= 0) {
            m_waveRunning = true;
            m_blinkLine->setPosition(cVector2(0, 0));
        }
    }
}

// ---- The trigger spiral ----

void cMeadowFieldView::startTriggerEffect(const cVector2& position) {
    cCellModel* carrier = m_model->getCell(int(position.x), int(position.y));
    if (!carrier)
        return;
    m_triggerEffectRunning = true;
    m_triggerOrigin = position;
    m_triggerNumber = carrier->getTriggerNumber();
    carrier->setTriggerNumber(0);
    m_triggerDirection = cVector2(-1, 0);
    m_legsAtLength = 0;
    m_legLength = 1;
    m_legStep = 0;
    m_triggerStepDelay = m_triggerCountdown = m_triggerStepStartDelay;
    m_edgeHit.fill(false);
    m_triggerCellView = findCellView(int(position.x), int(position.y));
    if (m_triggerCellView) {
        m_triggerCellView->enableTriggerIcon();
        const cDocumentHold effects("Meadow/View/effects/TriggerEffect.xml");
        for (int i = 0; i < effects->getChildCount(); ++i) {
            IXmlNode* element = nullptr;
            if (!effects->getNodeAt(i, element))
                continue;
            auto* effect = new cPyroEffect(this, std::string());
            effect->loadXML(element);
            effect->setPosition(m_triggerCellView->getPosition());
            effect->play(true);
            effect->show();
        }
    }
    if (m_controller)
        m_controller->setTriggerHold(true);
    for (auto& entry : m_cells)
        entry.second->hideBorders();

    m_triggerQueue.clear();
    for (;;) {
        ++m_legStep;
        const cVector2 p(m_triggerOrigin.x + m_triggerDirection.x * float(m_legStep),
                         m_triggerOrigin.y + m_triggerDirection.y * float(m_legStep));
        int row = int(p.x);
        int column = int(p.y);
        bool clamped = false;
        if (row < 0) {
            m_edgeHit[0] = clamped = true;
            row = 0;
        }
        if (column >= m_columns) {
            m_edgeHit[1] = clamped = true;
            column = m_columns - 1;
        }
        if (row >= m_rows) {
            m_edgeHit[2] = clamped = true;
            row = m_rows - 1;
        }
        if (column < 0) {
            m_edgeHit[3] = clamped = true;
            column = 0;
        }
        if (m_edgeHit[0] && m_edgeHit[1] && m_edgeHit[2] && m_edgeHit[3]) {
            playSound("trigger_effect");
            break;
        }
        if (m_legStep == m_legLength) {
            m_legStep = 0;
            ++m_legsAtLength;
            m_triggerDirection = cVector2(m_triggerDirection.y, -m_triggerDirection.x);
            m_triggerOrigin = p;
            if (m_legsAtLength == 2) {
                ++m_legLength;
                m_legsAtLength = 0;
            }
        }
        if (clamped)
            continue;
        cCellModel* cell = m_model->getCell(row, column);
        if (cell && cell->getAwaitedTrigger() == m_triggerNumber) {
            cell->setAwaitedTrigger(0);
            if (cMeadowCellView* view = findCellView(row, column))
                m_triggerQueue.push_back(view);
        }
    }
    // No cell waits for this trigger: it is fired at once, so later triggers still work.
    if (m_triggerQueue.empty())
        endTriggerEffect();
}

void cMeadowFieldView::stepTriggerEffect(float dt) {
    if (m_triggerCountdown > 0) {
        m_triggerCountdown -= dt;
    } else if (!m_triggerQueue.empty()) {
        cMeadowCellView* view = m_triggerQueue.front();
        m_triggerQueue.erase(m_triggerQueue.begin());
        view->startArrive(m_triggerEffectTime);
        m_triggerCells.push_back(view);
        if (!m_triggerQueue.empty()) {
            m_triggerStepDelay -= m_triggerStepStartDelayDecrease;
            m_triggerCountdown = m_triggerStepDelay;
        }
    }
    bool removed = false;
    stepMotionList(
        m_triggerCells, [dt](cMeadowCellView* view) { return view->stepArrive(dt); },
        [&removed](cMeadowCellView*) { removed = true; });
    if (removed && m_triggerCells.empty() && m_triggerQueue.empty())
        endTriggerEffect();
}

void cMeadowFieldView::endTriggerEffect() {
    if (m_triggerCellView)
        m_triggerCellView->updateFromModel();
    m_triggerCellView = nullptr;
    m_triggerEffectRunning = false;
    if (m_controller)
        m_controller->setTriggerHold(false);
    m_model->getFiredTriggers().push_back(m_triggerNumber);
    redrawCellBorders();
}

// ---- The mixing bees ----

void cMeadowFieldView::startMixingAnimation() {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            if (m_model->isCellBlocked(row, column))
                continue;
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            if (!piece || piece->getState() != cMeadowObjectModel::MIXING)
                continue;
            cMeadowObjectView* view = m_boardView->getGameObjectView(piece);
            if (!view)
                continue;
            m_motions.addMixing(view);
            view->setTargetPosition(getCellPosition(row, column));
            view->startMixing(m_boardView->getVisualState("mixing_bees"), m_maxMixEffectTime);
        }
    std::vector<cCellModel*> lists[4];
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cCellModel* cell = m_model->getCell(row, column);
            if (!cell || !cell->isEnabled())
                continue;
            if (cell->getLocks() == 2)
                lists[0].push_back(cell);
            else if (cell->getLocks() == 1)
                lists[1].push_back(cell);
            if (cell->getType() == 3)
                lists[2].push_back(cell);
            else if (cell->getType() == 2)
                lists[3].push_back(cell);
        }
    for (auto& list : lists) {
        if (list.empty())
            continue;
        const size_t index = size_t(float(randomNext()) / 32768.0f * float(list.size()));
        cCellModel* cell = list[std::min(index, list.size() - 1)];
        crashCell(cVector2(float(cell->getRow()), float(cell->getColumn())), nullptr);
        break;
    }
}

void cMeadowFieldView::stepMixingEffect(float dt) {
    if (!m_motions.stepMixing(dt))
        return;
    if (m_controller) {
        if (IAwardManager* awards = m_controller->getAwardManager())
            awards->checkBonusAward(MIX_BONUS_TYPE);
        m_controller->continueTurn();
        m_controller->setInputLocked(false);
    } else {
        setInputLocked(false);
    }
    if (m_boardView)
        m_boardView->onInstantBonusFinished();
}
