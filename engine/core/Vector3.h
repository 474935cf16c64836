#pragma once

// A 3-D vector of floats (meshes, bone transforms, lights).

#include <cstddef>

namespace Engine {

class cMatrix4;

class cVector3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    cVector3() = default;
    cVector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    void set(float x_, float y_, float z_) {
        x = x_;
        y = y_;
        z = z_;
    }
    void clear() { x = y = z = 0.0f; }

    cVector3 operator+(const cVector3& o) const { return cVector3(x + o.x, y + o.y, z + o.z); }
    cVector3 operator*(float k) const { return cVector3(x * k, y * k, z * k); }
    bool operator==(const cVector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const cVector3& o) const { return !(*this == o); }

    // In place, through the fast approximate inverse square root.
    void normalize();
    // Approximate length (approxSqrt).
    float length() const;
    // Scales to the given length; a zero vector stays zero.
    void setLength(float length);
    // The point (x, y, z, 1) times the matrix, without the w divide.
    cVector3 transform(const cMatrix4& m) const;
};

// The i-th vector of a contiguous array.
inline cVector3* vector3At(cVector3* array, std::size_t i) {
    return array + i;
}
inline const cVector3* vector3At(const cVector3* array, std::size_t i) {
    return array + i;
}

} // namespace Engine
