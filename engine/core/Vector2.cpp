#include "engine/core/Vector2.h"

#include "engine/core/MathFunctions.h"
#include "engine/core/Matrix3.h"

namespace Engine {

float cVector2::length() const {
    return sqrtFloat(x * x + y * y);
}

void cVector2::normalize() {
    setLength(1.0f);
}

void cVector2::setLength(float newLength) {
    float current = length();
    if (current == 0.0f)
        return;
    float k = newLength / current;
    x *= k;
    y *= k;
}

cVector2 cVector2::transform(const cMatrix3& m) const {
    return m.transformPoint(*this);
}

void cVector2::rotate(float degrees) {
    cMatrix3 rotation;
    rotation.setRotation(degrees);
    *this = rotation.transformPoint(*this);
}

} // namespace Engine
