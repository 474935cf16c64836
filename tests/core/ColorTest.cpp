#include "engine/core/Color.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(ColorTest, PacksClampedRoundedBytes) {
    struct Case {
        cColor color;
        uint32_t argb, abgr;
    } cases[] = {
        {{1.2f, 0.5f, -0.1f, 1.0f}, 0xFFFF8000u, 0xFF0080FFu},
        {{0.5f, 0.5f, 0.5f, 0.5f}, 0x80808080u, 0x80808080u},
        {{1.0f, 0.0f, 0.0f, 1.0f}, 0xFFFF0000u, 0xFF0000FFu},
        {{0.0f, 0.0f, 0.0f, 0.0f}, 0x00000000u, 0x00000000u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.color.toARGB(), c.argb) << std::hex << c.argb;
        EXPECT_EQ(c.color.toABGR(), c.abgr) << std::hex << c.abgr;
    }
}

TEST(ColorTest, UnpacksEveryByteOrOnlyRgb) {
    cColor color(0.0f, 0.0f, 0.0f, 0.25f);
    color.fromRGB(0x12FF0080u);
    EXPECT_FLOAT_EQ(color.r, 1.0f);
    EXPECT_FLOAT_EQ(color.g, 0.0f);
    EXPECT_NEAR(color.b, 0.50196f, 1e-5f);
    EXPECT_FLOAT_EQ(color.a, 0.25f);

    color.fromARGB(0x80FF0000u);
    EXPECT_FLOAT_EQ(color.r, 1.0f);
    EXPECT_NEAR(color.a, 0.50196f, 1e-5f);
    EXPECT_EQ(color.toARGB(), 0x80FF0000u);
}
