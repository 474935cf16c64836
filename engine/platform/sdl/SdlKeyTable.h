#pragma once

// SDL's scan codes (USB usage numbering) to the engine's key codes (KeyCodes.h).

namespace Platform {

// The key code of an SDL scan code, or -1 when the key has none.
int keyCodeFromSdlScancode(int scancode);

} // namespace Platform
