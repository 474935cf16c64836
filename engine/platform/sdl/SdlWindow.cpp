#include "engine/platform/sdl/SdlWindow.h"

#include "engine/platform/InstanceLock.h"
#include "engine/platform/VirtualKeys.h"
#include "engine/platform/WindowMessages.h"
#include "engine/platform/sdl/SdlCallbackError.h"
#include "engine/platform/x11/WindowManager.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

namespace Platform {

namespace {

// SDL speaks UTF-8; our wide text is UTF-16 units.
std::string utf16ToUtf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = uint32_t(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            uint32_t low = uint32_t(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// UTF-8 to UTF-16 units; malformed bytes are skipped.
std::wstring utf8ToUtf16(const char* text) {
    std::wstring out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t c = *p;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        ++p;
        if (extra < 0)
            continue;
        c &= extra == 0 ? 0x7F : (0x3F >> extra);
        bool ok = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (*p & 0x3F);
        }
        if (!ok)
            continue;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += wchar_t(0xD800 + (c >> 10));
            out += wchar_t(0xDC00 + (c & 0x3FF));
        } else {
            out += wchar_t(c);
        }
    }
    return out;
}

// The program's one window, which answers for the cursor.
cSdlWindow* g_cursorWindow = nullptr;

} // namespace

bool getSdlWindowCursor(int& x, int& y) {
    return g_cursorWindow && g_cursorWindow->getCursorPosition(x, y);
}

int sdlKeyToVirtualKey(int key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return VK_A + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return VK_0 + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    static const struct {
        int sdlKey;
        int virtualKey;
    } table[] = {
        {SDLK_BACKSPACE, VK_BACK},
        {SDLK_TAB, VK_TAB},
        {SDLK_RETURN, VK_RETURN},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RSHIFT, VK_SHIFT},
        {SDLK_LCTRL, VK_CONTROL},
        {SDLK_RCTRL, VK_CONTROL},
        {SDLK_LALT, VK_MENU},
        {SDLK_RALT, VK_MENU},
        {SDLK_PAUSE, VK_PAUSE},
        {SDLK_CAPSLOCK, VK_CAPITAL},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_SPACE, VK_SPACE},
        {SDLK_PAGEUP, VK_PRIOR},
        {SDLK_PAGEDOWN, VK_NEXT},
        {SDLK_END, VK_END},
        {SDLK_HOME, VK_HOME},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_UP, VK_UP},
        {SDLK_RIGHT, VK_RIGHT},
        {SDLK_DOWN, VK_DOWN},
        {SDLK_PRINTSCREEN, VK_SNAPSHOT},
        {SDLK_INSERT, VK_INSERT},
        {SDLK_DELETE, VK_DELETE},
        {SDLK_KP_0, VK_NUMPAD0},
        {SDLK_KP_MULTIPLY, VK_MULTIPLY},
        {SDLK_KP_PLUS, VK_ADD},
        {SDLK_KP_MINUS, VK_SUBTRACT},
        {SDLK_KP_PERIOD, VK_DECIMAL},
        {SDLK_KP_DIVIDE, VK_DIVIDE},
        {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
        {SDLK_SCROLLLOCK, VK_SCROLL},
        {SDLK_SEMICOLON, VK_OEM_1},
        {SDLK_EQUALS, VK_OEM_PLUS},
        {SDLK_COMMA, VK_OEM_COMMA},
        {SDLK_MINUS, VK_OEM_MINUS},
        {SDLK_PERIOD, VK_OEM_PERIOD},
        {SDLK_SLASH, VK_OEM_2},
        {SDLK_BACKQUOTE, VK_OEM_3},
        {SDLK_LEFTBRACKET, VK_OEM_4},
        {SDLK_BACKSLASH, VK_OEM_5},
        {SDLK_RIGHTBRACKET, VK_OEM_6},
        {SDLK_QUOTE, VK_OEM_7},
    };
    for (const auto& entry : table)
        if (entry.sdlKey == key)
            return entry.virtualKey;
    return 0;
}

cSdlWindow::cSdlWindow(const std::wstring& title) : m_title(title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::string("Cannot open the window system: ") + SDL_GetError();
    // The window's own framebuffer gets the depth and stencil of the device's back buffer, so
    // that frames of the window's size are drawn straight into it.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    m_window = SDL_CreateWindow(utf16ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
    if (!m_window) {
        std::string error = std::string("Cannot create the main window: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw error;
    }
    SDL_StartTextInput();
    g_cursorWindow = this;
}

cSdlWindow::~cSdlWindow() {
    if (g_cursorWindow == this)
        g_cursorWindow = nullptr;
    destroy();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void cSdlWindow::setTitle(const std::wstring& title) {
    m_title = title;
    if (m_window)
        SDL_SetWindowTitle(m_window, utf16ToUtf8(title).c_str());
}

void cSdlWindow::setCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void cSdlWindow::show() {
    if (m_window)
        SDL_ShowWindow(m_window);
}

void cSdlWindow::hide() {
    if (m_window)
        SDL_HideWindow(m_window);
}

bool cSdlWindow::isVisible() const {
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN);
}

bool cSdlWindow::isMinimized() const {
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED);
}

void cSdlWindow::minimize() {
    if (m_window)
        SDL_MinimizeWindow(m_window);
}

void cSdlWindow::restore() {
    if (m_window)
        SDL_RestoreWindow(m_window);
}

void cSdlWindow::bringToFront() {
    if (m_window)
        SDL_RaiseWindow(m_window);
}

void cSdlWindow::destroy() {
    if (m_window)
        SDL_DestroyWindow(m_window);
    m_window = nullptr;
}

void cSdlWindow::setClientSize(int width, int height) {
    if (m_window)
        SDL_SetWindowSize(m_window, width, height);
}

void cSdlWindow::getClientSize(int& width, int& height) const {
    width = height = 0;
    if (m_window)
        SDL_GetWindowSize(m_window, &width, &height);
}

void cSdlWindow::setClientPosition(int x, int y) {
    if (m_window)
        SDL_SetWindowPosition(m_window, x, y);
}

void cSdlWindow::getClientPosition(int& x, int& y) const {
    x = y = 0;
    if (m_window)
        SDL_GetWindowPosition(m_window, &x, &y);
}

bool cSdlWindow::getCursorPosition(int& x, int& y) const {
    if (!m_window || !m_cursorKnown)
        return false;
    getClientPosition(x, y);
    x += m_cursorX;
    y += m_cursorY;
    return true;
}

bool cSdlWindow::canGoFullscreen() const {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(m_window, &info))
        return true;
#if defined(SDL_VIDEO_DRIVER_X11)
    // SDL reports the desktop size at once, but only a window manager makes the window so.
    if (info.subsystem == SDL_SYSWM_X11)
        return hasX11WindowManager(info.info.x11.display);
#endif
    return true;
}

void cSdlWindow::setFullscreen(bool fullscreen) {
    if (!m_window || (fullscreen && !canGoFullscreen()))
        return;
    SDL_SetWindowFullscreen(m_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool cSdlWindow::isFullscreen() const {
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void cSdlWindow::getDesktopSize(int& width, int& height) const {
    SDL_DisplayMode mode;
    int display = m_window ? SDL_GetWindowDisplayIndex(m_window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = 800;
        height = 600;
    }
}

void cSdlWindow::getWorkArea(int& x, int& y, int& width, int& height) const {
    SDL_Rect rect;
    int display = m_window ? SDL_GetWindowDisplayIndex(m_window) : 0;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &rect) == 0) {
        x = rect.x;
        y = rect.y;
        width = rect.w;
        height = rect.h;
    } else {
        x = y = 0;
        getDesktopSize(width, height);
    }
}

void cSdlWindow::presentBlank() {
    if (!m_window || !isVisible() || isMinimized())
        return;
    if (SDL_Surface* surface = SDL_GetWindowSurface(m_window)) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        SDL_UpdateWindowSurface(m_window);
    }
}

bool cSdlWindow::peekMessage(cWindowMessage& message) {
    for (int i = takeComeForwardRequests(); i > 0; --i) {
        if (isMinimized())
            post(WM_SYSCOMMAND, SC_RESTORE);
        else
            bringToFront();
    }
    SDL_Event event;
    while (m_queue.empty() && SDL_PollEvent(&event)) {
        translate(event);
    }
    cSdlCallbackError::rethrowKept();
    if (m_queue.empty())
        return false;
    message = m_queue.front();
    m_queue.pop_front();
    return true;
}

void cSdlWindow::translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        post(WM_CLOSE);
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            post(WM_ACTIVATEAPP, 1);
            post(WM_ACTIVATE, WA_ACTIVE);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            post(WM_ACTIVATE, WA_INACTIVE);
            post(WM_ACTIVATEAPP, 0);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            m_wasMinimized = true;
            post(WM_SYSCOMMAND, SC_MINIMIZE);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            post(WM_SYSCOMMAND, SC_MAXIMIZE);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            // Also sent after a maximise ends; only a return from the taskbar is a restore here.
            if (m_wasMinimized)
                post(WM_SYSCOMMAND, SC_RESTORE);
            m_wasMinimized = false;
            break;
        case SDL_WINDOWEVENT_CLOSE:
            post(WM_CLOSE);
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN: {
        int key = sdlKeyToVirtualKey(event.key.keysym.sym);
        if (!key)
            break;
        bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
        post(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, uintptr_t(key));
        // These characters come from SDL as key events only.
        if (!alt && (key == VK_BACK || key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE))
            post(WM_CHAR, uintptr_t(key));
        break;
    }
    case SDL_KEYUP: {
        int key = sdlKeyToVirtualKey(event.key.keysym.sym);
        if (key)
            post((event.key.keysym.mod & KMOD_ALT) ? WM_SYSKEYUP : WM_KEYUP, uintptr_t(key));
        break;
    }
    case SDL_TEXTINPUT:
        for (wchar_t unit : utf8ToUtf16(event.text.text))
            post(WM_CHAR, uintptr_t(unit) & 0xFFFF);
        break;
    case SDL_MOUSEMOTION:
        if (m_window && event.motion.windowID == SDL_GetWindowID(m_window)) {
            m_cursorKnown = true;
            m_cursorX = event.motion.x;
            m_cursorY = event.motion.y;
        }
        post(WM_MOUSEMOVE, 0, intptr_t((event.motion.x & 0xFFFF) | ((event.motion.y & 0xFFFF) << 16)));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (m_window && event.button.windowID == SDL_GetWindowID(m_window)) {
            m_cursorKnown = true;
            m_cursorX = event.button.x;
            m_cursorY = event.button.y;
        }
        break;
    default:
        break;
    }
}

} // namespace Platform
