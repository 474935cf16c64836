#include "engine/platform/sdl/SdlBackend.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/sdl/SdlAudioOutput.h"
#include "engine/platform/sdl/SdlGlContext.h"
#include "engine/platform/sdl/SdlInputDevices.h"
#include "engine/platform/sdl/SdlMessageBox.h"
#include "engine/platform/sdl/SdlWindow.h"

#include <SDL.h>

namespace Platform {

namespace {

std::unique_ptr<IWindow> createSdlWindow(const std::wstring& title) {
    return std::make_unique<cSdlWindow>(title);
}

IMessageBox* getSdlMessageBox() {
    static cSdlMessageBox box;
    return &box;
}

bool getSdlCursorPos(int& x, int& y) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    // SDL's desktop position of the cursor is not refreshed by every motion on X11 (not at all
    // while a button is held): a drag would stay where it began. The window's own mouse events
    // carry each motion, captured drags outside it too.
    if (getSdlWindowCursor(x, y))
        return true;
    SDL_GetGlobalMouseState(&x, &y);
    return true;
}

} // namespace

void installSdlBackend() {
    cDisplayBackend backend;
    backend.createWindow = createSdlWindow;
    backend.createGlContext = createSdlGlContext;
    backend.createInputDevices = createSdlInputDevices;
    backend.createAudioOutput = createSdlAudioOutput;
    backend.getMessageBox = getSdlMessageBox;
    backend.getCursorPos = getSdlCursorPos;
    setDisplayBackend(backend);
}

} // namespace Platform
