#include "engine/core/MathFunctions.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace Engine {

namespace {

uint32_t bitsOf(float x) {
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

float floatOf(uint32_t bits) {
    float x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

const float kFirst = 1.47f;
const float kSecond = 0.47f;

} // namespace

float sinFloat(float x) {
    return float(std::sin(double(x)));
}
float cosFloat(float x) {
    return float(std::cos(double(x)));
}
float sqrtFloat(float x) {
    return float(std::sqrt(double(x)));
}
float fabsFloat(float x) {
    return float(std::fabs(double(x)));
}
float fmodFloat(float x, float y) {
    return float(std::fmod(double(x), double(y)));
}

float signOf(float x) {
    if (x > 0.0f)
        return 1.0f;
    if (x < 0.0f)
        return -1.0f;
    return 0.0f;
}

float fastInvSqrt(float x) {
    float y = floatOf((0xBE800000u - bitsOf(x)) >> 1);
    double dy = y;
    return float(dy * (double(kFirst) - double(kSecond) * double(x) * dy * dy));
}

float approxInvSqrt(float x) {
    // The guess keeps its sign through an arithmetic shift; the sign is cleared after the first step.
    int32_t guess = int32_t(0xBE800000u - bitsOf(x));
    float y = floatOf(uint32_t(guess >> 1));
    double dy = y;
    y = float(dy * (double(kFirst) - double(kSecond) * double(x) * dy * dy));
    y = floatOf(bitsOf(y) & 0x7FFFFFFFu);
    dy = y;
    return float(dy * (3.0 - double(x) * dy * dy) * 0.5);
}

float approxSqrt(float x) {
    return x * approxInvSqrt(x);
}

} // namespace Engine
