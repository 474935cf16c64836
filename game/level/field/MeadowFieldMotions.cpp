// The road of a move on the field view: the motion lists walked in a fixed order every frame,
// the swap and the swap back, the matched figures with their bonuses and the pieces around
// them, falls and refills, hits on single cells with their sounds, and pieces passed down.

#include "game/level/field/MeadowFieldView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/Random.h"
#include "game/level/MeadowView.h"
#include "game/level/field/FlyingNumber.h"
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
#include "game/model/PassDownFeature.h"
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

// Walks a list, removing each element whose step reports its end, then calling `done` on it.
template <typename T, typename Step, typename Done> void walk(std::list<T>& list, Step step, Done done) {
    for (auto it = list.begin(); it != list.end();) {
        if (step(*it)) {
            T element = *it;
            it = list.erase(it);
            done(element);
        } else {
            ++it;
        }
    }
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
    bool finished = false;
    auto stepPair = [dt](tViewPair& pair) { return pair.first->stepExchange(dt) || pair.second->stepExchange(dt); };
    walk(m_exchangePairs, stepPair, [this](tViewPair& pair) {
        pair.first->endExchange();
        pair.second->endExchange();
        if (m_controller)
            m_controller->onExchangeFinished(pair.first, pair.second);
    });
    walk(m_swapBackPairs, stepPair, [this](tViewPair& pair) {
        pair.first->endExchange();
        pair.second->endExchange();
        m_selection->show();
        if (m_controller)
            m_controller->updateSelection(pair.first->getObject(), pair.second->getObject());
        else
            updateSelection();
    });
    walk(
        m_dyingFigures, [&](cMeadowFigure& figure) { return stepFigure(figure, dt); },
        [&](cMeadowFigure& figure) {
            finished = true;
            if (m_controller)
                m_controller->onFigureMatched(figure);
        });
    walk(
        m_crashing, [dt](cMeadowObjectView* view) { return view->stepDestroy(dt); },
        [&](cMeadowObjectView* view) {
            finished = true;
            if (m_controller)
                m_controller->removeObject(view);
        });
    walk(
        m_delayedCaptures, [dt](cMeadowObjectView* view) { return view->stepDelay(dt); },
        [this](cMeadowObjectView* view) {
            view->getObject()->setCaptured();
            crashCell(view->getObject()->getPosition(), nullptr);
        });
    walk(
        m_bouncing, [dt](cMeadowObjectView* view) { return view->stepBounce(dt); }, [](cMeadowObjectView*) {});
    walk(
        m_appearing, [dt](cMeadowObjectView* view) { return view->stepAppear(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    walk(
        m_descending, [dt](cMeadowObjectView* view) { return view->stepDescend(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    walk(
        m_falling, [dt](cMeadowObjectView* view) { return view->stepFall(dt); },
        [&](cMeadowObjectView* view) {
            cMeadowObjectModel* piece = view->getObject();
            if (m_model->hasFreeSpaceBelow(piece)) {
                // It falls on with the next drop the controller asks for.
                piece->setAtRest();
                view->attachInput();
                finished = true;
            } else {
                view->startLanding();
                m_landing.push_back(view);
            }
        });
    walk(
        m_landing, [dt](cMeadowObjectView* view) { return view->stepLanding(dt); },
        [&](cMeadowObjectView*) { finished = true; });
    if (finished && m_controller)
        m_controller->continueTurn();
    if (stepNewLevelFalls(dt))
        return;
    if (m_arrivalDone)
        showArrivalTips();
    stepMixingEffect(dt);
    walk(
        m_toVehicle, [dt](cMeadowObjectView* view) { return view->stepFall(dt); },
        [this](cMeadowObjectView* view) {
            cMeadowObjectModel* piece = view->getObject();
            const int32_t type = piece->getType();
            m_model->releaseObject(piece);
            const int32_t money = cPassDownFeature::payForObject(m_model, type);
            if (money > 0)
                new cFlyingNumber(nullptr, 100, 700, money, false, "Meadow/View/FlyingNumber.xml");
            view->hide();
            if (m_boardView) {
                m_boardView->updateInfoPanel();
                m_boardView->updateMoneyText();
            }
        });
    if (!m_endLevelFalls.empty()) {
        walk(
            m_endLevelFalls, [dt](cMeadowObjectView* view) { return view->stepEndLevelFall(dt); },
            [this](cMeadowObjectView* view) {
                if (m_controller)
                    m_controller->removeObject(view);
            });
        m_endLevelEffectDone = m_endLevelFalls.empty();
        if (m_endLevelEffectDone && m_boardView)
            m_boardView->onEndLevelEffectFinished();
    }
    trackBonusTarget();
}

void cMeadowFieldView::startEndLevelEffect(float) {
    playSound("object_fall_end_level");
    for (auto& entry : m_cells)
        entry.second->clearIcons();
    m_endLevelFalls.clear();
    m_endLevelEffectDone = false;
    // The rows are spread over the board's height, whatever the effect's length.
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            if (!piece || piece->isBusy())
                continue;
            if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece)) {
                view->startEndLevelFall(m_screenHeight, m_rows);
                m_endLevelFalls.push_back(view);
            }
        }
    if (m_endLevelFalls.empty()) {
        m_endLevelEffectDone = true;
        if (m_boardView)
            m_boardView->onEndLevelEffectFinished();
    } else {
        for (auto& entry : m_cells)
            if (entry.second->isVisible())
                entry.second->startRandomShake(true);
    }
    m_selection->hide();
}

bool cMeadowFieldView::stepFigure(cMeadowFigure& figure, float dt) {
    std::vector<cMeadowObjectModel*>& pieces = figure.getRemovedObjects();
    if (pieces.empty())
        return true;
    bool ended = false;
    for (cMeadowObjectModel* piece : pieces) {
        cMeadowObjectView* view = m_boardView->getGameObjectView(piece);
        if (view && view->stepMatch(dt)) {
            ended = true;
            break;
        }
    }
    if (!ended)
        return false;
    for (cMeadowObjectModel* piece : pieces) {
        if (piece->getState() != cMeadowObjectModel::STATE_3)
            continue;
        if (cMeadowObjectView* view = m_boardView->getGameObjectView(piece))
            view->hide();
        m_model->releaseObject(piece);
    }
    pieces.clear();
    return true;
}

void cMeadowFieldView::clearMotionLists() {
    m_exchangePairs.clear();
    m_swapBackPairs.clear();
    m_dyingFigures.clear();
    m_appearing.clear();
    m_descending.clear();
    m_crashing.clear();
    m_mixing.clear();
    m_falling.clear();
    m_landing.clear();
}

void cMeadowFieldView::resetForReplay() {
    clearMotionLists();
    m_model->resetObjectStates();
}

// ---- Swap and swap back ----

void cMeadowFieldView::startExchangePair(cMeadowObjectView* a, cMeadowObjectView* b) {
    const cVector2 pa = a->getPosition(), pb = b->getPosition();
    const bool horizontal = pa.x != pb.x;
    const bool forward = horizontal ? !(pb.x < pa.x) : !(pb.y < pa.y);
    a->setTargetPosition(getCellPositionOfView(a));
    a->startExchange(horizontal, forward);
    b->setTargetPosition(getCellPositionOfView(b));
    b->startExchange(horizontal, !forward);
}

void cMeadowFieldView::exchangeObjects(cMeadowObjectModel* a, cMeadowObjectModel* b) {
    m_selection->hide();
    cMeadowObjectView* first = m_boardView->getGameObjectView(a);
    cMeadowObjectView* second = m_boardView->getGameObjectView(b);
    if (!first || !second)
        throw "cMeadowFieldView::exchangeObjects(): view objects were not found for given model objects.";
    if (a->getState() != cMeadowObjectModel::EXCHANGING || b->getState() != cMeadowObjectModel::EXCHANGING)
        throw "cMeadowFieldView::exchangeObjects(): model objects have not EXCHANGING state.";
    startExchangePair(first, second);
    m_exchangePairs.emplace_back(first, second);
}

void cMeadowFieldView::swapBack(cMeadowObjectView* a, cMeadowObjectView* b) {
    startExchangePair(a, b);
    m_swapBackPairs.emplace_back(a, b);
}

// ---- Falls and refills ----

void cMeadowFieldView::startObjectMotions() {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            if (!piece)
                continue;
            const int32_t state = piece->getState();
            if (state != cMeadowObjectModel::APPEARING && state != cMeadowObjectModel::DESCENDING &&
                state != cMeadowObjectModel::FALLING && state != cMeadowObjectModel::SLIDING)
                continue;
            cMeadowObjectView* view = m_boardView->getGameObjectView(piece);
            if (!view)
                continue;
            const cVector2 cellPosition = getCellPosition(row, column);
            view->setTargetPosition(cellPosition);
            if (state == cMeadowObjectModel::APPEARING) {
                view->setPosition(cellPosition);
                view->startAppear();
                m_appearing.push_back(view);
            } else if (state == cMeadowObjectModel::DESCENDING) {
                view->startDescend();
                m_descending.push_back(view);
            } else {
                view->startFall(m_screenHeight, state == cMeadowObjectModel::SLIDING);
                m_falling.push_back(view);
            }
        }
}

void cMeadowFieldView::onObjectPassedDown(cMeadowObjectModel* piece) {
    cMeadowObjectView* view = m_boardView ? m_boardView->getGameObjectView(piece) : nullptr;
    if (!view)
        return;
    view->startFall(m_screenHeight, true);
    view->setTargetPosition(cVector2(50, 700));
    m_toVehicle.push_back(view);
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
        m_dyingFigures.push_back(figure);
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
            m_delayedCaptures.push_back(view);
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
            m_bouncing.push_back(view);
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
                m_crashing.push_back(view);
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
