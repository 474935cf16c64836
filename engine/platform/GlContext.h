#pragma once

// An OpenGL 3.3 core context to draw with: the main window's (SDL2) or one without any
// surface (Mesa EGL) for headless runs. The OpenGL render device draws into a framebuffer of
// its own and hands each finished picture to the context to show.

#include "engine/platform/RenderDevice.h"

#include <memory>
#include <string>

namespace Platform {

class IWindow;

class IGlContext {
public:
    virtual ~IGlContext() = default;
    virtual void makeCurrent() = 0;
    // Size of the visible framebuffer 0 in pixels; 0 x 0 when there is none (headless).
    virtual void getDrawableSize(int& width, int& height) const = 0;
    // Shows framebuffer 0 (nothing when headless).
    virtual void swapBuffers() = 0;
    // Presentation at the display's refresh (true) or at once (false).
    virtual void setVsync(bool vsync) = 0;
    // "SDL2" or "EGL", with the GL renderer's name, for logs and test reports.
    virtual std::string describe() const = 0;
};

// The context of the window: SDL2 for a real window, EGL surfaceless for a headless one.
// Throws a narrow std::string with the reason when no context can be made.
std::unique_ptr<IGlContext> createGlContext(IWindow& window);
// A Mesa EGL surfaceless context; throws a narrow std::string with the reason.
std::unique_ptr<IGlContext> createHeadlessGlContext();
// The OpenGL render device over the context, which it owns; the back buffer starts at the
// parameters' size. Throws a narrow std::string when the GL version or a shader fails.
std::unique_ptr<IRenderDevice> createGlRenderDevice(std::unique_ptr<IGlContext> context,
                                                    const cPresentParameters& parameters);

} // namespace Platform
