#pragma once

// A colour as four floats 0..1. Packed forms: ARGB is 0xAARRGGBB, ABGR is 0xAABBGGRR.

#include <cstdint>

namespace Engine {

class cColor {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

    cColor() = default;
    cColor(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}

    void set(float r_, float g_, float b_, float a_) {
        r = r_;
        g = g_;
        b = b_;
        a = a_;
    }
    void clear() { r = g = b = a = 0.0f; }

    bool operator==(const cColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const cColor& o) const { return !(*this == o); }

    // Each channel clamped to 0..1 and rounded to a byte.
    uint32_t toARGB() const;
    uint32_t toABGR() const;
    // Every byte times 1/255, alpha included.
    void fromARGB(uint32_t packed);
    // Red, green and blue from the low three bytes; alpha untouched.
    void fromRGB(uint32_t packed);
};

} // namespace Engine
