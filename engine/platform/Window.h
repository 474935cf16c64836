#pragma once

// The main window: title, cursor, visibility, minimise and restore, full screen, desktop
// geometry, and a message queue that never waits. Native events arrive as window messages
// (WindowMessages.h) so that one window procedure handles them on every platform.
// The SDL2 window is the default; MEADOW_HEADLESS=1 selects a window without a display.

#include <cstdint>
#include <memory>
#include <string>

namespace Platform {

struct cWindowMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

class IWindow {
public:
    virtual ~IWindow() = default;

    // Wide text is UTF-16 code units.
    virtual void setTitle(const std::wstring& title) = 0;
    virtual std::wstring getTitle() const = 0;
    virtual void setCursorVisible(bool visible) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual bool isMinimized() const = 0;
    virtual void minimize() = 0;
    virtual void restore() = 0;
    virtual void bringToFront() = 0;
    // Closes the native window; posted messages can still be taken afterwards.
    virtual void destroy() = 0;
    virtual bool isDestroyed() const = 0;

    virtual void setClientSize(int width, int height) = 0;
    virtual void getClientSize(int& width, int& height) const = 0;
    // The client area's top-left corner on the desktop.
    virtual void setClientPosition(int x, int y) = 0;
    virtual void getClientPosition(int& x, int& y) const = 0;
    // Full screen keeps the desktop's size; a desktop that cannot (no window manager) leaves
    // the window as it is, and isFullscreen stays false.
    virtual void setFullscreen(bool fullscreen) = 0;
    virtual bool isFullscreen() const = 0;
    virtual void getDesktopSize(int& width, int& height) const = 0;
    virtual void getWorkArea(int& x, int& y, int& width, int& height) const = 0;
    // Shows a black picture, for runs without a graphics device drawing into the window.
    virtual void presentBlank() = 0;

    // Takes the next message without waiting; false when there is none.
    virtual bool peekMessage(cWindowMessage& message) = 0;
    // Queues a message behind those already waiting.
    virtual void postMessage(const cWindowMessage& message) = 0;

    // The SDL_Window of the real window (for the GL context); null when headless.
    virtual void* getNativeHandle() const = 0;
};

// The real window, or the headless one under MEADOW_HEADLESS=1. Created hidden, 800 x 600.
// Throws a narrow text when the window system cannot open a window.
std::unique_ptr<IWindow> createWindow(const std::wstring& title);

} // namespace Platform
