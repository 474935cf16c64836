#pragma once

// The engine's matrices and colours in the forms the render device takes.

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/platform/RenderDevice.h"

#include <cstring>

namespace Engine {

inline Platform::cDeviceMatrix toDevice(const cMatrix4& matrix) {
    Platform::cDeviceMatrix out;
    std::memcpy(out.m, matrix.m, sizeof(out.m));
    return out;
}

inline Platform::cColorValue toDevice(const cColor& color) {
    return {color.r, color.g, color.b, color.a};
}

} // namespace Engine
