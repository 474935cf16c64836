#include "game/model/FallGrid.h"

#include "game/model/CellModel.h"
#include "game/model/MeadowModel.h"

#include <algorithm>
#include <bitset>

void cFallGrid::build(const tCellRows& cells, int32_t rows, int32_t columns,
                      const std::vector<int32_t>& firedTriggers) {
    std::bitset<cMeadowModel::TRIGGER_COUNT> fired;
    for (int32_t trigger : firedTriggers)
        if (trigger >= 0 && trigger < cMeadowModel::TRIGGER_COUNT)
            fired.set(size_t(trigger));
    auto isFired = [&](int32_t trigger) {
        if (trigger >= 0 && trigger < cMeadowModel::TRIGGER_COUNT)
            return fired.test(size_t(trigger));
        return std::find(firedTriggers.begin(), firedTriggers.end(), trigger) != firedTriggers.end();
    };

    m_current = true;
    m_rows = rows;
    m_columns = columns;
    m_firedTriggers = firedTriggers;
    m_stride = columns + 2;
    m_flags.assign(size_t((rows + 2) * m_stride), BLOCKED);
    for (int32_t r = 0; r < rows && size_t(r) < cells.size(); ++r) {
        const auto& row = cells[size_t(r)];
        for (int32_t c = 0; c < columns && size_t(c) < row.size(); ++c) {
            cCellModel* cell = row[size_t(c)].get();
            if (!cell)
                continue;
            const bool enabled = cell->getType() != 0 && isFired(cell->getAwaitedTrigger());
            const bool locked = cell->getLocks() > 0;
            const bool frozen = cell->isFrozen();
            const bool blocked = cell->getTriggerNumber() > 0 || cell->isBlockFlagSet() || !enabled || locked || frozen;
            uint8_t value = DEFINED;
            if (blocked)
                value |= BLOCKED;
            if (enabled)
                value |= ENABLED;
            if (locked)
                value |= LOCKED;
            if (frozen)
                value |= FROZEN;
            m_flags[size_t((r + 1) * m_stride + c + 1)] = value;
        }
    }
}
