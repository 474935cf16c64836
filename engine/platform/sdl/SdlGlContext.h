#pragma once

// The GL 3.3 core context of the SDL2 main window.

#include "engine/platform/GlContext.h"

#include <SDL.h>

namespace Platform {

class cSdlGlContext : public IGlContext {
public:
    // Throws a narrow std::string with SDL's reason.
    explicit cSdlGlContext(SDL_Window* window);
    ~cSdlGlContext() override;

    void makeCurrent() override;
    void getDrawableSize(int& width, int& height) const override;
    void swapBuffers() override;
    void setVsync(bool vsync) override;
    std::string describe() const override;

private:
    SDL_Window* m_window = nullptr;
    SDL_GLContext m_context = nullptr;
};

// The context of a window made by the SDL backend.
std::unique_ptr<IGlContext> createSdlGlContext(IWindow& window);

} // namespace Platform
