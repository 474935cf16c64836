// Durations as text and the angle of a vector.

#include "game/level/LevelFunctions.h"
#include "game/shell/RandomFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

TEST(LevelFunctionsTest, FormatTimeGivesMinutesAndSecondsAndHoursInFront) {
    const struct {
        int seconds;
        const wchar_t* text;
    } cases[] = {{0, L"00:00"},      {59, L"00:59"},     {61, L"01:01"},     {600, L"10:00"},      {3599, L"59:59"},
                 {3600, L"1:00:00"}, {3725, L"1:02:05"}, {7200, L"2:00:00"}, {36000, L"10:00:00"}, {-5, L"00:00"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.text), formatTime(c.seconds)) << c.seconds;
}

TEST(LevelFunctionsTest, FormatTimeIsTheSameInAZoneWithAHalfHourOffset) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "IST-5:30", 1);
    tzset();
    EXPECT_EQ(L"01:01", formatTime(61));
    EXPECT_EQ(L"00:00", formatTime(0));
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(LevelFunctionsTest, VectorAngleCoversTheCircleWithPiForTheZeroVector) {
    const float pi = float(M_PI);
    const struct {
        float x, y, angle;
    } cases[] = {{1, 0, 0},  {0, 1, pi / 2}, {0, -1, -pi / 2},      {-1, 0, pi},
                 {0, 0, pi}, {2, 2, pi / 4}, {-3, -3, -3 * pi / 4}, {-1, 1e-9f, pi}};
    for (const auto& c : cases)
        EXPECT_NEAR(c.angle, getVectorAngle(c.x, c.y), 1e-5f) << c.x << ", " << c.y;
}

TEST(LevelFunctionsTest, RandomFloatStaysBetweenItsBounds) {
    for (int i = 0; i < 200; ++i) {
        const float value = randomFloat(2, 5);
        EXPECT_LE(2, value);
        EXPECT_GE(5, value);
    }
}
