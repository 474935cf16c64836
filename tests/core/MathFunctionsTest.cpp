#include "engine/core/MathFunctions.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Engine;

TEST(MathFunctionsTest, SignOf) {
    EXPECT_EQ(signOf(2.5f), 1.0f);
    EXPECT_EQ(signOf(-0.1f), -1.0f);
    EXPECT_EQ(signOf(0.0f), 0.0f);
    EXPECT_EQ(signOf(-0.0f), 0.0f);
}

TEST(MathFunctionsTest, ApproximateRootsStayWithinAFewPerCent) {
    for (float x : {0.01f, 0.25f, 1.0f, 2.0f, 4.0f, 100.0f, 12345.0f}) {
        float exact = 1.0f / std::sqrt(x);
        EXPECT_NEAR(fastInvSqrt(x), exact, exact * 0.03f) << x;
        EXPECT_NEAR(approxInvSqrt(x), exact, exact * 0.001f) << x;
        EXPECT_NEAR(approxSqrt(x), std::sqrt(x), std::sqrt(x) * 0.001f) << x;
    }
    // Exact where the first guess is exact.
    EXPECT_EQ(approxSqrt(4.0f), 2.0f);
    EXPECT_EQ(fastInvSqrt(1.0f), 1.0f);
}
