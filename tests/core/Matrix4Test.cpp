#include "engine/core/Matrix4.h"
#include "engine/core/MathFunctions.h"

#include <gtest/gtest.h>

using namespace Engine;

namespace {

void expectNear(const cVector3& actual, const cVector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

} // namespace

TEST(Matrix4Test, AxisRotationMapsRowPointsForAnyAxisLength) {
    for (float axisLength : {1.0f, 2.0f, 0.5f}) {
        cMatrix4 m;
        m.setAxisRotation(cVector3(0.0f, 0.0f, axisLength), 3.14159265f / 2.0f);
        expectNear(cVector3(1.0f, 0.0f, 0.0f).transform(m), cVector3(0.0f, 1.0f, 0.0f));
        expectNear(cVector3(0.0f, 1.0f, 0.0f).transform(m), cVector3(-1.0f, 0.0f, 0.0f));
        EXPECT_NEAR(m.determinant(), 1.0f, 1e-5f);
    }
}

TEST(Matrix4Test, ProductAppliesLeftMatrixFirst) {
    cMatrix4 scale, move;
    scale.setScale(cVector3(2.0f, 3.0f, 4.0f));
    move.setTranslation(cVector3(10.0f, 20.0f, 30.0f));
    cVector3 p(1.0f, 1.0f, 1.0f);
    expectNear(p.transform(scale * move), cVector3(12.0f, 23.0f, 34.0f));
    expectNear(p.transform(move * scale), cVector3(22.0f, 63.0f, 124.0f));
    cMatrix4 inPlace = scale;
    inPlace *= move;
    expectNear(p.transform(inPlace), cVector3(12.0f, 23.0f, 34.0f));

    cMatrix4 sum = scale + scale;
    EXPECT_FLOAT_EQ(sum[0], 4.0f);
    EXPECT_FLOAT_EQ(sum[15], 2.0f);
    EXPECT_FLOAT_EQ(scale.scaled(0.5f)[5], 1.5f);
}

TEST(Matrix4Test, AffineInverseUndoesTheTransform) {
    cMatrix4 rotation, m;
    rotation.setAxisRotation(cVector3(1.0f, 2.0f, 3.0f), 0.7f);
    m.setRows(cVector3(2.0f, 0.0f, 0.0f), cVector3(0.0f, 3.0f, 0.0f), cVector3(0.0f, 0.0f, 4.0f),
              cVector3(5.0f, -6.0f, 7.0f));
    m = rotation * m;
    cMatrix4 inverse = m;
    inverse.affineInverse();
    cVector3 p(0.5f, -1.5f, 2.0f);
    expectNear(p.transform(m).transform(inverse), p, 1e-4f);
    EXPECT_FLOAT_EQ(inverse[3], 0.0f);
    EXPECT_FLOAT_EQ(inverse[15], 1.0f);
}

TEST(Matrix4Test, AxisScaleSetsRowLengthsAndKeepsZeroRows) {
    cMatrix4 m(3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1);
    m.setAxisScale(cVector3(10.0f, 5.0f, 1.0f));
    cVector3 scale = m.getScale();
    EXPECT_NEAR(scale.x, 10.0f, 0.05f);
    EXPECT_FLOAT_EQ(scale.y, 0.0f);
    EXPECT_NEAR(scale.z, 1.0f, 0.01f);
    EXPECT_FLOAT_EQ(m[12], 1.0f);
}
