#include "engine/core/Vector2.h"
#include "engine/core/Matrix3.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(Vector2Test, ArithmeticIsComponentWise) {
    cVector2 a(1.0f, 2.0f), b(3.0f, -4.0f);
    EXPECT_EQ(a + b, cVector2(4.0f, -2.0f));
    EXPECT_EQ(a - b, cVector2(-2.0f, 6.0f));
    EXPECT_EQ(a * b, cVector2(3.0f, -8.0f));
    EXPECT_EQ(b * 0.5f, cVector2(1.5f, -2.0f));
    EXPECT_EQ(b / 2.0f, cVector2(1.5f, -2.0f));
    EXPECT_EQ(cVector2(3, 4), cVector2(3.0f, 4.0f));

    cVector2 c = a;
    EXPECT_EQ(c += b, cVector2(4.0f, -2.0f));
    EXPECT_EQ(c -= b, a);
    EXPECT_EQ(c *= b, cVector2(3.0f, -8.0f));
    EXPECT_EQ(c /= b, a);
    EXPECT_FLOAT_EQ(a.dot(b), -5.0f);
}

TEST(Vector2Test, LengthNormalizeAndSetLength) {
    cVector2 v(3.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.length(), 5.0f);
    v.setLength(10.0f);
    EXPECT_FLOAT_EQ(v.x, 6.0f);
    EXPECT_FLOAT_EQ(v.y, 8.0f);
    v.normalize();
    EXPECT_FLOAT_EQ(v.length(), 1.0f);

    cVector2 zero;
    zero.setLength(3.0f);
    zero.normalize();
    EXPECT_EQ(zero, cVector2(0.0f, 0.0f));
}

TEST(Vector2Test, RotatesLikeTheRotationMatrix) {
    cMatrix3 m;
    m.setRotation(90.0f);
    cVector2 x = m.transformPoint(cVector2(1.0f, 0.0f));
    cVector2 y = m.transformPoint(cVector2(0.0f, 1.0f));
    EXPECT_NEAR(x.x, 0.0f, 1e-6f);
    EXPECT_NEAR(x.y, -1.0f, 1e-6f);
    EXPECT_NEAR(y.x, 1.0f, 1e-6f);
    EXPECT_NEAR(y.y, 0.0f, 1e-6f);

    cVector2 v(2.0f, 1.0f);
    v.rotate(90.0f);
    EXPECT_NEAR(v.x, 1.0f, 1e-6f);
    EXPECT_NEAR(v.y, -2.0f, 1e-6f);
    cVector2 t = cVector2(2.0f, 1.0f).transform(m);
    EXPECT_EQ(t, v);
}

TEST(Vector2Test, QuadCenterIsMidpointOfSecondAndThirdVertex) {
    struct Vertex {
        cVector2 position;
    };
    struct Quad {
        Vertex vertices[4];
    } quad{{{{0, 0}}, {{10, 2}}, {{4, 8}}, {{99, 99}}}};
    EXPECT_EQ(quadCenter(quad), cVector2(7.0f, 5.0f));
    cVector2 v;
    v.setFromInts(cPoint{3, -4});
    EXPECT_EQ(v, cVector2(3.0f, -4.0f));
}
