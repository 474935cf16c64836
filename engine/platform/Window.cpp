#include "engine/platform/Window.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/System.h"
#include "engine/platform/headless/HeadlessWindow.h"

namespace Platform {

std::unique_ptr<IWindow> createWindow(const std::wstring& title) {
    if (isHeadless())
        return std::make_unique<cHeadlessWindow>(title);
    if (!getDisplayBackend().createWindow)
        throw std::string("Cannot open the window system: this program has no display backend");
    return getDisplayBackend().createWindow(title);
}

} // namespace Platform
