#include "engine/core/ExceptionLog.h"

#include "engine/core/Log.h"
#include "engine/core/String.h"

#include <cstdio>

namespace Engine {

bool getExceptionText(std::exception_ptr error, std::string& text) {
    if (!error)
        return false;
    try {
        std::rethrow_exception(error);
    } catch (const char* message) {
        text = message ? message : "";
    } catch (const std::string& message) {
        text = message;
    } catch (const std::wstring& message) {
        text = wideToNarrow(message);
    } catch (const wchar_t* message) {
        text = wideToNarrow(message ? message : L"");
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
        return false;
    }
    return true;
}

std::string describeException(std::exception_ptr error) {
    std::string text;
    return getExceptionText(error, text) ? text : "unknown error";
}

bool logError(const std::string& text) noexcept {
    try {
        if (ILog* log = getLog()) {
            log->getChannel(L"error", false)->write("%s", text.c_str());
            return true;
        }
    } catch (...) {
    }
    return false;
}

void logException(const std::string& context, std::exception_ptr error) noexcept {
    std::string text;
    try {
        text = context + describeException(error);
    } catch (...) {
    }
    // Without a log (or in an unwritable folder) stderr is all that is left.
    if (!logError(text))
        std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace Engine
