// A small layout of sprites, panels and a fader, loaded from XML and drawn by the real frame
// loop on OpenGL (Mesa EGL, software); sample points compared with a tolerance of 2 per channel.
// Without EGL the test is skipped.

#include "engine/core/XmlNode.h"
#include "engine/gui/Background.h"
#include "engine/gui/Fader.h"
#include "tests/support/PixelTest.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

const uint32_t RED = 0xFFFF0000u, GREEN = 0xFF00FF00u, BLUE = 0xFF0000FFu, WHITE = 0xFFFFFFFFu;
const uint32_t YELLOW = 0xFFFFFF00u, MAGENTA = 0xFFFF00FFu;

// Each sprite is 100 x 100; the picture "art/quad.tga" is red, green / blue, white.
const char* const SCENE = R"(<Scene Visible="1" Enable="1"><Background>
  <Rotated Visible="1" Picture="art/quad.tga" position="100,100" size="100,100" angle="90"/>
  <Tiled Visible="1" Picture="art/quad.tga" position="250,100" size="100,100" tile="50,50"/>
  <Mirrored Visible="1" Picture="art/quad.tga" position="400,100" size="100,100" InverceX="1"/>
  <Atlas Visible="1" Picture="ui/star.png" position="550,100" size="100,100"/>
  <Alpha Visible="1" Picture="art/white.tga" position="700,100" size="100,100" color="FF0000" alpha="0.5"/>
</Background></Scene>)";

const char* const FADER = R"(<Fader Enable="1" ShowTime="0.5"><Background>
  <Panel Visible="1" Enable="1" Picture="art/white.tga" position="100,300" size="100,100"/>
</Background></Fader>)";

} // namespace

TEST(WidgetPixelTest, LayoutDrawsRotatedTiledMirroredAtlasAndFadedSprites) {
    UiHarness ui;
    ui.writePicture("art/quad.tga", 2, 2, std::vector<uint32_t>{RED, GREEN, BLUE, WHITE});
    ui.writePicture("art/white.tga", 4, 4, WHITE);
    std::vector<uint32_t> atlas(64 * 64, MAGENTA);
    for (int y = 0; y < 32; ++y)
        for (int x = 32; x < 64; ++x)
            atlas[size_t(y * 64 + x)] = YELLOW;
    ui.writePicture("atlas/ui.tga", 64, 64, atlas);
    ui.writeFile("atlases.xml", "<Atlases><A><Path>atlas/ui.tga</Path><Map>atlas/map.xml</Map></A></Atlases>");
    ui.writeFile("atlas/map.xml", "<M><P><Name>ui/star.png</Name><Pos>32 0</Pos><Size>32 32</Size></P></M>");
    ui.writeFile("scene.xml", SCENE);
    ui.writeFile("fader.xml", FADER);
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;

    cBackground scene(nullptr);
    scene.loadXML(ui.layout("scene.xml"));
    cFader fader(nullptr);
    fader.loadXML(ui.layout("fader.xml"));
    fader.fadeIn();
    ui.steps(4); // half of the fader's 0.5 s

    Platform::IRenderDevice& device = ui.renderDevice();
    auto at = [&](int x, int y, uint32_t expected) { return TestSupport::pixelNear(device, x, y, expected); };
    // Turned by 90 degrees: the picture's top-left corner lies bottom-left.
    EXPECT_TRUE(at(75, 75, GREEN));
    EXPECT_TRUE(at(125, 75, WHITE));
    EXPECT_TRUE(at(75, 125, RED));
    EXPECT_TRUE(at(125, 125, BLUE));
    // Tiled twice each way with mirrored repeats.
    EXPECT_TRUE(at(212, 62, RED));
    EXPECT_TRUE(at(237, 62, GREEN));
    EXPECT_TRUE(at(262, 62, GREEN));
    EXPECT_TRUE(at(287, 62, RED));
    EXPECT_TRUE(at(212, 87, BLUE));
    EXPECT_TRUE(at(212, 112, BLUE));
    EXPECT_TRUE(at(212, 137, RED));
    // Mirrored left to right.
    EXPECT_TRUE(at(375, 75, GREEN));
    EXPECT_TRUE(at(425, 75, RED));
    EXPECT_TRUE(at(375, 125, WHITE));
    EXPECT_TRUE(at(425, 125, BLUE));
    // Only the atlas frame, never the rest of the atlas image.
    for (int x : {505, 550, 595})
        for (int y : {55, 100, 145})
            EXPECT_TRUE(at(x, y, YELLOW)) << x << "," << y;
    // Half-transparent red over the black back buffer.
    EXPECT_TRUE(at(700, 100, 0xFF800000u));
    // The fader's panel at half of its fade-in.
    EXPECT_TRUE(at(100, 300, 0xFF808080u));
    // Nothing outside the sprites.
    EXPECT_TRUE(at(100, 200, 0xFF000000u));
    EXPECT_TRUE(at(175, 100, 0xFF000000u));
}
