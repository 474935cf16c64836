#pragma once

// A bought bonus acting on the board (bear, cat, chicken, instant); it tells the controller
// when it has finished.

#include "engine/core/Math.h"

class IBonusEffect {
public:
    virtual ~IBonusEffect() = default;

    virtual int getBonusType() = 0;
    virtual bool isImmediate() = 0;
    virtual void setImmediate(bool immediate) = 0;
    // (row, column); (-1, -1) means no target.
    virtual void setTargetCell(const Engine::cVector2& cell) = 0;
    virtual Engine::cVector2 getTargetCell() = 0;
    virtual bool canApply() = 0;
    virtual void apply() = 0;
};
