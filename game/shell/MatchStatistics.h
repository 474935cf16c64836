#pragma once

// The current player's match statistics: matched figures counted by size and the best combo,
// made anew each time a player becomes current. The controller reaches it through the game's
// service registry.

#include "engine/core/Singleton.h"
#include "game/model/MatchStatisticsLink.h"

class cMatchStatistics : public IMatchStatistics, public Engine::cSingleton<cMatchStatistics> {
public:
    // Every counter 0; registers itself. A second one throws "Object already exist.".
    cMatchStatistics();
    ~cMatchStatistics() override;

    int32_t getCounter(int index) override;
    void setCounter(int index, int32_t value) override;
    int32_t getBestCombo() override { return m_bestCombo; }
    void setBestCombo(int32_t value) override { m_bestCombo = value; }

private:
    int32_t m_counters[COUNTER_COUNT] = {};
    int32_t m_bestCombo = 0;
};
