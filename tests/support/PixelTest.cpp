#include "tests/support/PixelTest.h"

#include "engine/platform/GlContext.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace TestSupport {

std::unique_ptr<Platform::IRenderDevice> createPixelTestDevice(int width, int height, std::string& reason) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    try {
        Platform::cPresentParameters parameters;
        parameters.width = width;
        parameters.height = height;
        return Platform::createGlRenderDevice(Platform::createHeadlessGlContext(), parameters);
    } catch (const std::string& error) {
        reason = error;
    }
    return nullptr;
}

::testing::AssertionResult pixelNear(Platform::IRenderDevice& device, int x, int y, uint32_t expected, int tolerance) {
    std::vector<uint32_t> pixel;
    if (!device.readBackBuffer(x, y, 1, 1, pixel))
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is outside the back buffer";
    uint32_t actual = pixel[0];
    for (int shift = 0; shift <= 16; shift += 8) {
        int difference = int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) {
            char text[96];
            std::snprintf(text, sizeof(text), "pixel (%d, %d) is %06X, expected %06X", x, y, actual & 0xFFFFFF,
                          expected & 0xFFFFFF);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace TestSupport
