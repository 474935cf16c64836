#include "game/level/LevelFunctions.h"

#include "engine/core/Random.h"

#include <cmath>

std::wstring formatTime(int32_t seconds) {
    // Arithmetic on the count itself: a calendar conversion shifts the minutes in zones with a
    // half-hour offset and drops the hours of longer durations.
    if (seconds < 0)
        seconds = 0;
    const int32_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    auto twoDigits = [](int32_t value) {
        return std::wstring(1, wchar_t(L'0' + value / 10)) + wchar_t(L'0' + value % 10);
    };
    std::wstring text = twoDigits(minutes) + L":" + twoDigits(rest);
    if (hours > 0) {
        std::string digits = std::to_string(hours);
        text = std::wstring(digits.begin(), digits.end()) + L":" + text;
    }
    return text;
}

float getVectorAngle(float x, float y) {
    const float k = 1.0f / std::sqrt(x * x + y * y);
    const float u = x * k, v = y * k;
    float a;
    if (u <= -1.0f || std::isnan(u))
        a = float(M_PI);
    else if (u >= 1.0f)
        a = 0.0f;
    else
        a = std::acos(u);
    return v < 0 ? -a : a;
}
