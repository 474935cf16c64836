// The road of a move on the field view: the frame that steps the motion lists (cFieldMotions),
// the swap and the swap back, the matched figures with their bonuses and the pieces around
// them, hits on single cells with their sounds, and pieces passed down.

#include "game/level/field/MeadowFieldView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/Random.h"
#include "game/level/MeadowView.h"
#include "game/level/field/MeadowCellView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/level/field/SelectionSprite.h"
#include "game/model/AwardManagerLink.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehicleViewLink.h"
#include "game/model/VehiclesFeature.h"

#include <set>
#include <sstream>

using namespace Engine;

namespace {

void playSound(const char* id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

// Every piece the board counts as matched may reach the matched-pieces award.
void checkMatchesAward(cMeadowController* controller) {
    if (IAwardManager* awards = controller ? controller->getAwardManager() : nullptr)
        awards->checkAwardNMatches();
}

class cVehicleLink : public IVehicleView {
public:
    explicit cVehicleLink(cVehicleModel* vehicle) : m_vehicle(vehicle) {}
    cVehicleModel* getVehicle() override { return m_vehicle; }

private:
    cVehicleModel* m_vehicle;
};

} // namespace

// ---- The frame ----

void cMeadowFieldView::process() {
    cBackground::process();
    const float dt = frameDelta();
    if (m_triggerEffectRunning)
        stepTriggerEffect(dt);
    for (auto it = m_prizeCells.begin(); it != m_prizeCells.end();)
        it = showPrizeCell(it->x, it->y) ? m_prizeCells.erase(it) : std::next(it);
    m_soundClock += dt;
    const bool finished = m_motions.stepMove(dt);
    if (finished && m_controller)
        m_controller->continueTurn();
    if (stepNewLevelFalls(dt))
        return;
    if (m_arrivalDone)
        showArrivalTips();
    stepMixingEffect(dt);
    m_motions.stepToVehicle(dt);
    m_motions.stepEndLevelFalls(dt);
    trackBonusTarget();
}

void cMeadowFieldView::startEndLevelEffect(float) {
    playSound("object_fall_end_level");
    for (auto& entry : m_cells)
        entry.second->clearIcons();
    if (m_motions.startEndLevelFalls())
        for (auto& entry : m_cells)
            if (entry.second->isVisible())
                entry.second->startRandomShake(true);
    m_selection->hide();
}

void cMeadowFieldView::resetForReplay() {
    m_motions.clear();
    m_model->resetObjectStates();
}

// ---- Swap and swap back ----

void cMeadowFieldView::exchangeObjects(cMeadowObjectModel* a, cMeadowObjectModel* b) {
    m_selection->hide();
    cMeadowObjectView* first = m_boardView->getGameObjectView(a);
    cMeadowObjectView* second = m_boardView->getGameObjectView(b);
    if (!first || !second)
        throw "cMeadowFieldView::exchangeObjects(): view objects were not found for given model objects.";
    if (a->getState() != cMeadowObjectModel::EXCHANGING || b->getState() != cMeadowObjectModel::EXCHANGING)
        throw "cMeadowFieldView::exchangeObjects(): model objects have not EXCHANGING state.";
    m_motions.startExchange(first, second);
}

void cMeadowFieldView::swapBack(cMeadowObjectView* a, cMeadowObjectView* b) {
    m_motions.startSwapBack(a, b);
}

// ---- Falls and refills ----

void cMeadowFieldView::startObjectMotions() {
    m_motions.startObjectMotions();
}

void cMeadowFieldView::onObjectPassedDown(cMeadowObjectModel* piece) {
    cMeadowObjectView* view = m_boardView ? m_boardView->getGameObjectView(piece) : nullptr;
    if (!view)
        return;
    m_motions.startPassDown(view);
    if (piece->getType() == m_model->getGoldPrizeObjectType())
        playSound("gold_down");
    else if (piece->getType() == m_model->getVehicleObjectType())
        playSound("truck_down");
}

void cMeadowFieldView::addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* view) {
    view->detachInput();
    view->hide();
    cVehicleLink link(vehicle);
    if (m_controller)
        m_controller->sendObjectToVehicle(view, &link);
}

void cMeadowFieldView::openTriggerAt(const cVector2& position) {
    if (m_triggerEffectRunning)
        return;
    const cVector2 found = m_model->getNeighbourPositions(position);
    if (found.x != -1.0f)
        startTriggerEffect(found);
}

// ---- Matches ----

void cMeadowFieldView::updateMatchedFigures(const tFigureList& matched, bool cascade) {
    tFigureList figures = matched;
    if (!cascade) {
        // Two figures of the player's move that cross share a cross lightning at the crossing.
        for (size_t i = 0; i < figures.size(); ++i)
            for (size_t j = i + 1; j < figures.size(); ++j)
                for (int k = 0; k < figures[i].getPositionCount(); ++k)
                    for (int m = 0; m < figures[j].getPositionCount(); ++m)
                        if (figures[i].getPosition(k) == figures[j].getPosition(m)) {
                            figures[i].setCrossLightningBonus(k);
                            figures[j].setCrossLightningBonus(m);
                            break;
                        }
    }
    bool lockFlag = false, ironFlag = false, woodFlag = false;
    for (cMeadowFigure& figure : figures) {
        if (m_controller)
            m_controller->playMatchSound();
        applyFigureBonus(figure, cascade);
        const int n = figure.getPositionCount();
        for (int j = 0; j < n; ++j) {
            const cVector2 at = figure.getPosition(j);
            const int row = int(at.x), column = int(at.y);
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            const int32_t state = piece ? piece->getState() : 0;
            if (!piece || state == cMeadowObjectModel::STATE_3 || state == cMeadowObjectModel::DESTROYING ||
                state == cMeadowObjectModel::IDLE || state == cMeadowObjectModel::STATE_22) {
                figure.setPosition(j, -1, -1);
                continue;
            }
            cMeadowObjectView* view = m_boardView->getGameObjectView(piece);
            cCellModel* cell = m_model->getCell(row, column);
            cMeadowCellView* cellView = findCellView(row, column);
            if (!cellView) {
                std::ostringstream text;
                text << "cMeadowFieldView::updateMatchedFigures(): cell view is 0 in pos(" << row << ", " << column
                     << ")";
                throw std::string(text.str());
            }
            if (cell->getLocks() > 0) {
                cell->setLocks(cell->getLocks() - 1);
                cellView->updateFromModel();
                figure.setPosition(j, -1, -1);
                lockFlag = true;
                piece->setAtRest();
                if (m_controller)
                    ++m_controller->getSeriesLocksRemoved();
                continue;
            }
            if (cell->getType() > 1) {
                woodFlag = woodFlag || cell->getType() == 2;
                ironFlag = ironFlag || cell->getType() == 3;
                cellView->spawnParts(false);
                cell->setType(cell->getType() - 1);
                cellView->updateFromModel();
            }
            if (!cascade)
                openTriggerAt(at);
            if (cVehicleModel* vehicle = m_model->getVehiclesFeature()->sendObject(piece)) {
                addFlyingObject(vehicle, view);
                m_model->removeObjectFromGrid(piece);
                figure.setPosition(j, -1, -1);
            } else if (piece == figure.getBonusObject() && piece->isValid()) {
                cMeadowObjectModel* copy = m_model->cloneObjectAt(piece);
                m_boardView->showBonusObject(copy);
                if (view && view->getObject() == piece)
                    view->hide();
                m_model->releaseObject(piece);
            } else {
                if (view)
                    view->startMatch();
                m_model->removeObjectFromGrid(piece);
                figure.getRemovedObjects().push_back(piece);
            }
            m_model->incMatchedObjects();
            checkMatchesAward(m_controller);
            cellView->freezeForDelay();
            // The bigger the figure, the bigger the crush: 3, 4, 5 and more pieces.
            cellView->startCrushAnimation(n >= 3 && n <= 5 ? n - 3 : 3);
        }
        m_motions.addDyingFigure(figure);
    }
    if (m_soundClock > m_cellCrashBufferTime) {
        m_soundClock = 0;
        playCrashSound(lockFlag, ironFlag, woodFlag, false);
    }
}

void cMeadowFieldView::applyFigureBonus(cMeadowFigure& figure, bool cascade) {
    const int n = figure.getPositionCount();
    if (!cascade && n == 4) {
        figure.setBonus(cMeadowObjectModel::BLAST_BONUS);
        return;
    }
    bool around = false;
    if (!cascade && n == 5) {
        playSound("simple_match");
        figure.setBonus(figure.isRowFigure() ? cMeadowObjectModel::ROW_LIGHTNING_BONUS
                                             : cMeadowObjectModel::COLUMN_LIGHTNING_BONUS);
        around = true;
    } else if ((!cascade && n >= 6) || (cascade && n >= 5)) {
        around = true;
    }
    if (around) {
        matchAroundFigure(figure);
        if (m_boardView)
            m_boardView->shakeIdleObjects();
    }
    if (n == 6 || n == 7)
        playSound("match_67");
    else if (n > 7)
        playSound("best_match");
}

void cMeadowFieldView::matchAroundFigure(cMeadowFigure& figure) {
    std::set<cMeadowObjectModel*, cByBoardPlace> around;
    std::vector<cMeadowObjectModel*> neighbours;
    for (const cVector2& at : figure.getPositions()) {
        if (at.x == -1.0f || at.y == -1.0f)
            throw "cMeadowFieldView::matchAroundFigure(): figure's object position is (-1, -1)";
        neighbours.clear();
        m_model->collectNeighbours(at, neighbours);
        for (cMeadowObjectModel* piece : neighbours)
            if (piece && !piece->isBusy() && !piece->getPrizeFlag() && piece->getBonusTag() == 0 &&
                m_model->getTypeCategory(piece->getType()) != 11)
                around.insert(piece);
    }
    int k = 0;
    float delay = 0;
    if (figure.getPositionCount() == 5) {
        k = m_fig5AroundObjects;
        delay = m_fig5BouncingDelay;
    } else {
        k = int(around.size() / 2);
    }
    while (k > 0 && !around.empty()) {
        const int index = int(float(randomNext()) / 32768.0f * float(around.size()));
        auto it = std::next(around.begin(), index);
        cMeadowObjectModel* piece = *it;
        around.erase(it);
        if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece)) {
            view->captureWithDelay(m_perimeterEffectDelay);
            m_motions.addDelayedCapture(view);
        }
        --k;
    }
    if (around.empty())
        return;
    cVector2 centre(0, 0);
    for (const cVector2& at : figure.getPositions())
        if (cMeadowObjectModel* piece = m_model->getObject(int(at.x), int(at.y))) {
            if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece))
                centre = view->getPosition();
            break;
        }
    for (cMeadowObjectModel* piece : around)
        if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece)) {
            const cVector2 away = view->getPosition() - centre;
            view->startBounce(away.x, away.y, delay);
            m_motions.addBouncing(view);
        }
}

// ---- Hits on single cells ----

void cMeadowFieldView::crashCell(const cVector2& position, IBonusEffect* effect) {
    const int row = int(position.x), column = int(position.y);
    cCellModel* cell = m_model->getCell(row, column);
    cMeadowCellView* cellView = findCellView(row, column);
    cMeadowObjectModel* piece = m_model->getObject(row, column);
    if (!piece || !cell || !cellView)
        return;
    const bool chicken = effect && effect->getBonusType() == 12;
    if (cell->isFrozen() && !chicken)
        return;
    bool lockFlag = false, ironFlag = false, woodFlag = false;
    cMeadowObjectView* view = m_boardView->getGameObjectView(piece);
    if (cell->getLocks() > 0) {
        cell->setLocks(cell->getLocks() - 1);
        if (m_controller)
            ++m_controller->getSeriesLocksRemoved();
        lockFlag = true;
        cellView->updateFromModel();
        if (view)
            view->getDecoration()->hide();
        piece->setAtRest();
    } else {
        if (cell->getType() > 1) {
            woodFlag = cell->getType() == 2;
            ironFlag = cell->getType() == 3;
            cellView->spawnParts(false);
            cell->setType(cell->getType() - 1);
            cellView->updateFromModel();
        }
        cellView->startCrushAnimation(0);
        openTriggerAt(position);
        const int32_t state = piece->getState();
        if (state == cMeadowObjectModel::CAPTURED || state == cMeadowObjectModel::BLASTED) {
            piece->setDestroying();
            if (cVehicleModel* vehicle = m_model->getVehiclesFeature()->sendObject(piece)) {
                if (view)
                    addFlyingObject(vehicle, view);
                m_model->removeObjectFromGrid(piece);
            } else if (view) {
                view->startDestroy();
                m_motions.addCrashing(view);
                view->removeFireEffect();
            }
            m_model->incMatchedObjects();
            checkMatchesAward(m_controller);
            cellView->freezeForDelay();
        }
    }
    if (m_soundClock > m_cellCrashBufferTime) {
        m_soundClock = 0;
        playCrashSound(lockFlag, ironFlag, woodFlag, !m_crashFromSignal && !effect);
    }
}

void cMeadowFieldView::playOneOf(const std::vector<std::string>& ids) {
    IGameSounds* sounds = GameServices::getGameSounds();
    if (!sounds || ids.empty())
        return;
    const size_t index = size_t(float(randomNext()) / 32768.0f * float(ids.size()));
    sounds->playSingle(ids[index], m_cellCrashBufferTime, 0);
}

void cMeadowFieldView::playCrashSound(bool lock, bool iron, bool wood, bool plainCrash) {
    if (lock)
        playOneOf(m_chainCrashSounds);
    else if (iron)
        playOneOf(m_ironCrashSounds);
    else if (wood)
        playOneOf(m_woodCrashSounds);
    else if (plainCrash)
        playSound("object_crash");
}
