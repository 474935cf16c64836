#include "engine/core/FatalError.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/String.h"
#include "engine/platform/MessageBox.h"

namespace Engine {

namespace {
tQuitHandler g_quitHandler = nullptr;
}

std::string& errorCallStack() {
    static std::string text;
    return text;
}

void showFatalError(const std::string& message, const std::string&) {
    // A log that cannot be written is skipped: the box below still tells the player.
    logError(message);
    try {
        const std::string& shown = errorCallStack().empty() ? message : errorCallStack();
        Platform::showMessageBox(narrowToUtf8(shown), "Error", Platform::MessageBoxIcon::WARNING);
    } catch (...) {
    }
    if (g_quitHandler) {
        try {
            g_quitHandler();
        } catch (...) {
        }
    }
}

void reportFatalException(std::exception_ptr error) {
    const std::string restart = std::string("\n") + "Restart the game please.";
    std::string& text = errorCallStack();
    try {
        getExceptionText(error, text);
        text += restart;
    } catch (...) {
        // Building the text itself failed (out of memory); report what there is.
    }
    showFatalError(text, "Error call stack:");
}

void setFatalQuitHandler(tQuitHandler handler) {
    g_quitHandler = handler;
}

} // namespace Engine
