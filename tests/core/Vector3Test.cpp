#include "engine/core/Vector3.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(Vector3Test, ApproximateLengthOperations) {
    cVector3 v(2.0f, 3.0f, 6.0f);
    EXPECT_NEAR(v.length(), 7.0f, 0.01f);
    v.setLength(14.0f);
    EXPECT_NEAR(v.x, 4.0f, 0.01f);
    EXPECT_NEAR(v.z, 12.0f, 0.03f);
    v.normalize();
    EXPECT_NEAR(v.length(), 1.0f, 0.05f);

    cVector3 zero;
    zero.setLength(5.0f);
    EXPECT_EQ(zero, cVector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(v + cVector3(1, 1, 1), cVector3(v.x + 1, v.y + 1, v.z + 1));
}
