#pragma once

// The SDL window's message pump takes every SDL event; other SDL-based devices of the platform
// layer (keyboard, mouse, joystick) see each event through this tap before it is translated.

#include <SDL.h>

namespace Platform {

using tSdlEventTap = void (*)(const SDL_Event& event, void* user);

// One tap at a time; null removes it.
void setSdlEventTap(tSdlEventTap tap, void* user);

} // namespace Platform
