#include "engine/platform/x11/XkbKeyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace Platform {

namespace {

std::string atomName(Display* display, Atom atom) {
    if (atom == None)
        return std::string();
    char* name = XGetAtomName(display, atom);
    if (!name)
        return std::string();
    std::string text = name;
    XFree(name);
    return text;
}

Display* keyboardDisplay() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        int major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0;
        display = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
    }
    return display;
}

} // namespace

bool readXkbKeyboard(std::string& symbols, int& group, std::string& groupName) {
    Display* display = keyboardDisplay();
    if (!display)
        return false;
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return false;
    XkbDescPtr keyboard = XkbAllocKeyboard();
    if (!keyboard)
        return false;
    keyboard->dpy = display;
    bool found = false;
    if (XkbGetNames(display, XkbSymbolsNameMask | XkbGroupNamesMask, keyboard) == Success && keyboard->names) {
        group = state.group;
        symbols = atomName(display, keyboard->names->symbols);
        groupName = state.group < XkbNumKbdGroups ? atomName(display, keyboard->names->groups[state.group]) : "";
        found = true;
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return found;
}

} // namespace Platform
