#include "engine/platform/x11/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace Platform {

namespace {

bool g_failed = false;

// A stale announcement names a window that is gone: the error must not end the program.
int recordError(Display*, XErrorEvent*) {
    g_failed = true;
    return 0;
}

bool readCheckWindow(Display* display, Window window, Atom check, Window& out) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &items, &after, &data) !=
            Success ||
        !data)
        return false;
    const bool found = type == XA_WINDOW && format == 32 && items == 1;
    if (found)
        out = *reinterpret_cast<Window*>(data);
    XFree(data);
    return found;
}

} // namespace

bool hasX11WindowManager(void* handle) {
    auto* display = static_cast<Display*>(handle);
    if (!display)
        return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Window manager = None;
    if (!readCheckWindow(display, DefaultRootWindow(display), check, manager))
        return false;
    XSync(display, False);
    g_failed = false;
    XErrorHandler previous = XSetErrorHandler(recordError);
    Window self = None;
    const bool named = readCheckWindow(display, manager, check, self);
    XSync(display, False);
    XSetErrorHandler(previous);
    return named && !g_failed && self == manager;
}

} // namespace Platform
