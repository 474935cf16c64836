#include "engine/core/Rect.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(RectTest, ContainsTopLeftEdgesButNotBottomRight) {
    cRect r(10.0f, 20.0f, 30.0f, 60.0f);
    struct Case {
        float x, y;
        bool inside;
    } cases[] = {{10, 20, true},  {29.9f, 59.9f, true}, {30, 40, false},
                 {20, 60, false}, {9.9f, 40, false},    {20, 19, false}};
    for (const auto& c : cases)
        EXPECT_EQ(r.contains(cVector2(c.x, c.y)), c.inside) << c.x << "," << c.y;
    EXPECT_FLOAT_EQ(r.getWidth(), 20.0f);
    EXPECT_FLOAT_EQ(r.getHeight(), 40.0f);
}

TEST(RectTest, BuildsFromPointAndSize) {
    cRect r;
    r.setFromPointAndSize(cPoint{-5, 7}, 10, 3);
    EXPECT_EQ(r, cRect(-5.0f, 7.0f, 5.0f, 10.0f));
    EXPECT_EQ(r.getCorner(), cVector2(5.0f, 10.0f));
    r.setUnit();
    EXPECT_EQ(r, cRect(0.0f, 0.0f, 1.0f, 1.0f));
}
