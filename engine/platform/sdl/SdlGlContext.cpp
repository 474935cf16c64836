#include "engine/platform/sdl/SdlGlContext.h"

#include "engine/platform/Window.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

namespace Platform {

cSdlGlContext::cSdlGlContext(SDL_Window* window) : m_window(window) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    m_context = SDL_GL_CreateContext(window);
    if (!m_context)
        throw std::string("Cannot create an OpenGL 3.3 context: ") + SDL_GetError();
    SDL_GL_MakeCurrent(window, m_context);
}

cSdlGlContext::~cSdlGlContext() {
    if (m_context)
        SDL_GL_DeleteContext(m_context);
}

void cSdlGlContext::makeCurrent() {
    SDL_GL_MakeCurrent(m_window, m_context);
}

void cSdlGlContext::getDrawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(m_window, &width, &height);
}

void cSdlGlContext::swapBuffers() {
    SDL_GL_SwapWindow(m_window);
}

void cSdlGlContext::setVsync(bool vsync) {
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
}

std::string cSdlGlContext::describe() const {
    const GLubyte* renderer = glGetString(GL_RENDERER);
    return std::string("SDL2, ") + (renderer ? reinterpret_cast<const char*>(renderer) : "unknown renderer");
}

std::unique_ptr<IGlContext> createSdlGlContext(IWindow& window) {
    return std::make_unique<cSdlGlContext>(static_cast<SDL_Window*>(window.getNativeHandle()));
}

} // namespace Platform
