#pragma once

// A 2-D affine transform, 9 floats row by row, in the row-vector convention:
// x' = m0 x + m3 y + m6, y' = m1 x + m4 y + m7 (m2 = m5 = 0, m8 = 1).

#include "engine/core/Vector2.h"

namespace Engine {

class cMatrix3 {
public:
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

    cMatrix3() = default;

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }

    void setIdentity();
    // Rotation by the angle in degrees: m0 = c, m1 = -s, m3 = s, m4 = c.
    void setRotation(float degrees);
    cVector2 transformPoint(const cVector2& p) const {
        return cVector2(m[0] * p.x + m[3] * p.y + m[6], m[1] * p.x + m[4] * p.y + m[7]);
    }
};

} // namespace Engine
