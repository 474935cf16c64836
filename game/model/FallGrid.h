#pragma once

// What the falls and the refill ask of every cell, read once before a pass over the board:
// whether a piece may stand there, whether the cell exists and is open, and whether it is
// locked. No cell changes during a pass, so each question is one array read instead of a
// trigger search and a chain of bounds checks per cell. A border of one position on every
// side answers "blocked, no cell" for the neighbours of the edge cells.

#include <cstdint>
#include <memory>
#include <vector>

class cCellModel;

class cFallGrid {
public:
    using tCellRows = std::vector<std::vector<std::unique_ptr<cCellModel>>>;

    // Reads the cells of a rows × columns board; a cell is open when its type is not 0 and
    // the trigger it waits for is among the fired ones.
    void build(const tCellRows& cells, int32_t rows, int32_t columns, const std::vector<int32_t>& firedTriggers);

    // True when the grid was read from a board of this size with these fired triggers and
    // no cell has changed since.
    bool isCurrent(int32_t rows, int32_t columns, const std::vector<int32_t>& firedTriggers) const {
        return m_current && rows == m_rows && columns == m_columns && firedTriggers == m_firedTriggers;
    }
    void invalidate() { m_current = false; }

    bool isBlocked(int32_t row, int32_t column) const { return flags(row, column) & BLOCKED; }
    // The same by flat index, for walks that step through the grid: a row up is one stride.
    int32_t index(int32_t row, int32_t column) const { return (row + 1) * m_stride + column + 1; }
    int32_t getStride() const { return m_stride; }
    bool isBlockedAt(int32_t i) const { return m_flags[size_t(i)] & BLOCKED; }
    bool isDefined(int32_t row, int32_t column) const { return flags(row, column) & DEFINED; }
    bool isEnabled(int32_t row, int32_t column) const { return flags(row, column) & ENABLED; }
    bool isLocked(int32_t row, int32_t column) const { return flags(row, column) & LOCKED; }
    bool isFrozen(int32_t row, int32_t column) const { return flags(row, column) & FROZEN; }

private:
    enum : uint8_t { BLOCKED = 1, DEFINED = 2, ENABLED = 4, LOCKED = 8, FROZEN = 16 };

    uint8_t flags(int32_t row, int32_t column) const { return m_flags[size_t(index(row, column))]; }

    bool m_current = false;
    int32_t m_rows = 0;
    int32_t m_columns = 0;
    std::vector<int32_t> m_firedTriggers;
    int32_t m_stride = 0;
    std::vector<uint8_t> m_flags;
};
