#pragma once

// The game's side of the program start: the create and destroy callbacks that the application
// calls around its message loop, and the window title with the version.

namespace Engine {
struct cApplicationDesc;
}

// The program's version, shown in the title when the constant "show_version" is set.
extern const char* const GAME_VERSION_TEXT;

// Creates the tip manager, the sound table and the logo screen, the first screen.
bool onCreateGame(void* commandLine);
// Deletes the map, the tip manager, the match statistics, the main menu and the profile manager,
// each when it exists.
bool onDestroyGame(void* commandLine);
// With "show_version" set: "window_title - v1.10".
void makeWindowTitle(Engine::cApplicationDesc& desc);
