#include "game/model/QuietLevelView.h"

#include "engine/core/Random.h"
#include "game/model/BonusEffectLink.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowFigure.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/PassDownFeature.h"
#include "game/model/Signal.h"
#include "game/model/VehicleViewLink.h"
#include "game/model/VehiclesFeature.h"

#include <iterator>
#include <set>

using Engine::cVector2;

namespace {

// Type category of the bonus pieces.
const int32_t kBonusPieceCategory = 11;
// The bought bonus that pecks even a frozen cell.
const int kChickenBonusType = 12;

class cPieceView : public IPieceView {
public:
    explicit cPieceView(cMeadowObjectModel* piece) : m_piece(piece) {}
    cMeadowObjectModel* getObject() override { return m_piece; }
    bool isVisible() override { return true; }
    void setVisible(bool) override {}
    bool isEnabled() override { return true; }
    void detachInput() override {}

private:
    cMeadowObjectModel* m_piece;
};

class cVehicleView : public IVehicleView {
public:
    explicit cVehicleView(cVehicleModel* vehicle) : m_vehicle(vehicle) {}
    cVehicleModel* getVehicle() override { return m_vehicle; }

private:
    cVehicleModel* m_vehicle;
};

} // namespace

cQuietLevelView::cQuietLevelView(cMeadowModel& model, cMeadowController& controller)
    : m_model(model), m_controller(controller) {
    m_connections.push_back(
        model.m_objectPassedDownSignal.connect([this](cMeadowObjectModel* piece) { m_passedDown.push_back(piece); }));
    m_connections.push_back(model.m_prizeCellSignal.connect([this](int32_t row, int32_t column) {
        if (cMeadowObjectModel* piece = m_model.getObject(row, column))
            m_model.convertPrizeCell(piece, m_model.getCell(row, column));
    }));
    m_connections.push_back(model.m_blastBonusSignal.connect([this](cMeadowObjectModel* piece, bool wave) {
        if (!wave)
            onBonusGoesOff(piece);
    }));
    m_connections.push_back(
        model.m_lightningBonusSignal.connect([this](cMeadowObjectModel* piece, bool) { onBonusGoesOff(piece); }));
    m_connections.push_back(model.m_cellBlastedSignal.connect([this](cCellModel* cell) { onCellHit(cell, true); }));
    m_connections.push_back(model.m_cellLightningSignal.connect([this](cCellModel* cell) { onCellHit(cell, false); }));
}

cQuietLevelView::~cQuietLevelView() {
    for (auto& connection : m_connections)
        connection.disconnect();
}

IPieceView* cQuietLevelView::view(cMeadowObjectModel* piece) {
    if (!piece)
        return nullptr;
    auto& slot = m_views[piece];
    if (!slot)
        slot = std::make_unique<cPieceView>(piece);
    return slot.get();
}

void cQuietLevelView::finishLevel() {
    m_finished = true;
    m_controller.setInputLocked(true);
}

bool cQuietLevelView::hasMovingPiece() const {
    for (int32_t r = 0; r < m_model.getRows(); ++r)
        for (int32_t c = 0; c < m_model.getColumns(); ++c)
            if (cMeadowObjectModel* piece = m_model.getObject(r, c))
                if (piece->getState() != cMeadowObjectModel::IDLE &&
                    piece->getState() != cMeadowObjectModel::HIDDEN_STATE)
                    return true;
    return false;
}

bool cQuietLevelView::isActive() const {
    return m_exchange.first || m_swapBack.first || m_motion || !m_passedDown.empty() || !m_captured.empty() ||
           !m_crashing.empty();
}

void cQuietLevelView::openTriggerAt(const cVector2& position) {
    if (m_triggerOpened)
        return;
    const cVector2 opened = m_model.getNeighbourPositions(position);
    if (opened.x == -1.0f)
        return;
    cCellModel* carrier = m_model.getCell(int32_t(opened.x), int32_t(opened.y));
    const int32_t trigger = carrier->getTriggerNumber();
    carrier->setTriggerNumber(0);
    m_model.getFiredTriggers().push_back(trigger);
    m_triggerOpened = true;
}

void cQuietLevelView::applyFigureBonus(cMeadowFigure& figure, bool cascade) {
    const int32_t n = figure.getPositionCount();
    if (!cascade && n == 4) {
        figure.setBonus(cMeadowObjectModel::BLAST_BONUS);
        return;
    }
    bool around = false;
    if (!cascade && n == 5) {
        figure.setBonus(figure.isRowFigure() ? cMeadowObjectModel::ROW_LIGHTNING_BONUS
                                             : cMeadowObjectModel::COLUMN_LIGHTNING_BONUS);
        around = true;
    } else if ((!cascade && n >= 6) || (cascade && n >= 5)) {
        around = true;
    }
    if (around)
        takeAround(figure);
}

void cQuietLevelView::takeAround(const cMeadowFigure& figure) {
    std::set<cMeadowObjectModel*, cByBoardPlace> around;
    std::vector<cMeadowObjectModel*> neighbours;
    for (const cVector2& at : figure.getPositions()) {
        neighbours.clear();
        m_model.collectNeighbours(at, neighbours);
        for (cMeadowObjectModel* piece : neighbours)
            if (piece && !piece->isBusy() && !piece->getPrizeFlag() && piece->getBonusTag() == 0 &&
                m_model.getTypeCategory(piece->getType()) != kBonusPieceCategory)
                around.insert(piece);
    }
    int32_t count = figure.getPositionCount() == 5 ? FIVE_RUN_AROUND : int32_t(around.size() / 2);
    for (; count > 0 && !around.empty(); --count) {
        const size_t index = size_t(float(Engine::randomNext()) / 32768.0f * float(around.size()));
        auto it = std::next(around.begin(), std::ptrdiff_t(index));
        (*it)->setCaptured();
        m_captured.push_back(*it);
        around.erase(it);
    }
}

void cQuietLevelView::showMatchedFigures(const tFigureList& matched, bool cascade) {
    tFigureList figures = matched;
    if (!cascade) {
        // Two figures of the player's move that cross leave a cross lightning where they cross.
        for (size_t i = 0; i < figures.size(); ++i)
            for (size_t j = i + 1; j < figures.size(); ++j)
                for (int32_t k = 0; k < figures[i].getPositionCount(); ++k)
                    for (int32_t m = 0; m < figures[j].getPositionCount(); ++m)
                        if (figures[i].getPosition(k) == figures[j].getPosition(m)) {
                            figures[i].setCrossLightningBonus(k);
                            figures[j].setCrossLightningBonus(m);
                            break;
                        }
    }
    for (cMeadowFigure& figure : figures) {
        m_controller.playMatchSound();
        applyFigureBonus(figure, cascade);
        for (const cVector2& at : figure.getPositions()) {
            const int32_t row = int32_t(at.x), column = int32_t(at.y);
            cMeadowObjectModel* piece = m_model.getObject(row, column);
            if (!piece)
                continue;
            const int32_t state = piece->getState();
            if (state == cMeadowObjectModel::IDLE || state == cMeadowObjectModel::STATE_3 ||
                state == cMeadowObjectModel::DESTROYING || state == cMeadowObjectModel::STATE_22)
                continue;
            cCellModel* cell = m_model.getCell(row, column);
            if (cell->getLocks() > 0) {
                cell->setLocks(cell->getLocks() - 1);
                piece->setAtRest();
                continue;
            }
            if (cell->getType() > 1)
                cell->setType(cell->getType() - 1);
            if (!cascade)
                openTriggerAt(at);
            if (cVehicleModel* vehicle = m_model.getVehiclesFeature()->sendObject(piece)) {
                cVehicleView vehicleView(vehicle);
                m_controller.sendObjectToVehicle(view(piece), &vehicleView);
            } else if (piece == figure.getBonusObject() && piece->isValid()) {
                // The bonus piece takes the matched piece's place.
                m_model.cloneObjectAt(piece);
                m_model.releaseObject(piece);
            } else {
                m_model.removeObjectFromGrid(piece);
                m_model.releaseObject(piece);
            }
            m_model.incMatchedObjects();
        }
        m_controller.onFigureMatched(figure);
    }
}

void cQuietLevelView::crashCell(const cVector2& position, IBonusEffect* effect) {
    const int32_t row = int32_t(position.x), column = int32_t(position.y);
    cCellModel* cell = m_model.getCell(row, column);
    cMeadowObjectModel* piece = m_model.getObject(row, column);
    if (!piece || !cell)
        return;
    const bool chicken = effect && effect->getBonusType() == kChickenBonusType;
    if (cell->isFrozen() && !chicken)
        return;
    if (cell->getLocks() > 0) {
        cell->setLocks(cell->getLocks() - 1);
        piece->setAtRest();
        return;
    }
    if (cell->getType() > 1)
        cell->setType(cell->getType() - 1);
    openTriggerAt(position);
    const int32_t state = piece->getState();
    if (state != cMeadowObjectModel::CAPTURED && state != cMeadowObjectModel::BLASTED)
        return;
    piece->setDestroying();
    if (cVehicleModel* vehicle = m_model.getVehiclesFeature()->sendObject(piece)) {
        cVehicleView vehicleView(vehicle);
        m_controller.sendObjectToVehicle(view(piece), &vehicleView);
    } else {
        m_crashing.push_back(piece);
    }
    m_model.incMatchedObjects();
}

void cQuietLevelView::onBonusGoesOff(cMeadowObjectModel* piece) {
    crashCell(piece->getPosition(), nullptr);
    piece->setBonusTag(0);
    m_model.addBonusPointsForObject(piece);
}

void cQuietLevelView::onCellHit(cCellModel* cell, bool blast) {
    cMeadowObjectModel* piece = m_model.getObject(cell->getRow(), cell->getColumn());
    if (piece && piece->getState() == cMeadowObjectModel::IDLE && !piece->getPrizeFlag()) {
        piece->setState(cMeadowObjectModel::BLASTED);
        if (blast)
            piece->setBonusTag(cMeadowObjectModel::BLAST_BONUS);
        m_model.addBonusPointsForObject(piece);
    }
    crashCell(cVector2(float(cell->getRow()), float(cell->getColumn())), nullptr);
    if (piece)
        piece->setBonusTag(0);
}

void cQuietLevelView::step(float dt) {
    m_triggerOpened = false;
    bool finished = false;
    if (m_exchange.first) {
        auto pair = m_exchange;
        m_exchange = {};
        pair.first->getObject()->setIdle();
        pair.second->getObject()->setIdle();
        m_controller.onExchangeFinished(pair.first, pair.second);
    }
    if (m_swapBack.first) {
        m_swapBack.first->getObject()->setIdle();
        m_swapBack.second->getObject()->setIdle();
        m_swapBack = {};
    }
    // The pieces taken around a run are hit after a moment, those hit go after their crash.
    for (cMeadowObjectModel* piece : std::exchange(m_captured, {})) {
        // One that a bonus hit meanwhile is already on its way.
        if (piece->getState() != cMeadowObjectModel::CAPTURED)
            continue;
        crashCell(piece->getPosition(), nullptr);
    }
    for (cMeadowObjectModel* piece : std::exchange(m_crashing, {})) {
        m_controller.removeObject(view(piece));
        finished = true;
    }
    if (m_motion) {
        m_motion = false;
        m_model.resetObjectStates();
        finished = true;
    }
    if (finished)
        m_controller.continueTurn();
    for (cMeadowObjectModel* piece : std::exchange(m_passedDown, {})) {
        const int32_t type = piece->getType();
        m_model.releaseObject(piece);
        cPassDownFeature::payForObject(&m_model, type);
    }
    if (cVehicleModel* vehicle = m_model.getVehiclesFeature()->getActiveVehicle())
        if (vehicle->getState() == cVehicleModel::LAUNCHED_FRONT ||
            vehicle->getState() == cVehicleModel::LAUNCHED_BEHIND)
            vehicle->setState(cVehicleModel::TAKING_PIECES);
    if (!m_locked)
        m_controller.update(dt);
}
