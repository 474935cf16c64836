#include "game/shell/Easing.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;

float pow2(float x) {
    return std::pow(2.0f, x);
}

float bounceOut(float t, float b, float c, float d) {
    float p = t / d;
    if (p < 1 / 2.75f)
        return c * (7.5625f * p * p) + b;
    if (p < 2 / 2.75f) {
        float r = p - 1.5f / 2.75f;
        return c * (7.5625f * r * r + 0.75f) + b;
    }
    if (p < 2.5f / 2.75f) {
        float r = p - 2.25f / 2.75f;
        return c * (7.5625f * r * r + 0.9375f) + b;
    }
    float r = p - 2.625f / 2.75f;
    return c * (7.5625f * r * r + 0.984375f) + b;
}

float bounceIn(float t, float b, float c, float d) {
    return c - bounceOut(d - t, 0, c, d) + b;
}

float ease(int equation, int type, float t, float b, float c, float d) {
    const float p = t / d;
    const float q = t / (d / 2);
    switch (equation) {
    case 1:
        if (type == 0)
            return c - c * std::cos(p * (PI / 2)) + b;
        if (type == 1)
            return c * std::sin(p * (PI / 2)) + b;
        return -c / 2 * (std::cos(PI * t / d) - 1) + b;
    case 2: {
        if (type == 0)
            return c * p * p * p * p * p + b;
        if (type == 1) {
            float r = p - 1;
            return c * (r * r * r * r * r + 1) + b;
        }
        if (q < 1)
            return c / 2 * q * q * q * q * q + b;
        float r = q - 2;
        return c / 2 * (r * r * r * r * r + 2) + b;
    }
    case 3: {
        if (type == 0)
            return c * p * p * p * p + b;
        if (type == 1) {
            float r = p - 1;
            return -c * (r * r * r * r - 1) + b;
        }
        if (q < 1)
            return c / 2 * q * q * q * q + b;
        float r = q - 2;
        return -c / 2 * (r * r * r * r - 2) + b;
    }
    case 4: {
        if (type == 0)
            return c * p * p + b;
        if (type == 1)
            return -c * p * (p - 2) + b;
        if (q < 1)
            return c / 2 * q * q + b;
        float r = q - 1;
        return -c / 2 * (r * (r - 2) - 1) + b;
    }
    case 5:
        if (type == 0)
            return t == 0 ? b : c * pow2(10 * (p - 1)) + b;
        if (type == 1)
            return t == d ? b + c : c * (1 - pow2(-10 * p)) + b;
        if (t == 0)
            return b;
        if (t == d)
            return b + c;
        if (q < 1)
            return c / 2 * pow2(10 * (q - 1)) + b;
        return c / 2 * (2 - pow2(-10 * (q - 1))) + b;
    case 6: {
        if (t == 0)
            return b;
        if (type == 0 || type == 1) {
            if (p == 1)
                return b + c;
            float period = 0.3f * d;
            float s = period / 4;
            if (type == 0) {
                float r = p - 1;
                return b - c * pow2(10 * r) * std::sin((r * d - s) * (2 * PI) / period);
            }
            return c * pow2(-10 * p) * std::sin((p * d - s) * (2 * PI) / period) + c + b;
        }
        if (q == 2)
            return b + c;
        float period = 0.45f * d;
        float s = period / 4;
        float r = q - 1;
        if (q < 1)
            return b - 0.5f * c * pow2(10 * r) * std::sin((r * d - s) * (2 * PI) / period);
        return 0.5f * c * pow2(-10 * r) * std::sin((r * d - s) * (2 * PI) / period) + c + b;
    }
    case 7: {
        if (type == 0)
            return c * p * p * p + b;
        if (type == 1) {
            float r = p - 1;
            return c * (r * r * r + 1) + b;
        }
        if (q < 1)
            return c / 2 * q * q * q + b;
        float r = q - 2;
        return c / 2 * (r * r * r + 2) + b;
    }
    case 8: {
        if (type == 0)
            return -c * (std::sqrt(1 - p * p) - 1) + b;
        if (type == 1) {
            float r = p - 1;
            return c * std::sqrt(1 - r * r) + b;
        }
        if (q < 1)
            return -c / 2 * (std::sqrt(1 - q * q) - 1) + b;
        float r = q - 2;
        return c / 2 * (std::sqrt(1 - r * r) + 1) + b;
    }
    case 9:
        if (type == 0)
            return bounceIn(t, b, c, d);
        if (type == 1)
            return bounceOut(t, b, c, d);
        if (t < d / 2)
            return bounceIn(t * 2, 0, c, d) * 0.5f + b;
        return bounceOut(t * 2 - d, 0, c, d) * 0.5f + c * 0.5f + b;
    case 10: {
        if (type == 0)
            return c * p * p * (2.70158f * p - 1.70158f) + b;
        if (type == 1) {
            float r = p - 1;
            return c * (r * r * (2.70158f * r + 1.70158f) + 1) + b;
        }
        if (q < 1)
            return c / 2 * (q * q * (3.5949094f * q - 2.5949094f)) + b;
        float r = q - 2;
        return c / 2 * (r * r * (3.5949094f * r + 2.5949094f) + 2) + b;
    }
    default:
        return c * t / d + b;
    }
}

} // namespace

float easeFunction(int equation, int easeType, float t, float b, float c, float d) {
    if (easeType < EASE_IN || easeType > EASE_IN_OUT)
        return c * t / d + b;
    return ease(equation, easeType, t, b, c, d);
}
