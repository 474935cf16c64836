#pragma once

// Whether a window manager runs on an X display: without one nobody answers a window's request
// for full screen, and the window keeps its size.

namespace Platform {

// display: an Xlib Display*. True when an EWMH window manager announces itself on the root
// window (_NET_SUPPORTING_WM_CHECK naming a live window that names itself).
bool hasX11WindowManager(void* display);

} // namespace Platform
