#include "engine/core/String.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(StringTest, IntParserKeepsOutputOnBadText) {
    struct Case {
        const wchar_t* text;
        int expected;
    } cases[] = {{L" 12abc", 12}, {L"abc", 7}, {L"", 7}, {L"-5", -5}, {L"99999999999", 7}};
    for (const auto& c : cases) {
        int value = 7;
        parseInt(value, c.text);
        EXPECT_EQ(value, c.expected) << c.text;
    }
}
