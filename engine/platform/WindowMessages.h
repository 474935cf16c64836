#pragma once

// Window-message numbers, system commands and activation states that the engine's window
// procedure handles. They keep their classic values: they are part of the engine's contract.

#include <cstdint>

namespace Platform {

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_SIZING = 0x0214;

// WM_SYSCOMMAND commands (the low four bits are reserved and ignored).
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_MAXIMIZE = 0xF030;
constexpr uintptr_t SC_CLOSE = 0xF060;
constexpr uintptr_t SC_KEYMENU = 0xF100;
constexpr uintptr_t SC_RESTORE = 0xF120;

// WM_ACTIVATE states (low word of wParam; the high word is the minimised flag).
constexpr uintptr_t WA_INACTIVE = 0;
constexpr uintptr_t WA_ACTIVE = 1;
constexpr uintptr_t WA_CLICKACTIVE = 2;

} // namespace Platform
