#include "engine/platform/SystemPreferences.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

} // namespace
