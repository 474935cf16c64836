#pragma once

// A window without a display: its state is kept in memory, its desktop size is scripted and
// its messages are the ones that tests inject. Never blocks.

#include "engine/platform/Window.h"

#include <deque>

namespace Platform {

class cHeadlessWindow : public IWindow {
public:
    explicit cHeadlessWindow(const std::wstring& title) : m_title(title) {}

    void setTitle(const std::wstring& title) override { m_title = title; }
    std::wstring getTitle() const override { return m_title; }
    void setCursorVisible(bool visible) override { m_cursorVisible = visible; }
    bool isCursorVisible() const { return m_cursorVisible; }
    void show() override { m_visible = true; }
    void hide() override { m_visible = false; }
    bool isVisible() const override { return m_visible; }
    bool isMinimized() const override { return m_minimized; }
    void minimize() override { m_minimized = true; }
    void restore() override { m_minimized = false; }
    void bringToFront() override { ++m_broughtToFront; }
    int getBroughtToFrontCount() const { return m_broughtToFront; }
    void destroy() override { m_destroyed = true; }
    bool isDestroyed() const override { return m_destroyed; }

    void setClientSize(int width, int height) override;
    void getClientSize(int& width, int& height) const override;
    void setClientPosition(int x, int y) override;
    void getClientPosition(int& x, int& y) const override;
    // Without a window manager full screen is refused and the window keeps its size.
    void setFullscreen(bool fullscreen) override { m_fullscreen = fullscreen && m_windowManager; }
    bool isFullscreen() const override { return m_fullscreen; }
    void getDesktopSize(int& width, int& height) const override;
    void getWorkArea(int& x, int& y, int& width, int& height) const override;
    void presentBlank() override {}

    bool peekMessage(cWindowMessage& message) override;
    void postMessage(const cWindowMessage& message) override { m_queue.push_back(message); }
    void* getNativeHandle() const override { return nullptr; }

    // Scripting for tests.
    void inject(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) { postMessage({message, wParam, lParam}); }
    void setDesktopSize(int width, int height);
    // A desktop without a window manager (X11 alone): full screen is refused.
    void setWindowManager(bool present) { m_windowManager = present; }

private:
    std::wstring m_title;
    bool m_cursorVisible = true;
    bool m_visible = false;
    bool m_minimized = false;
    bool m_destroyed = false;
    bool m_fullscreen = false;
    bool m_windowManager = true;
    int m_broughtToFront = 0;
    int m_width = 800;
    int m_height = 600;
    bool m_placed = false;
    int m_x = 0;
    int m_y = 0;
    int m_desktopWidth = 1024;
    int m_desktopHeight = 768;
    std::deque<cWindowMessage> m_queue;
};

} // namespace Platform
