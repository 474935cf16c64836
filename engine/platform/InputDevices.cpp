#include "engine/platform/InputDevices.h"

#include "engine/platform/headless/ScriptedInputDevices.h"
#include "engine/platform/sdl/SdlInputDevices.h"

#include <cstdlib>
#include <cstring>

namespace Platform {

std::unique_ptr<IInputDevices> createInputDevices() {
    const char* headless = std::getenv("MEADOW_HEADLESS");
    if (headless && std::strcmp(headless, "0") != 0 && *headless)
        return std::make_unique<cScriptedInputDevices>();
    return createSdlInputDevices();
}

} // namespace Platform
