#include "game/model/MatchGrid.h"

#include "game/model/MeadowModel.h"

#include <limits>

namespace {

// Positions that cannot pair get keys below every type, each its own.
int64_t loneKey(int32_t i) { return std::numeric_limits<int64_t>::min() + i; }

} // namespace

void cMatchGrid::build(const cMeadowModel& model, bool moveSearch) {
    m_rows = model.getRows();
    m_columns = model.getColumns();
    m_stride = m_columns + 2 * BORDER;
    const size_t size = size_t((m_rows + 2 * BORDER) * m_stride);
    m_keys.resize(size);
    m_pieces.assign(size, nullptr);
    for (size_t i = 0; i < size; ++i)
        m_keys[i] = loneKey(int32_t(i));
    if (moveSearch) {
        m_types.assign(size, 0);
        m_flags.assign(size, BLOCKED);
    }
    for (int32_t r = 0; r < m_rows; ++r) {
        for (int32_t c = 0; c < m_columns; ++c) {
            const int32_t i = index(r, c);
            cMeadowObjectModel* piece = model.getObject(r, c);
            m_pieces[size_t(i)] = piece;
            if (!piece)
                continue;
            cCellModel* cell = model.getCell(r, c);
            if (cell && !cell->isFrozen() && piece->isMatchable())
                m_keys[size_t(i)] = piece->getType();
            if (moveSearch) {
                const int32_t type = piece->getType();
                m_types[size_t(i)] = type;
                uint8_t flags = model.isCellBlocked(r, c) ? BLOCKED : 0;
                if (piece->isInBusyState())
                    flags |= BUSY;
                if (type == cMeadowObjectModel::VEHICLE_OBJECT_TYPE || type == cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE)
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
            const int32_t vertical = int32_t(key == m_keys[i - size_t(m_stride)]) + int32_t(key == m_keys[i + size_t(m_stride)]);
            piece->setHorizontalCount(horizontal);
            piece->setVerticalCount(vertical);
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

bool cMatchGrid::hasRunThrough(int32_t i) const {
    for (int32_t step : {1, m_stride})
        if (isRunMiddle(i - step, step) || isRunMiddle(i, step) || isRunMiddle(i + step, step))
            return true;
    return false;
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
