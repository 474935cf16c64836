#pragma once

// The real main window on SDL2. Native events become window messages in its queue.

#include "engine/platform/Window.h"

#include <deque>

struct SDL_Window;
union SDL_Event;

namespace Platform {

class cSdlWindow : public IWindow {
public:
    explicit cSdlWindow(const std::wstring& title);
    ~cSdlWindow() override;

    void setTitle(const std::wstring& title) override;
    std::wstring getTitle() const override { return m_title; }
    void setCursorVisible(bool visible) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;
    bool isMinimized() const override;
    void minimize() override;
    void restore() override;
    void bringToFront() override;
    void destroy() override;
    bool isDestroyed() const override { return m_window == nullptr; }

    void setClientSize(int width, int height) override;
    void getClientSize(int& width, int& height) const override;
    void setClientPosition(int x, int y) override;
    void getClientPosition(int& x, int& y) const override;
    // Refused (the window stays as it is) on X11 without a window manager.
    void setFullscreen(bool fullscreen) override;
    bool isFullscreen() const override;
    void getDesktopSize(int& width, int& height) const override;
    void getWorkArea(int& x, int& y, int& width, int& height) const override;
    void presentBlank() override;

    bool peekMessage(cWindowMessage& message) override;
    void postMessage(const cWindowMessage& message) override { m_queue.push_back(message); }
    void* getNativeHandle() const override { return m_window; }
    // The cursor in desktop pixels where the window's last mouse event put it; false before
    // the first one.
    bool getCursorPosition(int& x, int& y) const;

private:
    bool canGoFullscreen() const;
    void translate(const SDL_Event& event);
    void post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        m_queue.push_back({message, wParam, lParam});
    }

    SDL_Window* m_window = nullptr;
    std::wstring m_title;
    bool m_wasMinimized = false;
    bool m_cursorKnown = false;
    int m_cursorX = 0;
    int m_cursorY = 0;
    std::deque<cWindowMessage> m_queue;
};

// The cursor in desktop pixels as the last SDL window made saw it; false without one.
bool getSdlWindowCursor(int& x, int& y);

// The virtual-key code of an SDL key; 0 for keys without one.
int sdlKeyToVirtualKey(int sdlKey);

} // namespace Platform
