#include "engine/platform/Cursor.h"

#include "engine/platform/System.h"

#include <SDL.h>

namespace Platform {

namespace {
int g_headlessX = 0, g_headlessY = 0;
}

void getCursorPos(int& x, int& y) {
    if (isHeadless() || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        x = g_headlessX;
        y = g_headlessY;
        return;
    }
    SDL_GetGlobalMouseState(&x, &y);
}

void setHeadlessCursorPos(int x, int y) {
    g_headlessX = x;
    g_headlessY = y;
}

} // namespace Platform
