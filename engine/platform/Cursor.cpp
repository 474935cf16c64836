#include "engine/platform/Cursor.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"

namespace Platform {

namespace {
int g_headlessX = 0, g_headlessY = 0;
}

void getCursorPos(int& x, int& y) {
    const cDisplayBackend& backend = getDisplayBackend();
    if (!isHeadless() && backend.getCursorPos && backend.getCursorPos(x, y))
        return;
    x = g_headlessX;
    y = g_headlessY;
}

void setHeadlessCursorPos(int x, int y) {
    g_headlessX = x;
    g_headlessY = y;
}

} // namespace Platform
