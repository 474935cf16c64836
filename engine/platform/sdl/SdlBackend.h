#pragma once

// Installs the SDL2 display backend: the real window and its OpenGL context, input devices,
// audio output, message box and cursor (see DisplayBackend.h). The program calls it first.

namespace Platform {

void installSdlBackend();

} // namespace Platform
