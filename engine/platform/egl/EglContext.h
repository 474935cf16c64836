#pragma once

// A GL 3.3 core context on Mesa's surfaceless EGL platform: no window, no display server.

#include "engine/platform/GlContext.h"

#include <EGL/egl.h>

namespace Platform {

class cEglContext : public IGlContext {
public:
    // Throws a narrow std::string with the failing step.
    cEglContext();
    ~cEglContext() override;

    void makeCurrent() override;
    void getDrawableSize(int& width, int& height) const override {
        width = 0;
        height = 0;
    }
    void swapBuffers() override {}
    void setVsync(bool) override {}
    std::string describe() const override;

private:
    void release();

    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLContext m_context = EGL_NO_CONTEXT;
};

} // namespace Platform
