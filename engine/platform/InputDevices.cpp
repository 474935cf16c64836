#include "engine/platform/InputDevices.h"

#include "engine/platform/System.h"
#include "engine/platform/headless/ScriptedInputDevices.h"
#include "engine/platform/sdl/SdlInputDevices.h"

namespace Platform {

std::unique_ptr<IInputDevices> createInputDevices() {
    if (isHeadless())
        return std::make_unique<cScriptedInputDevices>();
    return createSdlInputDevices();
}

} // namespace Platform
