#pragma once

// A cell's view on the level editor's board.

class ICellView {
public:
    virtual ~ICellView() = default;

    virtual int getRow() = 0;
    virtual int getColumn() = 0;
};
