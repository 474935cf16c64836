#include "engine/core/Color.h"

namespace Engine {

namespace {

uint32_t toByte(float v) {
    if (v >= 1.0f)
        return 255;
    if (v <= 0.0f)
        return 0;
    return uint32_t(v * 255.0f + 0.5f);
}

const float kByteToFloat = 0.003921569f;

} // namespace

uint32_t cColor::toARGB() const {
    return toByte(a) << 24 | toByte(r) << 16 | toByte(g) << 8 | toByte(b);
}

uint32_t cColor::toABGR() const {
    return toByte(a) << 24 | toByte(b) << 16 | toByte(g) << 8 | toByte(r);
}

void cColor::fromARGB(uint32_t packed) {
    a = float((packed >> 24) & 0xFF) * kByteToFloat;
    fromRGB(packed);
}

void cColor::fromRGB(uint32_t packed) {
    r = float((packed >> 16) & 0xFF) * kByteToFloat;
    g = float((packed >> 8) & 0xFF) * kByteToFloat;
    b = float(packed & 0xFF) * kByteToFloat;
}

} // namespace Engine
