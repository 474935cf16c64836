#include "engine/core/Vector3.h"

#include "engine/core/MathFunctions.h"
#include "engine/core/Matrix4.h"

namespace Engine {

void cVector3::normalize() {
    float k = fastInvSqrt(x * x + y * y + z * z);
    x *= k;
    y *= k;
    z *= k;
}

float cVector3::length() const {
    return approxSqrt(x * x + y * y + z * z);
}

void cVector3::setLength(float newLength) {
    if (x == 0.0f && y == 0.0f && z == 0.0f)
        return;
    float k = newLength / length();
    x *= k;
    y *= k;
    z *= k;
}

cVector3 cVector3::transform(const cMatrix4& t) const {
    const float* m = t.m;
    return cVector3(m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                    m[2] * x + m[6] * y + m[10] * z + m[14]);
}

} // namespace Engine
