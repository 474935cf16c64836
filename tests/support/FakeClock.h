#pragma once

// A hand-driven clock: time moves only when the test advances it or when code sleeps, so
// frame timing is exact and tests never wait. Installs itself for its lifetime.

#include "engine/platform/Clock.h"

#include <cstdint>
#include <vector>

namespace TestSupport {

class FakeClock : public Platform::IClock {
public:
    explicit FakeClock(uint32_t startMs = 1000) : m_now(startMs) { Platform::setClock(this); }
    ~FakeClock() override { Platform::setClock(nullptr); }

    uint32_t getTickMs() override {
        uint32_t now = m_now;
        m_now += m_stepPerRead;
        return now;
    }
    void sleepMs(uint32_t milliseconds) override {
        m_sleeps.push_back(milliseconds);
        m_now += milliseconds;
    }
    void yieldThread() override { ++m_yields; }

    void advance(uint32_t milliseconds) { m_now += milliseconds; }
    void set(uint32_t now) { m_now = now; }
    // Time that passes with every read, like work done between two reads.
    void setStepPerRead(uint32_t milliseconds) { m_stepPerRead = milliseconds; }

    const std::vector<uint32_t>& sleeps() const { return m_sleeps; }
    int yields() const { return m_yields; }

private:
    uint32_t m_now;
    uint32_t m_stepPerRead = 0;
    std::vector<uint32_t> m_sleeps;
    int m_yields = 0;
};

} // namespace TestSupport
