#pragma once

// Process and folder facts from the operating system. Paths are UTF-8.

#include <string>

namespace Platform {

// True when MEADOW_HEADLESS=1: no display, no sound card, nothing that blocks.
bool isHeadless();
// Full path of the running program; empty when the system does not tell.
std::string getExecutablePath();
// Base folder for per-user data: MEADOW_USER_DIR when set, else $XDG_DATA_HOME when it is an
// absolute path, else ~/.local/share. Created when missing.
std::string getUserDataFolder();
// Blocks of a megabyte or more (decoded pictures and sounds) are mapped apart and go back to the
// system when freed, instead of staying in the heap.
void returnLargeBlocksToTheSystem();
// The system's text for the last failed call (errno); empty when there is none.
std::string lastErrorText();

// Where the platform layer reports what it cannot throw: a refused connection, a failed bind, an
// exception caught inside a library callback. The engine points it at its error log; without a
// handler the text goes to stderr.
using ReportHandler = void (*)(const std::string& text);
void setReportHandler(ReportHandler handler);
void report(const std::string& text);

} // namespace Platform
