#pragma once

// The player's match statistics: matched figures counted by size and the best combo.

#include <cstdint>

class IMatchStatistics {
public:
    static constexpr int COUNTER_COUNT = 20;

    virtual ~IMatchStatistics() = default;

    // Counter i holds the figures of size i + 3.
    virtual int32_t getCounter(int index) = 0;
    virtual void setCounter(int index, int32_t value) = 0;
    virtual int32_t getBestCombo() = 0;
    virtual void setBestCombo(int32_t value) = 0;

    // Counts one matched figure; sizes without a counter are ignored.
    void countFigure(int size) {
        int index = size - 3;
        if (index >= 0 && index < COUNTER_COUNT)
            setCounter(index, getCounter(index) + 1);
    }
};
