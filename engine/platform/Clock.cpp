#include "engine/platform/Clock.h"

#include <chrono>
#include <thread>

namespace Platform {

namespace {

class cSystemClock : public IClock {
public:
    uint32_t getTickMs() override {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    void sleepMs(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    void yieldThread() override { std::this_thread::yield(); }
};

cSystemClock g_systemClock;
IClock* g_clock = nullptr;

} // namespace

IClock& getClock() {
    return g_clock ? *g_clock : g_systemClock;
}

void setClock(IClock* clock) {
    g_clock = clock;
}

} // namespace Platform
