#pragma once

// Keyboard, mouse and first joystick on SDL2. The devices watch SDL's event queue, so they see
// every input event whoever pumps the window's events, and buffer what arrives while acquired.

#include "engine/platform/InputDevices.h"

namespace Platform {

std::unique_ptr<IInputDevices> createSdlInputDevices();

} // namespace Platform
