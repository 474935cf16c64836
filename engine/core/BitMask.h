#pragma once

// A grid of byte values (an image's alpha) stored as columns of cells, for pixel-exact hit
// tests. Indices outside the grid read as unset and are ignored when written.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine {

class cBitMask {
public:
    void resize(std::size_t columns, std::size_t rows) {
        m_columns.resize(columns);
        for (auto& column : m_columns)
            column.resize(rows);
    }
    void set(std::size_t column, std::size_t row, uint8_t value) {
        if (column < m_columns.size() && row < m_columns[column].size())
            m_columns[column][row] = value;
    }
    bool isSet(std::size_t column, std::size_t row) const {
        return column < m_columns.size() && row < m_columns[column].size() && m_columns[column][row] > 0;
    }
    // The number of columns; the number of cells of the first column (0 without columns).
    std::size_t getWidth() const { return m_columns.size(); }
    std::size_t getHeight() const { return m_columns.empty() ? 0 : m_columns.front().size(); }

private:
    std::vector<std::vector<uint32_t>> m_columns;
};

} // namespace Engine
