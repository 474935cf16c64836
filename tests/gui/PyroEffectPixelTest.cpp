// A shipped effect played by the real particle widget through the frame loop's draw pass on
// OpenGL (Mesa EGL, software): its burst lights pixels around the emitter and nowhere else.
// Without EGL the test is skipped.

#include "engine/gui/Background.h"
#include "engine/gui/PyroEffect.h"
#include "tests/support/PixelTest.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

TEST(PyroEffectPixelTest, ABurstDrawsInsideItsEmittersArea) {
    std::ifstream in(std::string(MEADOW_SHIPPED_DATA_DIR) + "/Effects/match_burst_red.pfx", std::ios::binary);
    ASSERT_TRUE(in) << "shipped effect missing";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    UiHarness ui;
    ui.writeFile("effects/match_burst_red.pfx", bytes);
    ui.writeFile("scene.xml", "<Scene Visible=\"1\" Enable=\"1\"><BackPyro><Burst Visible=\"1\" Enable=\"1\" "
                              "pyro_file=\"effects/match_burst_red.pfx\" position=\"300,200\"/></BackPyro></Scene>");
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;

    {
        cBackground scene(nullptr);
        scene.loadXML(ui.layout("scene.xml"));
        ui.step();
        ASSERT_EQ(ui.graphics().pyroDraws().size(), 1u);

        // One frame in, the sparks have flown at most 190 px/s x 1/16 s from a circle of 8 px.
        const int left = 200, top = 100, side = 200;
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(ui.renderDevice().readBackBuffer(left, top, side, side, pixels));
        int inside = 0, outside = 0;
        int quarters[4] = {0, 0, 0, 0};
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                if ((pixels[size_t(y * side + x)] & 0xFFFFFF) == 0)
                    continue;
                const int dx = left + x - 300, dy = top + y - 200;
                (dx * dx + dy * dy <= 50 * 50 ? inside : outside) += 1;
                ++quarters[(dx < 0 ? 0 : 1) + (dy < 0 ? 0 : 2)];
            }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 300);
        // Sparks fly all round the emitter.
        for (int quarter : quarters)
            EXPECT_GT(quarter, 20);
        // The flash lights the emitter's own point brightly, reds strongest.
        const uint32_t centre = pixels[size_t(100 * side + 100)];
        EXPECT_GT((centre >> 16) & 0xFF, 0xC0u) << std::hex << centre;
        EXPECT_GE((centre >> 16) & 0xFF, centre & 0xFF) << std::hex << centre;
        EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 700, 500, 0xFF000000u));
    }
    // The burst is over once the widget is gone: nothing is drawn.
    ui.step();
    EXPECT_TRUE(ui.graphics().pyroDraws().empty());
    EXPECT_TRUE(TestSupport::pixelNear(ui.renderDevice(), 300, 200, 0xFF000000u));
}
