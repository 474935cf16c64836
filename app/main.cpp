// The program's entry point: fills the application descriptor with the game's callbacks,
// creates the application, sets the window title, runs the message loop and turns any escaped
// exception into the fatal-error report.

#include "app/GameWiring.h"
#include "engine/core/Application.h"
#include "engine/core/FatalError.h"
#include "engine/media/MediaServices.h"
#include "engine/platform/Clock.h"
#include "engine/platform/sdl/SdlBackend.h"
#include "game/shell/GameStart.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

using namespace Engine;

namespace {

const char* const USAGE_TEXT =
    "Usage: meadow [--frames N]\n"
    "Meadow, a match-3 puzzle game with a map of buildings between levels.\n"
    "\n"
    "  --frames N   run N frames, then close and print the frames run and the time taken\n"
    "               (0: until the window is closed)\n"
    "  --help       show this text and exit\n"
    "\n"
    "Environment:\n"
    "  MEADOW_HEADLESS=1            run without a display or sound card (a headless window,\n"
    "                               drawing on Mesa's surfaceless EGL)\n"
    "  MEADOW_FRAMES=N              the same as --frames N\n"
    "  MEADOW_USER_DIR=DIR          base folder of the user folder (default: $XDG_DATA_HOME,\n"
    "                               else ~/.local/share)\n"
    "  MEADOW_SWAP_MOUSE_BUTTONS=1  swap the left and right mouse buttons\n"
    "  LIBGL_ALWAYS_SOFTWARE=1      draw with Mesa's software renderer\n"
    "\n"
    "The error log, error.log, is written in the current folder.\n"
    "\n"
    "Exit codes: 0 the program closed normally, 1 a fatal error (reported in error.log),\n"
    "2 a wrong command line.\n";

bool isCount(const std::string& text) {
    return !text.empty() && text.size() <= 18 && text.find_first_not_of("0123456789") == std::string::npos;
}

// Frames to run before closing: MEADOW_FRAMES=N or --frames N; 0 runs until the window closes.
uint64_t frameLimit(const std::string& option) {
    std::string text = option;
    if (text.empty())
        if (const char* value = std::getenv("MEADOW_FRAMES"))
            text = value;
    return isCount(text) ? std::stoull(text) : 0;
}

// Reads the options; returns an exit code when the program should end at once (-1: go on).
int readOptions(int argc, char** argv, std::string& frames) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(USAGE_TEXT, stdout);
            return 0;
        }
        if (option == "--frames") {
            if (i + 1 >= argc || !isCount(argv[i + 1])) {
                std::fprintf(stderr, "meadow: --frames needs a number of frames. Try 'meadow --help'.\n");
                return 2;
            }
            frames = argv[++i];
        } else if (!option.empty() && option[0] == '-') {
            std::fprintf(stderr, "meadow: unknown option '%s'. Try 'meadow --help'.\n", option.c_str());
            return 2;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    std::string frames;
    if (int code = readOptions(argc, argv, frames); code >= 0)
        return code;

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
    wireGame();
    cApplication* application = nullptr;
    const uint64_t limit = frameLimit(frames);
    const uint32_t started = Platform::getClock().getTickMs();
    int exitCode = 0;
    try {
        application = createApplication(&desc);
        application->setFrameLimit(limit);
        makeWindowTitle(desc);
        application->runMainLoop();
        if (limit > 0)
            std::printf("meadow: %llu frames in %.2f s\n",
                        static_cast<unsigned long long>(application->getFrameCount()),
                        (Platform::getClock().getTickMs() - started) / 1000.0);
    } catch (...) {
        // Any kind of exception: C strings, narrow and wide strings, standard exceptions, the rest.
        reportFatalException(std::current_exception());
        // Scripts and CI must tell a failed run from a clean one.
        exitCode = 1;
    }
    delete application;
    return exitCode;
}
