#include "engine/platform/Window.h"

#include "engine/platform/headless/HeadlessWindow.h"
#include "engine/platform/sdl/SdlWindow.h"

#include <cstdlib>
#include <cstring>

namespace Platform {

bool isHeadlessWindow() {
    const char* value = std::getenv("MEADOW_HEADLESS");
    return value && std::strcmp(value, "1") == 0;
}

std::unique_ptr<IWindow> createWindow(const std::wstring& title) {
    if (isHeadlessWindow())
        return std::make_unique<cHeadlessWindow>(title);
    return std::make_unique<cSdlWindow>(title);
}

} // namespace Platform
