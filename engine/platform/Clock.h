#pragma once

// Monotonic time, sleeping and yielding. Tests may install their own clock.

#include <cstdint>

namespace Platform {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds from an arbitrary start; wraps like a 32-bit counter.
    virtual uint32_t getTickMs() = 0;
    virtual void sleepMs(uint32_t milliseconds) = 0;
    virtual void yieldThread() = 0;
};

// The clock in use: the system clock unless a test installed another.
IClock& getClock();
// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
void setClock(IClock* clock);

} // namespace Platform
