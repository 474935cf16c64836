#pragma once

// A 2-D vector of floats: positions and sizes in screen units (y grows downward) and board
// positions (row, column).

#include "engine/core/Point.h"

namespace Engine {

class cMatrix3;

class cVector2 {
public:
    float x = 0.0f, y = 0.0f;

    cVector2() = default;
    cVector2(float x_, float y_) : x(x_), y(y_) {}
    cVector2(int x_, int y_) : x(float(x_)), y(float(y_)) {}

    void set(float x_, float y_) {
        x = x_;
        y = y_;
    }
    void setFromInts(int x_, int y_) {
        x = float(x_);
        y = float(y_);
    }
    void setFromInts(const cPoint& p) { setFromInts(p.x, p.y); }
    void clear() { x = y = 0.0f; }

    cVector2 operator+(const cVector2& o) const { return cVector2(x + o.x, y + o.y); }
    cVector2 operator-(const cVector2& o) const { return cVector2(x - o.x, y - o.y); }
    cVector2 operator+=(const cVector2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    cVector2 operator-=(const cVector2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    cVector2 operator*(float k) const { return cVector2(x * k, y * k); }
    // Component-wise product and quotient.
    cVector2 operator*(const cVector2& o) const { return cVector2(x * o.x, y * o.y); }
    cVector2 operator*=(const cVector2& o) {
        x *= o.x;
        y *= o.y;
        return *this;
    }
    cVector2 operator/=(const cVector2& o) {
        x /= o.x;
        y /= o.y;
        return *this;
    }
    // Both components times the reciprocal, computed once.
    cVector2 operator/(float k) const {
        float inv = 1.0f / k;
        return cVector2(x * inv, y * inv);
    }
    bool operator==(const cVector2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const cVector2& o) const { return !(*this == o); }

    float dot(const cVector2& o) const { return x * o.x + y * o.y; }
    float length() const;
    // Scales to length 1; a zero vector stays zero.
    void normalize();
    // Scales to the given length; a zero vector stays zero.
    void setLength(float length);

    cVector2 transform(const cMatrix3& m) const;
    // Rotates in place by the angle in degrees: (x cos + y sin, -x sin + y cos).
    void rotate(float degrees);
};

// Midpoint of a sprite quad's second and third vertices (top-right and bottom-left): its centre.
// Quad is any record with vertices[4].position.
template <class Quad> cVector2 quadCenter(const Quad& quad) {
    return (quad.vertices[1].position + quad.vertices[2].position) * 0.5f;
}

} // namespace Engine
