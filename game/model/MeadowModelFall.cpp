// Falls, diagonal slides, refill, the start board, its rearrangement and the mixing bonus.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"
#include "game/model/RandomDraw.h"
#include "game/model/Signal.h"

#include <algorithm>
#include <vector>

using Engine::cStringA;
using Engine::cVector2;

namespace {

// Rounds of the start board's run-breaking loop before a board is given up as one that can
// never offer a move, and variants one rearrangement tries.
constexpr int32_t START_BOARD_ROUNDS = 64;
constexpr int32_t REARRANGE_VARIANTS = 4096;

// The column a piece at (row, column) slides down into: the lower left or lower right cell that
// is open and empty, a random one of the two when both are; -1 when neither is. A fall only
// slides into a column that has settled.
int32_t slideColumn(const cMeadowModel& model, const cFallGrid& grid, int32_t row, int32_t column,
                    bool intoSettledOnly) {
    auto open = [&](int32_t c) {
        return c >= 0 && c < model.getColumns() && !grid.isBlocked(row - 1, c) && !model.getObject(row - 1, c) &&
               (!intoSettledOnly || model.isColumnSettled(grid, c));
    };
    const bool left = open(column - 1);
    const bool right = open(column + 1);
    if (left && right)
        return RandomDraw::index(100) >= 50 ? column + 1 : column - 1;
    return left ? column - 1 : right ? column + 1 : -1;
}

// A start fill leaves pieces of category 10 where the level put them; a type "GameObjects"
// does not list has no category.
bool isKeptType(const cMeadowModel& model, int32_t type) {
    const std::vector<int32_t>& kept = model.getTypesOfCategory(10);
    return std::find(kept.begin(), kept.end(), type) != kept.end();
}

} // namespace

const cFallGrid& cMeadowModel::readFallGrid() const {
    if (!m_fallGrid.isCurrent(m_rows, m_columns, m_firedTriggers))
        m_fallGrid.build(m_cells, m_rows, m_columns, m_firedTriggers);
    return m_fallGrid;
}

bool cMeadowModel::isSourceCell(int32_t row, int32_t column, bool occupied) const {
    return isSourceCell(readFallGrid(), row, column, occupied);
}

bool cMeadowModel::isSourceCell(const cFallGrid& grid, int32_t row, int32_t column, bool occupied) const {
    if (row == m_rows - 1)
        return true;
    if (occupied || !grid.isDefined(row, column))
        return false;
    bool fedFromAbove =
        grid.isEnabled(row + 1, column) || grid.isEnabled(row + 1, column - 1) || grid.isEnabled(row + 1, column + 1);
    if (!fedFromAbove)
        return true;
    return grid.isLocked(row, column) && !getObject(row, column);
}

bool cMeadowModel::isColumnSettled(int32_t column) const {
    return isColumnSettled(readFallGrid(), column);
}

bool cMeadowModel::isColumnSettled(const cFallGrid& grid, int32_t column) const {
    if (column < 0 || column >= m_columns)
        return true;
    for (int32_t r = 1; r < m_rows; ++r) {
        if (grid.isBlocked(r, column))
            continue;
        cMeadowObjectModel* piece = m_objects[size_t(r)][size_t(column)];
        if (piece) {
            if (piece->getState() == cMeadowObjectModel::STATE_22)
                continue;
            if (piece->isBusy())
                return false;
            if (!grid.isBlocked(r - 1, column) && !m_objects[size_t(r - 1)][size_t(column)])
                return false;
        } else if (isSourceCell(grid, r, column, false)) {
            return false;
        }
    }
    return true;
}

void cMeadowModel::checkAfterMove() {
    m_boardChanged = false;
    dropObjects();
    if (m_boardChanged) {
        m_noMoveReported = false;
        return;
    }
    if (hasBusyObject())
        return;
    if (hasMatches()) {
        resetMatchCounts();
        return;
    }
    if (m_noMoveReported)
        return;
    m_noMoveReported = true;
    cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
    if (!findPossibleMove(first, second))
        m_noMovesSignal();
}

void cMeadowModel::dropObjects() {
    const cFallGrid& grid = readFallGrid();
    const int32_t stride = grid.getStride();
    // Which columns hold an open empty cell (at c + 1; the two outside stay 0). Nothing falls,
    // refills or slides in a column when neither it nor a column beside it has one, so such a
    // column is passed over; a column a piece slides out of gains one.
    uint8_t fixedOpen[64] = {};
    std::vector<uint8_t> grownOpen;
    uint8_t* open = fixedOpen;
    if (size_t(m_columns) + 2 > sizeof fixedOpen) {
        grownOpen.assign(size_t(m_columns) + 2, 0);
        open = grownOpen.data();
    }
    for (int32_t r = 0; r < m_rows; ++r) {
        const auto& row = m_objects[size_t(r)];
        for (int32_t c = 0, i = grid.index(r, 0); c < m_columns; ++c, ++i)
            if (!row[size_t(c)] && !grid.isBlockedAt(i))
                open[c + 1] = 1;
    }
    for (int32_t c = 0; c < m_columns; ++c) {
        if (!open[c] && !open[c + 1] && !open[c + 2])
            continue;
        int32_t empty = -1;
        for (int32_t r = 0, i = grid.index(0, c); r < m_rows; ++r, i += stride) {
            if (grid.isBlockedAt(i)) {
                empty = -1;
                continue;
            }
            cMeadowObjectModel* piece = m_objects[size_t(r)][size_t(c)];
            if (!piece) {
                if (isSourceCell(grid, r, c, false)) {
                    createObjectAt(r, c)->setAppearing();
                    m_boardChanged = true;
                } else if (empty == -1) {
                    empty = r;
                }
                continue;
            }
            if (r == 0)
                continue;
            if (piece->isBusy()) {
                empty = -1;
                continue;
            }
            if (empty != -1) {
                setObject(empty, c, piece);
                piece->setFalling();
                m_objects[size_t(r)][size_t(c)] = nullptr;
                m_boardChanged = true;
                ++empty;
                continue;
            }
            // The way down is taken: try the lower left and lower right cells, when one is free
            // (the grid's border stands for the cells beside the board).
            const auto& below = m_objects[size_t(r - 1)];
            const bool leftFree = !grid.isBlockedAt(i - stride - 1) && !below[size_t(c - 1)];
            const bool rightFree = !grid.isBlockedAt(i - stride + 1) && !below[size_t(c + 1)];
            if (!leftFree && !rightFree)
                continue;
            const int32_t target = slideColumn(*this, grid, r, c, true);
            if (target == -1)
                continue;
            setObject(r - 1, target, piece);
            piece->setSliding();
            m_objects[size_t(r)][size_t(c)] = nullptr;
            open[c + 1] = 1;
            m_boardChanged = true;
        }
    }
}

namespace {

// A new piece at a start-fill source cell.
void appendNewPiece(cMeadowModel& model, int32_t row, int32_t column) {
    cMeadowObjectModel* piece = model.createObjectAt(row, column);
    piece->setAppearing();
    model.getNewObjects().push_back(piece);
    model.setBoardChanged(true);
}

// A start-fill step: the piece moves from (row, column) one row down into toColumn, and the
// source cell it leaves gets a new piece.
void descendPiece(cMeadowModel& model, const cFallGrid& grid, cMeadowObjectModel* piece, int32_t row, int32_t column,
                  int32_t toColumn) {
    model.setObject(row - 1, toColumn, piece);
    piece->setDescending();
    model.setObject(row, column, nullptr);
    if (model.isSourceCell(grid, row, column, false))
        appendNewPiece(model, row, column);
    model.setBoardChanged(true);
}

} // namespace

void cMeadowModel::fillEmptyCells(bool keepCategory10) {
    const cFallGrid& grid = readFallGrid();
    for (int32_t r = m_rows - 1; r >= 0; --r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            if (grid.isBlocked(r, c))
                continue;
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece) {
                if (isSourceCell(grid, r, c, false))
                    appendNewPiece(*this, r, c);
                continue;
            }
            if (keepCategory10 && isKeptType(*this, piece->getType()))
                continue;
            if (piece->isBusy()) {
                if (piece->getState() == cMeadowObjectModel::STATE_8 && !grid.isFrozen(r, c))
                    m_boardChanged = true;
                continue;
            }
            if (r == 0 || grid.isBlocked(r - 1, c) || getObject(r - 1, c))
                continue;
            descendPiece(*this, grid, piece, r, c, c);
        }
    }
}

void cMeadowModel::fillEmptyCellsDiagonal(bool keepCategory10) {
    const cFallGrid& grid = readFallGrid();
    for (int32_t r = m_rows - 1; r >= 0; --r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            if (grid.isBlocked(r, c))
                continue;
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece) {
                if (isSourceCell(grid, r, c, false))
                    appendNewPiece(*this, r, c);
                continue;
            }
            if (piece->isBusy() || (keepCategory10 && isKeptType(*this, piece->getType())) || r < 1)
                continue;
            const int32_t target = slideColumn(*this, grid, r, c, false);
            if (target == -1)
                continue;
            piece->setFlagB(true);
            descendPiece(*this, grid, piece, r, c, target);
            return;
        }
    }
}

void cMeadowModel::generateStartBoard() {
    m_newObjects.clear();
    for (;;) {
        m_boardChanged = false;
        resetObjectStates();
        fillEmptyCells(true);
        if (m_boardChanged)
            continue;
        resetObjectStates();
        fillEmptyCellsDiagonal(true);
        if (!m_boardChanged)
            break;
    }
    cVector2 first, second;
    for (int32_t round = 0;; ++round) {
        // A board whose cells admit no move at all (too small, too few types) would loop here
        // for ever.
        if (round == START_BOARD_ROUNDS)
            throw cStringA("cMeadowModel::generateStartBoard(): cannot make a start board with a possible move on a " +
                           std::to_string(m_rows) + " x " + std::to_string(m_columns) + " board");
        resetObjectStates();
        if (hasMatches())
            destroyFigures();
        first = second = cVector2(-1.0f, -1.0f);
        if (!findPossibleMove(first, second) && !rearrangeBoard())
            rearrangeFreePieces();
        if (hasMatches())
            continue;
        first = second = cVector2(-1.0f, -1.0f);
        if (findPossibleMove(first, second)) {
            setAllFalling();
            return;
        }
    }
}

bool cMeadowModel::advanceVariant() {
    for (size_t i = 0; i < m_newObjects.size() && i < m_variantCounters.size(); ++i) {
        cMeadowObjectModel* piece = m_newObjects[i];
        piece->setType(getNextEmptyType(piece->getType()));
        if (m_variantCounters[i] != m_maxObjectsOnLevel) {
            ++m_variantCounters[i];
            return true;
        }
        m_variantCounters[i] = 0;
    }
    return false;
}

bool cMeadowModel::rearrangeBoard() {
    m_variantCounters.assign(m_newObjects.size(), 0);
    cVector2 first, second;
    for (int32_t step = 0; step < REARRANGE_VARIANTS; ++step) {
        if (!advanceVariant())
            return false;
        if (hasMatches()) {
            resetMatchCounts();
            return true;
        }
        first = second = cVector2(-1.0f, -1.0f);
        if (findPossibleMove(first, second))
            return true;
    }
    return false;
}

bool cMeadowModel::rearrangeFreePieces() {
    m_newObjects.clear();
    for (int32_t r = m_rows - 1; r >= 1; --r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            if (isCellBlocked(r, c))
                continue;
            cMeadowObjectModel* piece = getObject(r, c);
            // Prize and bonus pieces keep their types.
            if (piece && isLevelType(piece->getType()) &&
                (piece->getState() == cMeadowObjectModel::IDLE || piece->getState() == cMeadowObjectModel::MOVING))
                m_newObjects.push_back(piece);
        }
    }
    m_variantCounters.assign(m_newObjects.size(), 0);
    if (!advanceVariant())
        return false;
    cVector2 first, second;
    for (int32_t step = 0; step < REARRANGE_VARIANTS; ++step) {
        if (hasMatches()) {
            resetMatchCounts();
            return true;
        }
        first = second = cVector2(-1.0f, -1.0f);
        if (findPossibleMove(first, second))
            return true;
        if (!advanceVariant())
            return false;
    }
    return false;
}

int32_t cMeadowModel::getNextEmptyType(int32_t type) const {
    auto it = std::find(m_levelTypes.begin(), m_levelTypes.end(), type);
    if (it == m_levelTypes.end())
        throw cStringA("cMeadowModel::getNextEmptyType(): a given type was not found: " + std::to_string(type));
    if (type == m_levelTypes.back())
        return m_levelTypes.front();
    return *(it + 1);
}

bool cMeadowModel::mixObjects() {
    std::vector<cMeadowObjectModel*> free;
    getFreeObjects(free);
    std::vector<cMeadowObjectModel*> candidates;
    for (cMeadowObjectModel* piece : free)
        if (piece->getState() != cMeadowObjectModel::HIDDEN_STATE && piece->getBonusTag() == 0 &&
            !isCellBlocked(piece->getRow(), piece->getColumn()))
            candidates.push_back(piece);
    const int32_t n = int32_t(candidates.size());
    for (int32_t k = 0; k < 2 * n; ++k) {
        const int32_t i = RandomDraw::index(n);
        const int32_t j = RandomDraw::index(n);
        if (i == j)
            continue;
        swapInGrid(candidates[size_t(i)], candidates[size_t(j)]);
        candidates[size_t(i)]->setMixing();
        candidates[size_t(j)]->setMixing();
    }
    return true;
}
