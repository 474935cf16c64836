#include "game/model/MeadowObjectPool.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MeadowObjectPool, GrowsByWholeBatchesAndHandsOutInOrder) {
    cMeadowObjectPool pool(12);
    std::vector<cMeadowObjectModel*> placed;
    for (int i = 0; i < 12; ++i)
        placed.push_back(pool.acquire());
    EXPECT_EQ(pool.getTotalCount(), 12u);
    EXPECT_EQ(pool.getFreeCount(), 0u);

    cMeadowObjectModel* thirteenth = pool.acquire();
    EXPECT_EQ(pool.getTotalCount(), 24u);
    EXPECT_EQ(pool.getFreeCount(), 11u);

    // A released piece waits behind the 11 still free.
    pool.release(placed[0]);
    std::vector<cMeadowObjectModel*> next;
    for (int i = 0; i < 12; ++i)
        next.push_back(pool.acquire());
    EXPECT_EQ(next.back(), placed[0]);
    EXPECT_NE(next.front(), thirteenth);
    EXPECT_EQ(pool.getTotalCount(), 24u);
}

TEST(MeadowObjectPool, ABatchOfZeroOrLessBecomesTen) {
    for (int batch : {0, -3}) {
        cMeadowObjectPool pool(batch);
        EXPECT_EQ(pool.getBatchSize(), 10);
        pool.acquire();
        EXPECT_EQ(pool.getTotalCount(), 10u);
    }
}

} // namespace
