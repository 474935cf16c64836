#include "engine/core/System.h"
#include "engine/core/String.h"
#include "engine/platform/Clock.h"
#include "engine/platform/Cursor.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace Engine;

namespace {

class cStepClock : public Platform::IClock {
public:
    uint32_t getTickMs() override { return m_now; }
    void sleepMs(uint32_t milliseconds) override { m_now += milliseconds; }
    void yieldThread() override { ++m_yields; }

    uint32_t m_now = 0xFFFFFFF0u;
    int m_yields = 0;
};

} // namespace

TEST(SystemTest, WrappersGoThroughThePlatform) {
    cStepClock clock;
    Platform::setClock(&clock);
    sleepMs(32);
    yieldThread();
    EXPECT_EQ(getTickMs(), 0x10u);
    EXPECT_EQ(clock.m_yields, 1);
    Platform::setClock(nullptr);

    Platform::setHeadlessCursorPos(120, -4);
    EXPECT_EQ(getCursorPos(), (cPoint{120, -4}));
    EXPECT_EQ(getLogFolder(), L".");
    std::wstring expected;
    utf8ToWide(std::getenv("MEADOW_USER_DIR"), expected);
    EXPECT_EQ(getCommonAppDataFolder(), expected);
}
