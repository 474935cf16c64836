#include "engine/platform/InputDevices.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"
#include "engine/platform/headless/ScriptedInputDevices.h"

namespace Platform {

std::unique_ptr<IInputDevices> createInputDevices() {
    if (isHeadless() || !getDisplayBackend().createInputDevices)
        return std::make_unique<cScriptedInputDevices>();
    return getDisplayBackend().createInputDevices();
}

} // namespace Platform
