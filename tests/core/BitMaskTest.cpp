#include "engine/core/BitMask.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(BitMaskTest, CellIsSetAboveZeroAndOutsideIsUnset) {
    cBitMask mask;
    EXPECT_EQ(mask.getHeight(), 0u);
    mask.resize(3, 2);
    EXPECT_EQ(mask.getWidth(), 3u);
    EXPECT_EQ(mask.getHeight(), 2u);
    mask.set(0, 0, 0);
    mask.set(1, 0, 1);
    mask.set(2, 1, 255);
    mask.set(3, 0, 9);
    EXPECT_FALSE(mask.isSet(0, 0));
    EXPECT_TRUE(mask.isSet(1, 0));
    EXPECT_TRUE(mask.isSet(2, 1));
    EXPECT_FALSE(mask.isSet(3, 0));
    EXPECT_FALSE(mask.isSet(0, 2));
}
