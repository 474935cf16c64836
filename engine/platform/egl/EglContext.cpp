#include "engine/platform/egl/EglContext.h"

#include "engine/platform/DisplayBackend.h"
#include "engine/platform/Window.h"

#include <EGL/eglext.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <cstring>

namespace Platform {

namespace {

std::string eglError(const char* step) {
    char code[16];
    std::snprintf(code, sizeof(code), "0x%04X", unsigned(eglGetError()));
    return std::string("EGL: ") + step + " failed (" + code + ")";
}

bool hasExtension(const char* list, const char* name) {
    if (!list)
        return false;
    size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p; p = std::strstr(p + length, name))
        if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    return false;
}

} // namespace

cEglContext::cEglContext() {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
        throw std::string("EGL: the surfaceless platform (EGL_MESA_platform_surfaceless) is not available");
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        throw std::string("EGL: eglGetPlatformDisplayEXT is missing");
    m_display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (m_display == EGL_NO_DISPLAY)
        throw eglError("eglGetPlatformDisplayEXT");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(m_display, &major, &minor)) {
        std::string error = eglError("eglInitialize");
        m_display = EGL_NO_DISPLAY;
        throw error;
    }
    try {
        if (!eglBindAPI(EGL_OPENGL_API))
            throw eglError("eglBindAPI");
        EGLConfig config = nullptr;
        const char* extensions = eglQueryString(m_display, EGL_EXTENSIONS);
        if (!hasExtension(extensions, "EGL_KHR_no_config_context")) {
            const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
            EGLint count = 0;
            if (!eglChooseConfig(m_display, configAttributes, &config, 1, &count) || count < 1)
                throw eglError("eglChooseConfig");
        }
        const EGLint contextAttributes[] = {
            EGL_CONTEXT_MAJOR_VERSION,           3,       EGL_CONTEXT_MINOR_VERSION, 3, EGL_CONTEXT_OPENGL_PROFILE_MASK,
            EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
        m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, contextAttributes);
        if (m_context == EGL_NO_CONTEXT)
            throw eglError("eglCreateContext (OpenGL 3.3 core)");
        if (!eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context))
            throw eglError("eglMakeCurrent");
    } catch (...) {
        release();
        throw;
    }
}

cEglContext::~cEglContext() {
    release();
}

void cEglContext::release() {
    if (m_display == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT)
        eglDestroyContext(m_display, m_context);
    eglTerminate(m_display);
    m_context = EGL_NO_CONTEXT;
    m_display = EGL_NO_DISPLAY;
}

void cEglContext::makeCurrent() {
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context);
}

std::string cEglContext::describe() const {
    const GLubyte* renderer = glGetString(GL_RENDERER);
    return std::string("EGL surfaceless, ") + (renderer ? reinterpret_cast<const char*>(renderer) : "unknown renderer");
}

std::unique_ptr<IGlContext> createGlContext(IWindow& window) {
    if (window.getNativeHandle() && getDisplayBackend().createGlContext)
        return getDisplayBackend().createGlContext(window);
    return createHeadlessGlContext();
}

std::unique_ptr<IGlContext> createHeadlessGlContext() {
    return std::make_unique<cEglContext>();
}

} // namespace Platform
