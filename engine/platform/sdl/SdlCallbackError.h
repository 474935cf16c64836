#pragma once

// Exceptions caught inside SDL's callbacks, where nothing may unwind through the library: each is
// reported at once, and the first is kept until the code that called into SDL rethrows it.

#include <exception>

namespace Platform {

class cSdlCallbackError {
public:
    // Runs f; an exception it throws is reported, naming where, and kept.
    template <class F> static void guard(const char* where, F&& f) noexcept {
        try {
            f();
        } catch (...) {
            keep(where, std::current_exception());
        }
    }
    static void keep(const char* where, std::exception_ptr error) noexcept;
    // Rethrows the kept exception, if any, and forgets it. Called after SDL has returned.
    static void rethrowKept();
};

} // namespace Platform
