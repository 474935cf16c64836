#include "game/shell/MatchStatistics.h"

#include "game/model/GameServices.h"

cMatchStatistics::cMatchStatistics() {
    GameServices::setMatchStatistics(this);
}

cMatchStatistics::~cMatchStatistics() {
    if (GameServices::getMatchStatistics() == this)
        GameServices::setMatchStatistics(nullptr);
}

int32_t cMatchStatistics::getCounter(int index) {
    return index >= 0 && index < COUNTER_COUNT ? m_counters[index] : 0;
}

void cMatchStatistics::setCounter(int index, int32_t value) {
    if (index >= 0 && index < COUNTER_COUNT)
        m_counters[index] = value;
}
