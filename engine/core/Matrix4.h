#pragma once

// A 4 x 4 float matrix, row by row (element 4 * row + column), in the row-vector convention:
// a point is the row (x, y, z, 1) multiplied from the left; the translation is row 3.

#include "engine/core/Vector3.h"

namespace Engine {

class cMatrix4 {
public:
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    // The identity.
    cMatrix4() = default;
    cMatrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
             float m10, float m11, float m12, float m13, float m14, float m15);

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
    float& at(int row, int column) { return m[4 * row + column]; }
    float at(int row, int column) const { return m[4 * row + column]; }

    void setIdentity();
    // The product this * o.
    cMatrix4 operator*(const cMatrix4& o) const;
    cMatrix4& operator*=(const cMatrix4& o);
    cMatrix4 operator+(const cMatrix4& o) const;
    cMatrix4& operator+=(const cMatrix4& o);
    cMatrix4 scaled(float k) const;
    void scale(float k);

    // Identity with row 3 = (t, 1).
    void setTranslation(const cVector3& t);
    // Diagonal (s, 1).
    void setScale(const cVector3& s);
    // Rows (a, 0), (b, 0), (c, 0), (t, 1).
    void setRows(const cVector3& a, const cVector3& b, const cVector3& c, const cVector3& t);
    // Rotation by the angle in radians around the axis (any length; a zero axis gives the identity).
    void setAxisRotation(const cVector3& axis, float radians);
    // Of the upper-left 3 x 3 block.
    float determinant() const;
    // Inverts an affine matrix in place; a singular block is not detected.
    void affineInverse();
    // Approximate lengths of rows 0, 1 and 2 (their first three elements).
    cVector3 getScale() const;
    // Sets the lengths of rows 0, 1 and 2 to x, y and z; a zero row stays as it is.
    void setAxisScale(const cVector3& s);
};

} // namespace Engine
