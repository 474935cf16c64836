#include "game/model/MatchGrid.h"

#include "game/model/FallGrid.h"
#include "game/model/MeadowObjectModel.h"

#include <limits>

namespace {

// Positions that cannot pair get keys below every type, each its own.
int64_t loneKey(int32_t i) {
    return std::numeric_limits<int64_t>::min() + i;
}

} // namespace

void cMatchGrid::build(const tPieceRows& pieces, const cFallGrid& cells, bool moveSearch) {
    const int32_t rows = int32_t(pieces.size());
    const int32_t columns = rows ? int32_t(pieces[0].size()) : 0;
    const size_t size = size_t((rows + 2 * BORDER) * (columns + 2 * BORDER));
    if (rows != m_rows || columns != m_columns || m_keys.size() != size) {
        // The border never changes: set it up once per board size.
        m_rows = rows;
        m_columns = columns;
        m_stride = columns + 2 * BORDER;
        m_keys.resize(size);
        for (size_t i = 0; i < size; ++i)
            m_keys[i] = loneKey(int32_t(i));
        m_pieces.assign(size, nullptr);
        m_types.assign(size, 0);
        m_flags.assign(size, BLOCKED);
    }
    for (int32_t r = 0; r < rows; ++r) {
        const auto& pieceRow = pieces[size_t(r)];
        for (int32_t c = 0; c < columns; ++c) {
            const int32_t i = index(r, c);
            cMeadowObjectModel* piece = pieceRow[size_t(c)];
            m_pieces[size_t(i)] = piece;
            m_keys[size_t(i)] = loneKey(i);
            if (!piece)
                continue;
            const int32_t type = piece->getType();
            if (cells.isDefined(r, c) && !cells.isFrozen(r, c) && piece->isMatchable())
                m_keys[size_t(i)] = type;
            if (moveSearch) {
                m_types[size_t(i)] = type;
                uint8_t flags = cells.isBlocked(r, c) ? BLOCKED : 0;
                if (piece->isInBusyState())
                    flags |= BUSY;
                if (cMeadowObjectModel::isPrizeType(type))
                    flags |= PRIZE_TYPE;
                m_flags[size_t(i)] = flags;
            }
        }
    }
}

bool cMatchGrid::writeCounts() const {
    bool run = false;
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            const size_t i = size_t(index(r, c));
            cMeadowObjectModel* piece = m_pieces[i];
            if (!piece)
                continue;
            const int64_t key = m_keys[i];
            const int32_t horizontal = int32_t(key == m_keys[i - 1]) + int32_t(key == m_keys[i + 1]);
            const int32_t vertical =
                int32_t(key == m_keys[i - size_t(m_stride)]) + int32_t(key == m_keys[i + size_t(m_stride)]);
            piece->setCounts(horizontal, vertical);
            run = run || horizontal == 2 || vertical == 2;
        }
    }
    return run;
}

bool cMatchGrid::writeCountsSwapped(int32_t a, int32_t b) {
    exchange(a, b);
    bool run = writeCounts();
    exchange(a, b);
    return run;
}

void cMatchGrid::collectRuns() {
    m_runs.clear();
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            const int32_t i = index(r, c);
            if (isRunMiddle(i, 1))
                m_runs.emplace_back(i, 1);
            if (isRunMiddle(i, m_stride))
                m_runs.emplace_back(i, m_stride);
        }
    }
}

bool cMatchGrid::hasRunAfterSwap(int32_t a, int32_t b) {
    // A run the swap does not touch is still there afterwards.
    for (const auto& run : m_runs) {
        const int32_t middle = run.first, step = run.second;
        const bool touched = middle == a || middle == b || middle - step == a || middle - step == b ||
                             middle + step == a || middle + step == b;
        if (!touched)
            return true;
    }
    std::swap(m_keys[size_t(a)], m_keys[size_t(b)]);
    const bool run = hasRunThrough(a) || hasRunThrough(b);
    std::swap(m_keys[size_t(a)], m_keys[size_t(b)]);
    return run;
}
