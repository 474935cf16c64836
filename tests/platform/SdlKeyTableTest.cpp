#include "engine/platform/sdl/SdlKeyTable.h"

#include "engine/platform/KeyCodes.h"

#include <gtest/gtest.h>

#include <set>

using namespace Platform;

namespace {

// SDL scan codes are USB usage numbers; the values are written out so no SDL header is needed.
TEST(SdlKeyTable, KeysLandOnThePcKeyCodes) {
    struct sCase {
        int scancode;
        int keyCode;
    };
    const sCase cases[] = {
        {4, KEY_A},
        {29, KEY_Z},
        {30, KEY_1},
        {39, KEY_0},
        {40, KEY_ENTER},
        {41, KEY_ESCAPE},
        {42, KEY_BACKSPACE},
        {44, KEY_SPACE},
        {53, KEY_GRAVE},
        {58, KEY_F1},
        {69, KEY_F12},
        {70, KEY_PRINT_SCREEN},
        {76, KEY_DELETE},
        {79, KEY_RIGHT},
        {80, KEY_LEFT},
        {82, KEY_UP},
        {88, KEY_KEYPAD_ENTER},
        {99, KEY_KEYPAD_PERIOD},
        {100, KEY_NON_US_BACKSLASH},
        {224, KEY_LEFT_CTRL},
        {225, KEY_LEFT_SHIFT},
        {226, KEY_LEFT_ALT},
        {228, KEY_RIGHT_CTRL},
        {230, KEY_RIGHT_ALT},
        {231, KEY_RIGHT_SYSTEM},
    };
    for (const sCase& c : cases)
        EXPECT_EQ(keyCodeFromSdlScancode(c.scancode), c.keyCode) << c.scancode;
    EXPECT_EQ(KEY_LEFT, 203);
    EXPECT_EQ(KEY_PRINT_SCREEN, 183);
}

TEST(SdlKeyTable, UnknownAndOutOfRangeScancodesHaveNoKey) {
    EXPECT_EQ(keyCodeFromSdlScancode(0), -1);
    EXPECT_EQ(keyCodeFromSdlScancode(-1), -1);
    EXPECT_EQ(keyCodeFromSdlScancode(100000), -1);
}

TEST(SdlKeyTable, EveryKeyCodeIsInRange) {
    for (int scancode = 0; scancode < 512; ++scancode) {
        int code = keyCodeFromSdlScancode(scancode);
        EXPECT_TRUE(code == -1 || (code > 0 && code < KEY_CODE_COUNT)) << scancode;
    }
}

} // namespace
