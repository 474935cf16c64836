#include "engine/platform/SystemPreferences.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

using namespace Platform;

namespace {

TEST(SystemPreferences, SwapMouseButtonsComesFromTheEnvironment) {
    std::string value = "unchanged";
    unsetenv("MEADOW_SWAP_MOUSE_BUTTONS");
    EXPECT_FALSE(getSystemPreferences().readSwapMouseButtons(value));

    setenv("MEADOW_SWAP_MOUSE_BUTTONS", "1", 1);
    EXPECT_TRUE(getSystemPreferences().readSwapMouseButtons(value));
    EXPECT_EQ(value, "1");
    unsetenv("MEADOW_SWAP_MOUSE_BUTTONS");
}

TEST(SystemPreferences, KeyboardLanguageIsEnglishHeadlessAndWhatATestInstalls) {
    EXPECT_EQ(keyboardLanguageId(), LANGUAGE_ENGLISH_US);

    struct HebrewKeyboard : ISystemPreferences {
        bool readSwapMouseButtons(std::string&) override { return false; }
        uint16_t readKeyboardLanguageId() override { return LANGUAGE_HEBREW; }
    } hebrew;
    setSystemPreferences(&hebrew);
    EXPECT_EQ(keyboardLanguageId(), 0x040D);
    setSystemPreferences(nullptr);
    EXPECT_EQ(keyboardLanguageId(), LANGUAGE_ENGLISH_US);
}

TEST(SystemPreferences, KeyboardLanguageOfTheCurrentXkbGroup) {
    const std::vector<std::tuple<const char*, int, const char*, uint16_t>> cases = {
        {"pc+us+il:2+inet(evdev)+group(alt_shift_toggle)", 1, "Hebrew", 0x040D},
        {"pc+us+il:2+inet(evdev)+group(alt_shift_toggle)", 0, "English (US)", 0x0409},
        {"pc+il(phonetic)+ru:2+inet(evdev)", 0, "", 0x040D},
        {"pc+il(phonetic)+ru:2+inet(evdev)", 1, "", 0x0419},
        {"pc+gb+us:2", 0, "", 0x0809},
        // Without a layout for the group its name decides; an unknown layout is English.
        {"pc+us+inet(evdev)", 2, "Hebrew", 0x040D},
        {"", 0, "Russian", 0x0419},
        {"pc+xx+inet(evdev)", 0, "Hebrew", 0x0409},
        {"", 0, "", 0x0409},
    };
    for (const auto& [symbols, group, name, language] : cases)
        EXPECT_EQ(languageIdFromXkb(symbols, group, name), language) << symbols << " group " << group;
}

} // namespace
