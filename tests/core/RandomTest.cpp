#include "engine/core/Random.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(RandomTest, FixedSeedGivesTheClassicSequence) {
    randomSeed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(randomNext(), expected);
    randomSeed(12345);
    int first = randomNext();
    randomSeed(12345);
    EXPECT_EQ(randomNext(), first);
}

TEST(RandomTest, StaysInFifteenBits) {
    randomSeed(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        int v = randomNext();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RANDOM_MAX);
    }
}
