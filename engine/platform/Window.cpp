#include "engine/platform/Window.h"

#include "engine/platform/headless/HeadlessWindow.h"
#include "engine/platform/sdl/SdlWindow.h"

#include "engine/platform/System.h"

namespace Platform {

std::unique_ptr<IWindow> createWindow(const std::wstring& title) {
    if (isHeadless())
        return std::make_unique<cHeadlessWindow>(title);
    return std::make_unique<cSdlWindow>(title);
}

} // namespace Platform
