#include "game/model/MatchStatisticsLink.h"

#include "tests/model/fakes/FakeMatchStatistics.h"

#include <gtest/gtest.h>

namespace {

TEST(MatchStatistics, CountsFiguresBySize) {
    TestFakes::FakeMatchStatistics statistics;
    for (int size : {3, 3, 5, 22, 2, 23, 0, -1})
        statistics.countFigure(size);
    EXPECT_EQ(statistics.getCounter(0), 2);
    EXPECT_EQ(statistics.getCounter(2), 1);
    EXPECT_EQ(statistics.getCounter(19), 1);
    int total = 0;
    for (int i = 0; i < IMatchStatistics::COUNTER_COUNT; ++i)
        total += statistics.getCounter(i);
    EXPECT_EQ(total, 4); // sizes 2, 23, 0 and -1 have no counter
}

} // namespace
