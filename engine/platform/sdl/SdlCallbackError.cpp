#include "engine/platform/sdl/SdlCallbackError.h"

#include "engine/platform/System.h"

#include <mutex>
#include <stdexcept>
#include <string>

namespace Platform {

namespace {

std::mutex g_mutex;
std::exception_ptr g_kept;

std::string describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (const std::string& text) {
        return text;
    } catch (const char* text) {
        return text ? text : "";
    } catch (...) {
        return "an exception without a text";
    }
}

} // namespace

void cSdlCallbackError::keep(const char* where, std::exception_ptr error) noexcept {
    try {
        report(std::string(where) + ": " + describe(error));
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_kept)
            g_kept = error;
    } catch (...) {
        // Reporting itself failed (out of memory): the exception is still kept below if possible.
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_kept)
            g_kept = error;
    }
}

void cSdlCallbackError::rethrowKept() {
    std::exception_ptr error;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        error.swap(g_kept);
    }
    if (error)
        std::rethrow_exception(error);
}

} // namespace Platform
