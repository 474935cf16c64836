#pragma once

#include "game/model/MatchStatisticsLink.h"

namespace TestFakes {

class FakeMatchStatistics : public IMatchStatistics {
public:
    int32_t getCounter(int index) override { return m_counters[index]; }
    void setCounter(int index, int32_t value) override { m_counters[index] = value; }
    int32_t getBestCombo() override { return m_bestCombo; }
    void setBestCombo(int32_t value) override { m_bestCombo = value; }

    int32_t m_counters[COUNTER_COUNT] = {};
    int32_t m_bestCombo = 0;
};

} // namespace TestFakes
