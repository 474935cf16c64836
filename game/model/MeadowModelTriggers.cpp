// Triggers that open waiting cells, hidden pieces, prize cells and the pass-down of prize
// pieces at the bottom of the board.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"
#include "game/model/Signal.h"

using Engine::cStringA;
using Engine::cVector2;

namespace {

void checkTriggerNumber(const char* operation, int32_t number) {
    if (number < 0 || number >= cMeadowModel::TRIGGER_COUNT)
        throw cStringA(std::string(operation) + "(): wrong trigger number: " + std::to_string(number));
}

} // namespace

int32_t cMeadowModel::getNextTriggerNumber() const {
    for (int32_t n = 1; n < TRIGGER_COUNT && n < int32_t(m_triggerTable.size()); ++n)
        if (m_triggerTable[size_t(n)] == 0)
            return n;
    throw cStringA("cMeadowModel::getNextTriggerNumber(): there is no free trigger number");
}

void cMeadowModel::useTriggerNumber(int32_t number) {
    checkTriggerNumber("cMeadowModel::useTriggerNumber", number);
    m_triggerTable[size_t(number)] = 1;
}

void cMeadowModel::freeTriggerNumber(int32_t number) {
    checkTriggerNumber("cMeadowModel::freeTriggerNumber", number);
    m_triggerTable[size_t(number)] = 0;
}

void cMeadowModel::showHiddenObjects(int32_t trigger) {
    std::vector<cCellModel*> opened;
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            cCellModel* cell = getCell(r, c);
            if (!cell || cell->getAwaitedTrigger() != trigger)
                continue;
            opened.push_back(cell);
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece)
                continue;
            if (piece->getState() != cMeadowObjectModel::HIDDEN_STATE)
                throw cStringA("cMeadowModel::showHiddenObjects(): object has not HIDDEN_STATE, (" +
                               positionText(r, c) + ").");
            piece->setAtRest();
            m_hiddenObjectShownSignal(piece);
        }
    }
    for (cCellModel* cell : opened)
        if (cell->getVehicleFlag() || cell->getGoldPrizeFlag())
            m_prizeCellSignal(cell->getRow(), cell->getColumn());
}

cVector2 cMeadowModel::getNeighbourPositions(const cVector2& position) {
    const int32_t row = int32_t(position.x), column = int32_t(position.y);
    const int32_t offsets[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& offset : offsets) {
        const int32_t r = row + offset[0], c = column + offset[1];
        cCellModel* cell = getCell(r, c);
        if (!cell || cell->getTriggerNumber() <= 0)
            continue;
        showHiddenObjects(cell->getTriggerNumber());
        return cVector2(float(r), float(c));
    }
    return cVector2(-1.0f, -1.0f);
}

void cMeadowModel::convertPrizeCell(cMeadowObjectModel* piece, cCellModel* cell) {
    if (!piece || !cell)
        return;
    piece->setPrizeFlag(true);
    piece->setType(cell->getGoldPrizeFlag() ? cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE
                                            : cMeadowObjectModel::VEHICLE_OBJECT_TYPE);
    cell->setVehicleFlag(false);
    cell->setGoldPrizeFlag(false);
}

void cMeadowModel::convertPrizeCells() {
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            cCellModel* cell = getCell(r, c);
            if (!cell)
                continue;
            if (cell->getGoldPrizeFlag())
                ++m_goldPrizesTotal;
            if (cell->isEnabled() && (cell->getVehicleFlag() || cell->getGoldPrizeFlag()))
                if (cMeadowObjectModel* piece = getObject(r, c))
                    convertPrizeCell(piece, cell);
        }
    }
    m_goldPrizesLeft = m_goldPrizesTotal;
}

void cMeadowModel::testPassDownObjects() {
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece || !piece->getPrizeFlag() || piece->getState() != cMeadowObjectModel::IDLE)
                continue;
            bool enabledBelow = false;
            for (int32_t below = r - 1; below >= 0 && !enabledBelow; --below) {
                cCellModel* cell = getCell(below, c);
                enabledBelow = cell && cell->isEnabled();
            }
            if (enabledBelow)
                continue;
            const int32_t type = piece->getType();
            removeObjectFromGrid(piece);
            m_objectPassedDownSignal(piece);
            if (type == cMeadowObjectModel::VEHICLE_OBJECT_TYPE) {
                // Every vehicle may already be on its way (more vehicle pieces than vehicles, or
                // several passing down at once): the piece is simply gone, the game goes on.
                m_vehicles->launchNextVehicle();
            } else if (type == cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE) {
                --m_goldPrizesLeft;
            }
        }
    }
}

void cMeadowModel::clearTransientCellFlags() {
    for (int32_t r = 0; r < m_rows; ++r)
        for (int32_t c = 0; c < m_columns; ++c)
            if (cCellModel* cell = getCell(r, c))
                cell->setBlockFlag(false);
}
