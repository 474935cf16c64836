// Selection, swaps, match detection, the move search and matched figures.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"

#include <algorithm>
#include <cmath>

using Engine::cStringA;
using Engine::cVector2;

cMeadowObjectModel* cMeadowModel::setSelected(cMeadowObjectModel* piece) {
    m_previousSelected = m_selected;
    if (m_previousSelected)
        m_previousSelected->setSelected(false);
    m_selected = piece;
    if (!piece)
        throw cStringA("cMeadowModel::setSelected(): try to set NULL as selected object.");
    piece->setSelected(true);
    return m_previousSelected;
}

bool cMeadowModel::isNeighbour(cMeadowObjectModel* a, cMeadowObjectModel* b) const {
    if (!a || !b)
        return false;
    const cVector2& pa = a->getPosition();
    const cVector2& pb = b->getPosition();
    return (std::fabs(pa.x - pb.x) == 1.0f && pa.y == pb.y) || (std::fabs(pa.y - pb.y) == 1.0f && pa.x == pb.x);
}

void cMeadowModel::swapInGrid(cMeadowObjectModel* a, cMeadowObjectModel* b) {
    const cVector2 pa = a->getPosition();
    const cVector2 pb = b->getPosition();
    setObject(int32_t(pa.x), int32_t(pa.y), b);
    setObject(int32_t(pb.x), int32_t(pb.y), a);
}

bool cMeadowModel::swapObjects(cMeadowObjectModel* a, cMeadowObjectModel* b) {
    swapInGrid(a, b);
    a->setExchanging();
    b->setExchanging();
    return true;
}

bool cMeadowModel::hasMatches() {
    m_matchGrid.build(m_objects, readFallGrid(), false);
    return m_matchGrid.writeCounts();
}

bool cMeadowModel::findPossibleMove(cVector2& first, cVector2& second) {
    // Every candidate is tried on a copy of the board instead of swapping in the grids; the
    // counts the pieces are left with are those the last trial swap would leave.
    cMatchGrid& grid = m_matchGrid;
    grid.build(m_objects, readFallGrid(), true);
    grid.collectRuns();
    int32_t lastA = -1, lastB = -1;
    bool lastRun = false;
    auto leaveCounts = [&]() {
        if (lastA < 0)
            return;
        if (lastRun)
            resetMatchCounts();
        else
            grid.writeCountsSwapped(lastA, lastB);
    };

    // Blocked cells, empty places and prize pieces never take part in a trial swap.
    auto candidate = [&grid](int32_t i) { return !grid.isBlocked(i) && grid.getPiece(i) && !grid.isPrizeType(i); };

    int32_t found = 0;
    bool remembered = false;
    cVector2 moveFirst, moveSecond;
    const int32_t stride = grid.getStride();
    for (int32_t pass = 0; pass < 2; ++pass) {
        const int32_t outer = pass == 0 ? m_rows : m_columns;
        const int32_t inner = pass == 0 ? m_columns - 1 : m_rows - 1;
        for (int32_t o = 0; o < outer; ++o) {
            for (int32_t n = 0; n < inner; ++n) {
                const int32_t r = pass == 0 ? o : n, c = pass == 0 ? n : o;
                const int32_t a = grid.index(r, c);
                const int32_t b = pass == 0 ? a + 1 : a + stride;
                if (!candidate(a))
                    continue;
                if (grid.isBusy(a)) {
                    // A board still in motion counts as having a move.
                    leaveCounts();
                    return true;
                }
                if (!candidate(b))
                    continue;
                if (grid.isBusy(b)) {
                    leaveCounts();
                    return true;
                }
                if (grid.getType(a) == grid.getType(b))
                    continue;
                lastA = a;
                lastB = b;
                lastRun = grid.hasRunAfterSwap(a, b);
                if (!lastRun)
                    continue;
                // The first piece's position after the swap, then the second's.
                moveFirst = pass == 0 ? cVector2(float(r), float(c + 1)) : cVector2(float(r + 1), float(c));
                moveSecond = cVector2(float(r), float(c));
                remembered = true;
                if (found == m_hintIndex) {
                    first = moveFirst;
                    second = moveSecond;
                    if (++m_hintIndex >= m_maxHelpMoves)
                        m_hintIndex = 0;
                    leaveCounts();
                    return true;
                }
                ++found;
            }
        }
    }
    leaveCounts();
    if (!remembered)
        return false;
    first = moveFirst;
    second = moveSecond;
    m_hintIndex = 0;
    return true;
}

tFigureList cMeadowModel::collectFigures() {
    tFigureList figures;
    for (int32_t pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        const int32_t outer = rows ? m_rows : m_columns;
        const int32_t inner = rows ? m_columns - 1 : m_rows - 1;
        // An index into figures: they may move while the list grows.
        int32_t current = -1;
        for (int32_t o = 0; o < outer; ++o) {
            for (int32_t n = 0; n < inner; ++n) {
                const int32_t r = rows ? o : n, c = rows ? n : o;
                cMeadowObjectModel* piece = m_objects[size_t(r)][size_t(c)];
                if (!piece)
                    continue;
                const int32_t count = rows ? piece->getHorizontalCount() : piece->getVerticalCount();
                const int32_t dr = rows ? 0 : 1, dc = rows ? 1 : 0;
                // The next position is always on the board: n stops before the last one.
                if (current >= 0) {
                    if (count == 2)
                        figures[size_t(current)].addObject(m_objects[size_t(r + dr)][size_t(c + dc)]);
                    else
                        current = -1;
                } else if (count == 2) {
                    cMeadowFigure& figure = figures.emplace_back(this, rows);
                    figure.setType(piece->getType());
                    figure.addObject(getObject(r - dr, c - dc));
                    figure.addObject(m_objects[size_t(r + dr)][size_t(c + dc)]);
                    figure.addObject(piece);
                    current = int32_t(figures.size()) - 1;
                }
            }
        }
    }
    return figures;
}

void cMeadowModel::destroyFigures() {
    tFigureList figures = collectFigures();
    for (cMeadowFigure& figure : figures) {
        const int32_t type = figure.getType();
        int32_t last = -1;
        for (const cVector2& position : figure.getPositions()) {
            const int32_t r = int32_t(position.x), c = int32_t(position.y);
            if (isCellBlocked(r, c))
                continue;
            cMeadowObjectModel* piece = getObject(r, c);
            if (!piece)
                throw cStringA("cMeadowModel::destroyFigures(): there is no object in a cell (" + positionText(r, c) +
                               ")");
            // Without a third type the redraw below could never end.
            if (std::none_of(m_levelTypes.begin(), m_levelTypes.end(),
                             [&](int32_t t) { return t != type && t != last; }))
                throw cStringA("cMeadowModel::destroyFigures(): a level needs at least three object types");
            int32_t drawn;
            do
                drawn = getRandomLevelType();
            while (drawn == type || drawn == last);
            piece->setType(drawn);
            last = drawn;
        }
    }
}
