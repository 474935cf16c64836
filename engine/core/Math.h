#pragma once

// The engine's small value types for 2-D and 3-D geometry and colour.

#include <cstdint>

namespace Engine {

class cVector2 {
public:
    float x = 0.0f, y = 0.0f;

    cVector2() = default;
    cVector2(float x_, float y_) : x(x_), y(y_) {}
    cVector2(int x_, int y_) : x(float(x_)), y(float(y_)) {}

    void set(float x_, float y_) { x = x_; y = y_; }
    void clear() { x = y = 0.0f; }
    bool operator==(const cVector2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const cVector2& o) const { return !(*this == o); }
};

class cVector3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    cVector3() = default;
    cVector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    void set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }
    void clear() { x = y = z = 0.0f; }
};

class cColor {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

    cColor() = default;
    cColor(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}

    void set(float r_, float g_, float b_, float a_) { r = r_; g = g_; b = b_; a = a_; }
    void clear() { r = g = b = a = 0.0f; }

    // Every byte times 1/255, alpha included.
    void fromARGB(uint32_t packed) {
        const float k = 0.003921569f;
        a = float((packed >> 24) & 0xFF) * k;
        r = float((packed >> 16) & 0xFF) * k;
        g = float((packed >> 8) & 0xFF) * k;
        b = float(packed & 0xFF) * k;
    }
    // Red, green and blue from the low three bytes; alpha untouched.
    void fromRGB(uint32_t packed) {
        const float k = 0.003921569f;
        r = float((packed >> 16) & 0xFF) * k;
        g = float((packed >> 8) & 0xFF) * k;
        b = float(packed & 0xFF) * k;
    }
};

} // namespace Engine
