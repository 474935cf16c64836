#pragma once

#include "game/model/CellView.h"

namespace TestFakes {

class FakeCellView : public ICellView {
public:
    FakeCellView(int row, int column) : m_row(row), m_column(column) {}

    int getRow() override { return m_row; }
    int getColumn() override { return m_column; }

    int m_row;
    int m_column;
};

} // namespace TestFakes
