#include "game/shell/Easing.h"

#include <gtest/gtest.h>

namespace {

struct Checkpoint {
    int equation;
    int type;
    float t;
    float expected;
};

} // namespace

TEST(Easing, EveryEquationStartsAtBAndEndsAtBPlusC) {
    for (int equation = EASING_LINEAR; equation <= EASING_BACK; ++equation)
        for (int type = EASE_IN; type <= EASE_IN_OUT; ++type) {
            SCOPED_TRACE(testing::Message() << "equation " << equation << " type " << type);
            EXPECT_NEAR(easeFunction(equation, type, 0, 10, 20, 2), 10, 1e-4);
            EXPECT_NEAR(easeFunction(equation, type, 2, 10, 20, 2), 30, 1e-4);
        }
}

TEST(Easing, MidValues) {
    // b = 0, c = 1, d = 1 unless the case says otherwise.
    const Checkpoint table[] = {
        {EASING_LINEAR, EASE_IN, 0.5f, 0.5f},          {EASING_SINE, EASE_IN, 0.5f, 0.29289f},
        {EASING_SINE, EASE_OUT, 0.5f, 0.70711f},       {EASING_SINE, EASE_IN_OUT, 0.5f, 0.5f},
        {EASING_QUINT, EASE_IN, 0.5f, 0.03125f},       {EASING_QUINT, EASE_OUT, 0.5f, 0.96875f},
        {EASING_QUINT, EASE_IN_OUT, 0.25f, 0.015625f}, {EASING_QUART, EASE_IN, 0.5f, 0.0625f},
        {EASING_QUART, EASE_OUT, 0.5f, 0.9375f},       {EASING_QUART, EASE_IN_OUT, 0.75f, 0.96875f},
        {EASING_QUAD, EASE_IN, 0.5f, 0.25f},           {EASING_QUAD, EASE_OUT, 0.5f, 0.75f},
        {EASING_QUAD, EASE_IN_OUT, 0.75f, 0.875f},     {EASING_EXPO, EASE_IN, 0.5f, 0.03125f},
        {EASING_EXPO, EASE_OUT, 0.5f, 0.96875f},       {EASING_EXPO, EASE_IN_OUT, 0.5f, 0.5f},
        {EASING_ELASTIC, EASE_IN, 0.5f, -0.015625f},   {EASING_ELASTIC, EASE_OUT, 0.5f, 1.015625f},
        {EASING_CUBIC, EASE_IN, 0.5f, 0.125f},         {EASING_CUBIC, EASE_OUT, 0.5f, 0.875f},
        {EASING_CUBIC, EASE_IN_OUT, 0.25f, 0.0625f},   {EASING_CIRC, EASE_IN, 0.5f, 0.13397f},
        {EASING_CIRC, EASE_OUT, 0.5f, 0.86603f},       {EASING_CIRC, EASE_IN_OUT, 0.5f, 0.5f},
        {EASING_BOUNCE, EASE_OUT, 0.5f, 0.765625f},    {EASING_BOUNCE, EASE_IN, 0.5f, 0.234375f},
        {EASING_BOUNCE, EASE_IN_OUT, 0.5f, 0.5f},      {EASING_BACK, EASE_IN, 0.5f, -0.0876975f},
        {EASING_BACK, EASE_OUT, 0.5f, 1.0876975f},     {EASING_BACK, EASE_IN_OUT, 0.5f, 0.5f},
    };
    for (const Checkpoint& row : table) {
        SCOPED_TRACE(testing::Message() << "equation " << row.equation << " type " << row.type);
        EXPECT_NEAR(easeFunction(row.equation, row.type, row.t, 0, 1, 1), row.expected, 1e-4);
    }
}

TEST(Easing, LinearIsTheSameInEveryType) {
    for (int type = EASE_IN; type <= EASE_IN_OUT; ++type)
        EXPECT_FLOAT_EQ(easeFunction(EASING_LINEAR, type, 1, 10, 20, 2), 20);
}
