#include "engine/core/Matrix3.h"

#include "engine/core/MathFunctions.h"

namespace Engine {

void cMatrix3::setIdentity() {
    *this = cMatrix3();
}

void cMatrix3::setRotation(float degrees) {
    const float kPi = 3.14159265358979f;
    float angle = degrees * kPi / 180.0f;
    float c = cosFloat(angle), s = sinFloat(angle);
    setIdentity();
    m[0] = c;
    m[1] = -s;
    m[3] = s;
    m[4] = c;
}

} // namespace Engine
