#include "engine/platform/sdl/SdlMessageBox.h"

#include "engine/platform/headless/HeadlessMessageBox.h"

#include <SDL.h>

namespace Platform {

void cSdlMessageBox::show(const std::string& text, const std::string& caption, MessageBoxIcon icon) {
    Uint32 flags = icon == MessageBoxIcon::ERROR     ? SDL_MESSAGEBOX_ERROR
                   : icon == MessageBoxIcon::WARNING ? SDL_MESSAGEBOX_WARNING
                                                     : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) != 0)
        getHeadlessMessageBox().show(text, caption, icon);
}

} // namespace Platform
