#include "engine/core/System.h"
#include "engine/core/String.h"
#include "engine/platform/Clock.h"
#include "engine/platform/Cursor.h"
#include "tests/support/FakeClock.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace Engine;

TEST(SystemTest, WrappersGoThroughThePlatform) {
    {
        TestSupport::FakeClock clock(0xFFFFFFF0u);
        sleepMs(32);
        yieldThread();
        EXPECT_EQ(getTickMs(), 0x10u);
        EXPECT_EQ(clock.yields(), 1);
    }

    Platform::setHeadlessCursorPos(120, -4);
    EXPECT_EQ(getCursorPos(), (cPoint{120, -4}));
    EXPECT_EQ(getLogFolder(), L".");
    std::wstring expected;
    utf8ToWide(std::getenv("MEADOW_USER_DIR"), expected);
    EXPECT_EQ(getCommonAppDataFolder(), expected);
}
