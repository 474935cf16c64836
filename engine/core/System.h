#pragma once

// The engine's thin wrappers of operating-system calls, so the logic above builds and runs
// without the platform.

#include "engine/core/Point.h"

#include <cstdint>
#include <string>

namespace Engine {

// The system's text for the last failed call; empty when there is none.
std::string lastErrorText();
// Folder of the log files: the current directory.
std::wstring getLogFolder();
// The cursor position on the desktop, in pixels.
cPoint getCursorPos();
void sleepMs(uint32_t milliseconds);
void yieldThread();
// Milliseconds of the platform clock; wraps like a 32-bit counter.
uint32_t getTickMs();
// The base folder of per-user data, created when missing; the file system builds the user
// folder on it.
std::wstring getCommonAppDataFolder();

} // namespace Engine
