// The grids of cells and pieces and the tests every board rule is built on.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"

using Engine::cStringA;
using Engine::cVector2;

namespace {

// (r-1,c-1), (r,c-1), (r+1,c-1), (r+1,c), (r+1,c+1), (r,c+1), (r-1,c+1), (r-1,c)
const int kNeighbourOffsets[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};

} // namespace

std::string cMeadowModel::positionText(int32_t row, int32_t column) {
    return std::to_string(row) + ", " + std::to_string(column);
}

void cMeadowModel::createBoard(int32_t rows, int32_t columns) {
    destroyBoard();
    if (rows < 0 || columns < 0)
        throw cStringA("cMeadowModel::createBoard(): wrong board size (" + std::to_string(rows) + ", " +
                       std::to_string(columns) + ")");
    m_rows = rows;
    m_columns = columns;
    m_pool = std::make_unique<cMeadowObjectPool>(rows * columns);
    m_objects.assign(size_t(rows), std::vector<cMeadowObjectModel*>(size_t(columns), nullptr));
    m_cells.resize(size_t(rows));
    for (auto& row : m_cells)
        row.resize(size_t(columns));
}

void cMeadowModel::destroyBoard() {
    m_selected = m_previousSelected = nullptr;
    m_newObjects.clear();
    m_variantCounters.clear();
    m_complexCells.clear();
    m_objects.clear();
    m_cells.clear();
    markCellsChanged();
    m_pool.reset();
    m_rows = m_columns = 0;
}

cCellModel* cMeadowModel::createCell(int32_t row, int32_t column, uint32_t code) {
    if (!isOnBoard(row, column))
        throw cStringA("cMeadowModel::createCell(): position is outside the board (" + positionText(row, column) + ")");
    auto& slot = m_cells[size_t(row)][size_t(column)];
    if (slot)
        throw cStringA("cMeadowModel::createCell(): cell is already defined in (" + positionText(row, column) + ")");
    slot = std::make_unique<cCellModel>(this, row, column);
    slot->setPackedCode(code);
    markCellsChanged();
    return slot.get();
}

cCellModel* cMeadowModel::getCell(int32_t row, int32_t column) const {
    if (!isOnBoard(row, column) || size_t(column) >= m_cells[size_t(row)].size())
        return nullptr;
    return m_cells[size_t(row)][size_t(column)].get();
}

void cMeadowModel::setObject(int32_t row, int32_t column, cMeadowObjectModel* piece) {
    if (uint32_t(row) >= m_objects.size() || uint32_t(column) >= m_objects[size_t(row)].size())
        throw cStringA("cMeadowModel::setObject(): position is outside the board (" + positionText(row, column) + ")");
    m_objects[size_t(row)][size_t(column)] = piece;
    if (piece)
        piece->setPosition(cVector2(float(row), float(column)));
}

void cMeadowModel::removeObjectFromGrid(cMeadowObjectModel* piece) {
    if (!piece)
        return;
    const cVector2& position = piece->getPosition();
    if (position.x != -1.0f && position.y != -1.0f) {
        int32_t row = int32_t(position.x), column = int32_t(position.y);
        // Only the piece's own slot is emptied: another piece may stand there by now.
        if (getObject(row, column) == piece)
            m_objects[size_t(row)][size_t(column)] = nullptr;
    }
    // The selection must not keep a piece that may go back to the pool.
    if (m_selected == piece)
        m_selected = nullptr;
    if (m_previousSelected == piece)
        m_previousSelected = nullptr;
}

void cMeadowModel::releaseObject(cMeadowObjectModel* piece) {
    if (!piece)
        return;
    piece->resetCounts();
    piece->setAtRest();
    piece->setBonusTag(0);
    piece->setPrizeFlag(false);
    piece->setValid(false);
    piece->setPosition(cVector2(-1.0f, -1.0f));
    if (m_pool)
        m_pool->release(piece);
}

void cMeadowModel::removeObjectAt(int32_t row, int32_t column) {
    cMeadowObjectModel* piece = getObject(row, column);
    if (!piece)
        return;
    removeObjectFromGrid(piece);
    releaseObject(piece);
    m_objects[size_t(row)][size_t(column)] = nullptr;
}

cMeadowObjectModel* cMeadowModel::createObjectAt(int32_t row, int32_t column) {
    if (!m_pool)
        throw cStringA("cMeadowModel::createObjectAt(): there is no board");
    return placeNewPiece(row, column, getRandomLevelType());
}

cMeadowObjectModel* cMeadowModel::placeNewPiece(int32_t row, int32_t column, int32_t type) {
    cMeadowObjectModel* piece = m_pool->acquire();
    piece->setValid(true);
    piece->resetCounts();
    piece->setAtRest();
    piece->setType(type);
    setObject(row, column, piece);
    return piece;
}

cMeadowObjectModel* cMeadowModel::cloneObjectAt(const cVector2& position, cMeadowObjectModel* source) {
    if (!m_pool)
        throw cStringA("cMeadowModel::cloneObjectAt(): there is no board");
    if (!source)
        throw cStringA("cMeadowModel::cloneObjectAt(): source object is 0");
    cMeadowObjectModel* piece = placeNewPiece(int32_t(position.x), int32_t(position.y), source->getType());
    piece->setBonusTag(source->getBonusTag());
    return piece;
}

cMeadowObjectModel* cMeadowModel::cloneObjectAt(cMeadowObjectModel* source) {
    if (!source)
        throw cStringA("cMeadowModel::cloneObjectAt(): source object is 0");
    return cloneObjectAt(source->getPosition(), source);
}

bool cMeadowModel::isCellBlocked(int32_t row, int32_t column) const {
    cCellModel* cell = getCell(row, column);
    if (!cell)
        return true;
    return cell->getTriggerNumber() > 0 || cell->isBlockFlagSet() || !cell->isEnabled() || cell->getLocks() > 0 ||
           cell->isFrozen();
}

cCellModel* cMeadowModel::requireCell(int32_t row, int32_t column, const char* operation) const {
    cCellModel* cell = getCell(row, column);
    if (!cell)
        throw cStringA(operation) + "(): cell is not defined in (" + positionText(row, column) + ")";
    return cell;
}

bool cMeadowModel::isLockedCell(int32_t row, int32_t column) const {
    return requireCell(row, column, "cMeadowModel::isLockedCell")->getLocks() > 0;
}

int32_t cMeadowModel::getCellType(int32_t row, int32_t column) const {
    return requireCell(row, column, "cMeadowModel::getCellType")->getType();
}

void cMeadowModel::setCellType(int32_t row, int32_t column, int32_t type) {
    requireCell(row, column, "cMeadowModel::setCellType")->setType(type);
}

int32_t cMeadowModel::getCellLocks(int32_t row, int32_t column) const {
    return requireCell(row, column, "cMeadowModel::getCellLocks")->getLocks();
}

void cMeadowModel::setCellLocks(int32_t row, int32_t column, int32_t locks) {
    requireCell(row, column, "cMeadowModel::setCellLocks")->setLocks(locks);
}

int32_t cMeadowModel::countVehicleCells() const {
    int32_t count = 0;
    for (const auto& row : m_cells)
        for (const auto& cell : row)
            if (cell && cell->getVehicleFlag())
                ++count;
    return count;
}

std::vector<cMeadowObjectModel*> cMeadowModel::getObjectList(bool all) const {
    std::vector<cMeadowObjectModel*> result;
    for (int32_t r = 0; r < int32_t(m_objects.size()); ++r) {
        for (int32_t c = 0; c < int32_t(m_objects[size_t(r)].size()); ++c) {
            cMeadowObjectModel* piece = m_objects[size_t(r)][size_t(c)];
            if (!piece)
                continue;
            if (!all) {
                cCellModel* cell = getCell(r, c);
                if ((cell && cell->isFrozen()) || piece->getPrizeFlag())
                    continue;
            }
            result.push_back(piece);
        }
    }
    return result;
}

void cMeadowModel::getFreeObjects(std::vector<cMeadowObjectModel*>& out) const {
    for (const auto& row : m_objects)
        for (cMeadowObjectModel* piece : row)
            if (piece && piece->isValid() && !piece->isBusy() && !piece->getPrizeFlag())
                out.push_back(piece);
}

void cMeadowModel::collectNeighbours(const cVector2& position, std::vector<cMeadowObjectModel*>& out) const {
    int32_t row = int32_t(position.x), column = int32_t(position.y);
    for (const auto& offset : kNeighbourOffsets) {
        if (cMeadowObjectModel* piece = getObject(row + offset[0], column + offset[1]))
            out.push_back(piece);
    }
}

void cMeadowModel::collectNeighbourCells(const cVector2& position, std::vector<cCellModel*>& out) const {
    int32_t row = int32_t(position.x), column = int32_t(position.y);
    for (const auto& offset : kNeighbourOffsets) {
        if (cCellModel* cell = getCell(row + offset[0], column + offset[1]))
            out.push_back(cell);
    }
}

std::vector<cVector2> cMeadowModel::getComplexCellsInSquare(int32_t firstRow, int32_t firstColumn, int32_t size) const {
    std::vector<cVector2> result;
    for (int32_t i = 0; i < size; ++i) {
        for (int32_t j = 0; j < size; ++j) {
            int32_t r = firstRow + i, c = firstColumn + j;
            if (!isOnBoard(r, c))
                continue;
            if (requireCell(r, c, "cMeadowModel::getComplexCellsInSquare")->isEnabled())
                result.push_back(cVector2(float(r), float(c)));
        }
    }
    return result;
}

bool cMeadowModel::hasFreeSpaceBelow(cMeadowObjectModel* piece) const {
    int32_t r = piece->getRow(), c = piece->getColumn();
    if (r <= 0)
        return false;
    if (!getObject(r - 1, c))
        return true;
    if (c > 0 && !getObject(r - 1, c - 1))
        return true;
    if (c < m_columns - 1 && !getObject(r - 1, c + 1))
        return true;
    return false;
}

void cMeadowModel::resetObjectStates() {
    for (const auto& row : m_objects)
        for (cMeadowObjectModel* piece : row)
            if (piece && piece->getState() != cMeadowObjectModel::HIDDEN_STATE)
                piece->setAtRest();
}

void cMeadowModel::setAllFalling() {
    for (const auto& row : m_objects)
        for (cMeadowObjectModel* piece : row)
            if (piece && piece->getState() != cMeadowObjectModel::HIDDEN_STATE)
                piece->setFalling();
}

bool cMeadowModel::hasBusyObject() const {
    for (const auto& row : m_objects)
        for (cMeadowObjectModel* piece : row)
            if (piece && piece->isInBusyState())
                return true;
    return false;
}

void cMeadowModel::resetMatchCounts() {
    for (const auto& row : m_objects)
        for (cMeadowObjectModel* piece : row)
            if (piece)
                piece->resetCounts();
}
