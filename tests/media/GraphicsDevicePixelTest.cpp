// Frames drawn by the graphics device on OpenGL (Mesa EGL, software) and read back: sample
// points compared with a tolerance of 2 per channel. Without EGL the tests are skipped.

#include "tests/media/GraphicsFixture.h"

#include "engine/media/ImageDecoder.h"
#include "tests/media/ImageFiles.h"
#include "tests/support/PixelTest.h"

#include <cstdlib>
#include <functional>

using namespace Engine;

namespace {

class GraphicsDevicePixels : public GraphicsFixture {
protected:
    ::testing::AssertionResult at(int x, int y, uint32_t expected, int tolerance = 2) {
        return TestSupport::pixelNear(device(), x, y, expected, tolerance);
    }
    void frame(const std::function<void()>& draws) {
        graphics().beginFrame();
        draws();
        graphics().endFrame();
    }
};

#define START_GL(...)                                                                                                  \
    if (!startGl(__VA_ARGS__))                                                                                         \
    GTEST_SKIP() << "No headless OpenGL: " << m_skipReason

} // namespace

TEST_F(GraphicsDevicePixels, ClearUsesTheBackColour) {
    writeConfig("back_color=\"FF336699\"", "");
    START_GL();
    frame([] {});
    EXPECT_TRUE(at(0, 0, 0x336699));
    EXPECT_TRUE(at(799, 599, 0x336699));
}

TEST_F(GraphicsDevicePixels, TexturedQuadCoversItsLogicalPixelsInAWindow) {
    START_GL();
    cTexture* green = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFF00FF00u));
    frame([&] { graphics().drawSprite(quad(10, 20, 30, 40), green, 0, 0); });
    EXPECT_TRUE(at(10, 20, 0x00FF00));
    EXPECT_TRUE(at(29, 39, 0x00FF00));
    EXPECT_TRUE(at(9, 20, 0x000000));
    EXPECT_TRUE(at(10, 19, 0x000000));
    EXPECT_TRUE(at(30, 39, 0x000000));
    EXPECT_TRUE(at(29, 40, 0x000000));
}

TEST_F(GraphicsDevicePixels, FullScreenScalesIntoTheCentred43AreaWithBlackBars) {
    writeConfig("back_color=\"FF0000FF\"", "fullscreen=\"1\"");
    START_GL(1920, 1080);
    cTexture* green = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFF00FF00u));
    frame([&] { graphics().drawSprite(quad(0, 0, 100, 100), green, 0, 0); });
    // Logical (0, 0)-(100, 100) is (240, 0)-(420, 180) on a 1920 x 1080 back buffer.
    EXPECT_TRUE(at(241, 1, 0x00FF00));
    EXPECT_TRUE(at(418, 178, 0x00FF00));
    EXPECT_TRUE(at(422, 100, 0x0000FF));
    EXPECT_TRUE(at(300, 182, 0x0000FF));
    EXPECT_TRUE(at(100, 500, 0x000000));
    EXPECT_TRUE(at(238, 10, 0x000000));
    EXPECT_TRUE(at(1700, 500, 0x000000));
    EXPECT_TRUE(at(1000, 500, 0x0000FF));
}

TEST_F(GraphicsDevicePixels, BlendsMixOverTheBackground) {
    writeConfig("back_color=\"FF0000FF\"", "");
    START_GL();
    frame([&] {
        graphics().drawSprite(quad(0, 0, 10, 10, 0x80FF0000u), nullptr, 0, 0);
        graphics().drawSprite(quad(20, 0, 30, 10, 0x80FF0000u), nullptr, RENDER_ADDITIVE, 0);
        graphics().drawSprite(quad(40, 0, 50, 10, 0x80FF0000u), nullptr, RENDER_OPAQUE, 0);
    });
    EXPECT_TRUE(at(5, 5, 0x80007F));
    EXPECT_TRUE(at(25, 5, 0x8000FF));
    EXPECT_TRUE(at(45, 5, 0xFF0000));
}

TEST_F(GraphicsDevicePixels, AlphaTestDropsTexelsAtOrBelowTheReference) {
    writeConfig("back_color=\"FF0000FF\"", "");
    START_GL();
    cTexture* texture = makeTexture(2, 1, {0x40FF0000u, 0xC0FF0000u});
    frame([&] {
        graphics().drawSprite(quad(0, 0, 20, 10), texture, RENDER_ALPHA_REF, 0x80);
        graphics().drawSprite(quad(0, 20, 20, 30), texture, 0, 0);
    });
    EXPECT_TRUE(at(5, 5, 0x0000FF));
    EXPECT_TRUE(at(15, 5, 0xC0003F));
    // Without the reference both texels blend in.
    EXPECT_TRUE(at(5, 25, 0x4000BF));
}

TEST_F(GraphicsDevicePixels, StencilMaskLimitsLaterStencilTestedDraws) {
    writeConfig("back_color=\"FF0000FF\"", "");
    START_GL();
    cTexture* mask = makeTexture(2, 1, {0xFFFF0000u, 0x00FF0000u});
    frame([&] {
        graphics().drawSprite(quad(0, 0, 20, 10), mask, RENDER_STENCIL_MASK | RENDER_STENCIL_TEST, 0);
        graphics().drawSprite(quad(0, 0, 40, 10, 0xFF00FF00u), nullptr, RENDER_STENCIL_TEST, 0);
        graphics().drawSprite(quad(0, 20, 40, 30, 0xFF00FF00u), nullptr, 0, 0);
    });
    EXPECT_TRUE(at(5, 5, 0x00FF00));
    EXPECT_TRUE(at(15, 5, 0x0000FF));
    EXPECT_TRUE(at(30, 5, 0x0000FF));
    EXPECT_TRUE(at(30, 25, 0x00FF00));
}

TEST_F(GraphicsDevicePixels, PointFilteringKeepsTexelsAndLinearMixesThem) {
    START_GL();
    cTexture* texture = makeTexture(2, 1, {0xFF000000u, 0xFFFFFFFFu});
    frame([&] {
        graphics().drawSprite(quad(0, 0, 100, 10), texture, 0, 0);
        graphics().drawSprite(quad(0, 20, 100, 30), texture, RENDER_LINEAR, 0);
    });
    EXPECT_TRUE(at(49, 5, 0x000000));
    EXPECT_TRUE(at(50, 5, 0xFFFFFF));
    // Pixel 50's centre samples 0.51 of the way from the black texel's centre to the white one's.
    EXPECT_TRUE(at(50, 25, 0x828282));
    EXPECT_TRUE(at(10, 25, 0x000000));
    EXPECT_TRUE(at(90, 25, 0xFFFFFF));
}

TEST_F(GraphicsDevicePixels, CaptureWritesTheFrameAsJpegIntoTheUserFolder) {
    writeConfig("back_color=\"FF336699\"", "");
    START_GL();
    frame([&] { graphics().drawSprite(quad(0, 0, 400, 600, 0xFF20C040u), nullptr, 0, 0); });
    graphics().captureScreen("screenshot.jpg");
    ASSERT_TRUE(m_services.userExists("screenshot.jpg"));
    const std::string bytes = m_services.readUser("screenshot.jpg");
    cImage image;
    cImageDecoder::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image);
    ASSERT_EQ(800, image.width);
    ASSERT_EQ(600, image.height);
    // JPEG is lossy: flat areas come back within a few steps.
    auto near = [&](int x, int y, uint32_t expected) {
        uint32_t actual = image.pixels[size_t(y) * 800 + size_t(x)];
        for (int shift = 0; shift <= 16; shift += 8)
            if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 4)
                return false;
        return true;
    };
    EXPECT_TRUE(near(200, 300, 0x20C040));
    EXPECT_TRUE(near(600, 300, 0x336699));

    // A part of the screen gives a picture of that size.
    graphics().captureScreen("part.jpg", cRect(390, 0, 410, 10));
    const std::string partBytes = m_services.readUser("part.jpg");
    cImageDecoder::decode(reinterpret_cast<const uint8_t*>(partBytes.data()), partBytes.size(), image);
    EXPECT_EQ(20, image.width);
    EXPECT_EQ(10, image.height);
}

TEST_F(GraphicsDevicePixels, BorderTexturesFillTheBarsUntilHidden) {
    m_services.writeData("border/left.png", TestImages::png(4, 4, TestImages::Pixels(16, 0xFFFF0000u)));
    m_services.writeData("border/up.png", TestImages::png(4, 4, TestImages::Pixels(16, 0xFF0000FFu)));
    writeConfig("back_color=\"FF00FF00\" left_border_texture=\"border/left.png\" "
                "up_border_texture=\"border/up.png\" left_border_texture_size=\"64;64\"",
                "fullscreen=\"1\"");
    START_GL(1920, 1080);
    EXPECT_TRUE(graphics().areBordersShown());
    frame([] {});
    EXPECT_TRUE(at(100, 500, 0xFF0000));
    EXPECT_TRUE(at(1800, 20, 0xFF0000));
    EXPECT_TRUE(at(960, 540, 0x00FF00));

    graphics().showBorders(false);
    EXPECT_FALSE(graphics().areBordersShown());
    frame([] {});
    EXPECT_TRUE(at(100, 500, 0x000000));
    EXPECT_TRUE(at(960, 540, 0x00FF00));
}

TEST_F(GraphicsDevicePixels, LitMeshTakesTheAmbientColourOfItsLightSet) {
    // Set 1: a light shining into the screen, onto faces that look at the viewer.
    writeConfig("back_color=\"FF000000\"", "",
                "<lightConfig count=\"2\"/><lights0 count=\"0\" ambient=\"FFFF0000\"/>"
                "<lights1 count=\"1\" ambient=\"FF000000\" light_0_type=\"3\" light_0_diffuse=\"FF0000FF\" "
                "light_0_direction=\"0;0;1\"/>");
    START_GL();
    TestQuadMesh mesh(device());
    cMeshDrawRecord ambient, lit;
    for (cMeshDrawRecord* record : {&ambient, &lit}) {
        record->mesh = &mesh;
        record->lighting = true;
        record->ambient = cColor(1, 1, 1, 1);
        record->diffuse = cColor(1, 1, 1, 1);
    }
    ambient.diffuse = cColor(0, 0, 0, 1);
    ambient.world.setTranslation(cVector3(20, 20, 0));
    lit.lightTable = 1;
    lit.world.setTranslation(cVector3(40, 20, 0));
    frame([&] {
        graphics().drawMesh(&ambient, 0, 0);
        graphics().drawMesh(&lit, 0, 0);
        graphics().drawSprite(quad(60, 20, 70, 30, 0xFF00FF00u), nullptr, 0, 0);
    });
    EXPECT_TRUE(at(25, 25, 0xFF0000));
    EXPECT_TRUE(at(45, 25, 0x0000FF));
    // Quads after a mesh draw unlit again.
    EXPECT_TRUE(at(65, 25, 0x00FF00));
}
