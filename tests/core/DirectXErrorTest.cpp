#include "engine/core/DirectXError.h"
#include "engine/core/FatalError.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(DirectXErrorTest, NamesKnownResultsByValue) {
    struct Case {
        uint32_t value;
        const char* name;
    } cases[] = {
        {0x8007001Eu, "DIERR_INPUTLOST"},
        {0x88760868u, "D3DERR_DEVICELOST"},
        {0x8876017Cu, "D3DERR_OUTOFVIDEOMEMORY"},
        {0x8876086Cu, "D3DERR_INVALIDCALL"},
        {0x8007000Cu, "DIERR_NOTACQUIRED"},
        {0x88780096u, "DSERR_BUFFERLOST"},
        {0x80004005u, "E_FAIL"},
        {0x00000000u, "S_OK"},
        {0x12345678u, "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getDirectXErrorName(tResult(c.value)), c.name) << std::hex << c.value;
}

TEST(DirectXErrorTest, ThrowsAndStoresThreeLineText) {
    const std::string expected = "Direct3D function call failed\nm_keyboard->GetDeviceData()\nDIERR_INPUTLOST";
    try {
        throwDirectXError(DIERR_INPUTLOST, "m_keyboard->GetDeviceData()");
    } catch (const std::string& text) {
        EXPECT_EQ(text, expected);
    }
    EXPECT_EQ(errorCallStack(), expected);
    errorCallStack().clear();
}
