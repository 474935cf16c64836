#pragma once

// The mouse cursor's position on the desktop, in pixels.

namespace Platform {

void getCursorPos(int& x, int& y);
// The position the headless cursor reports (tests).
void setHeadlessCursorPos(int x, int y);

} // namespace Platform
