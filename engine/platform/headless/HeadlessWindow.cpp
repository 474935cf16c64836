#include "engine/platform/headless/HeadlessWindow.h"

#include "engine/platform/InstanceLock.h"
#include "engine/platform/WindowMessages.h"

namespace Platform {

void cHeadlessWindow::setClientSize(int width, int height) {
    m_width = width;
    m_height = height;
}

void cHeadlessWindow::getClientSize(int& width, int& height) const {
    width = m_fullscreen ? m_desktopWidth : m_width;
    height = m_fullscreen ? m_desktopHeight : m_height;
}

void cHeadlessWindow::setClientPosition(int x, int y) {
    m_placed = true;
    m_x = x;
    m_y = y;
}

void cHeadlessWindow::getClientPosition(int& x, int& y) const {
    if (m_placed && !m_fullscreen) {
        x = m_x;
        y = m_y;
        return;
    }
    // Centred on the desktop, like a freshly placed window.
    int width = 0, height = 0;
    getClientSize(width, height);
    x = (m_desktopWidth - width) / 2;
    y = (m_desktopHeight - height) / 2;
}

void cHeadlessWindow::getDesktopSize(int& width, int& height) const {
    width = m_desktopWidth;
    height = m_desktopHeight;
}

void cHeadlessWindow::getWorkArea(int& x, int& y, int& width, int& height) const {
    x = 0;
    y = 0;
    width = m_desktopWidth;
    height = m_desktopHeight;
}

void cHeadlessWindow::setDesktopSize(int width, int height) {
    m_desktopWidth = width;
    m_desktopHeight = height;
}

bool cHeadlessWindow::peekMessage(cWindowMessage& message) {
    for (int i = takeComeForwardRequests(); i > 0; --i) {
        if (m_minimized)
            postMessage({WM_SYSCOMMAND, SC_RESTORE, 0});
        else
            bringToFront();
    }
    if (m_queue.empty())
        return false;
    message = m_queue.front();
    m_queue.pop_front();
    return true;
}

} // namespace Platform
