// The program's entry point: fills the application descriptor, creates the application, sets
// the window title, runs the message loop and turns any escaped exception into the fatal-error
// report.

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/core/FatalError.h"
#include "engine/core/String.h"
#include "engine/media/MediaServices.h"
#include "engine/platform/Window.h"
#include "engine/platform/sdl/SdlBackend.h"

#include <cstdlib>
#include <exception>
#include <string>

using namespace Engine;

namespace {

const char* const VERSION_TEXT = "v1.10";

// The game's create callback: builds the game's first screen.
bool onCreateGame(void*) {
    return true;
}

// The game's destroy callback: deletes the game's top-level objects that exist.
bool onDestroyGame(void*) {
    return true;
}

// With the constant "show_version" set, the title becomes "window_title - v1.10".
void makeWindowTitle(cApplicationDesc& desc) {
    cConstants* constants = getConstants();
    if (!constants || !desc.hWnd)
        return;
    bool showVersion = false;
    constants->getValue(L"game", L"show_version", showVersion);
    if (!showVersion)
        return;
    std::wstring title;
    constants->getValue(L"game", L"window_title", title);
    desc.hWnd->setTitle(title + L" - " + narrowToWide(VERSION_TEXT));
}

// Frames to run before closing: MEADOW_FRAMES=N or --frames N; 0 runs until the window closes.
uint64_t frameLimit(int argc, char** argv) {
    std::string text;
    if (const char* value = std::getenv("MEADOW_FRAMES"))
        text = value;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--frames")
            text = argv[i + 1];
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
        return 0;
    return std::stoull(text);
}

} // namespace

int main(int argc, char** argv) {
    Platform::installSdlBackend();
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

    cApplicationDesc desc;
    desc.onCreate = onCreateGame;
    desc.onDestroy = onDestroyGame;
    desc.userData = &commandLine;
    desc.dataFolder = "Data";
    desc.singleInstance = true;

    registerMediaServices();
    cApplication* application = nullptr;
    try {
        application = createApplication(&desc);
        application->setFrameLimit(frameLimit(argc, argv));
        makeWindowTitle(desc);
        application->runMainLoop();
    } catch (...) {
        // Any kind of exception: C strings, narrow and wide strings, standard exceptions, the rest.
        reportFatalException(std::current_exception());
    }
    delete application;
    return 0;
}
