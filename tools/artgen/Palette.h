#pragma once

// The one palette of the game's pictures (see docs/art-style.md). Colours are 0xRRGGBB.

#include <cstdint>

namespace Palette {

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(uint32_t value) {
    return {double((value >> 16) & 0xFF) / 255.0, double((value >> 8) & 0xFF) / 255.0, double(value & 0xFF) / 255.0};
}

constexpr Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
constexpr Rgb lighter(Rgb c, double t) {
    return mix(c, Rgb{1, 1, 1}, t);
}
constexpr Rgb darker(Rgb c, double t) {
    return mix(c, Rgb{0, 0, 0}, t);
}

// Sky and water.
constexpr Rgb SKY = hex(0x8FD3F4);
constexpr Rgb WATER = hex(0x4FB3E8);
constexpr Rgb DEEP_WATER = hex(0x2E86C1);
// Grass and leaves.
constexpr Rgb GRASS_LIGHT = hex(0xA8D85A);
constexpr Rgb GRASS = hex(0x7CC242);
constexpr Rgb GRASS_DARK = hex(0x3E8E41);
// Soil and wood.
constexpr Rgb SOIL = hex(0xE3C08D);
constexpr Rgb WOOD = hex(0xC8893B);
constexpr Rgb WOOD_DARK = hex(0x8B5A2B);
// Stone and iron.
constexpr Rgb STONE = hex(0xD5D8DC);
constexpr Rgb IRON = hex(0xA7A9AC);
constexpr Rgb IRON_DARK = hex(0x6D7B8D);
// Paper and text.
constexpr Rgb CREAM = hex(0xFFF4D6);
constexpr Rgb INK = hex(0x3B2A1A);
constexpr Rgb WHITE = hex(0xFFFFFF);
// Pieces.
constexpr Rgb RED = hex(0xE2483D);
constexpr Rgb ORANGE = hex(0xF39C2B);
constexpr Rgb YELLOW = hex(0xF9D43A);
constexpr Rgb GREEN = hex(0x4CAF50);
constexpr Rgb BLUE = hex(0x3FA9E0);
constexpr Rgb PURPLE = hex(0x8E5CC8);
constexpr Rgb BROWN = hex(0xA0652F);
constexpr Rgb PINK = hex(0xF27BAF);
// Gold and highlights.
constexpr Rgb GOLD = hex(0xFFC83D);
constexpr Rgb GOLD_LIGHT = hex(0xFFE58A);

// Outline opacity, shadow opacity.
constexpr double OUTLINE_ALPHA = 0.85;
constexpr double SHADOW_ALPHA = 0.35;

} // namespace Palette
