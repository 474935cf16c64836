#pragma once

// One of the light sets of the constants: the lights a lit mesh is drawn with, and the
// ambient colour that goes with them.

#include "engine/core/Color.h"
#include "engine/platform/RenderDevice.h"

#include <vector>

namespace Engine {

struct cLightSet {
    std::vector<Platform::cLight> lights;
    cColor ambient;
};

} // namespace Engine
