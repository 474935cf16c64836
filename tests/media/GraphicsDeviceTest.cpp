// The graphics device on the recording device: display modes and the 4:3 fit, frames,
// device loss and reset, mode switches, settings, light sets, overlay text and capture.

#include "tests/media/GraphicsFixture.h"

#include "engine/core/FrameManager.h"

#include <cmath>
#include <filesystem>

using namespace Engine;
using namespace Platform;

namespace {

int countCalls(const cRecordingRenderDevice& device, const std::string& prefix) {
    return int(device.getCalls(prefix).size());
}

} // namespace

class GraphicsDevice : public GraphicsFixture {};

TEST_F(GraphicsDevice, FullScreenFitsTheLargestCentred43Area) {
    struct Case {
        int desktopWidth, desktopHeight;
        int fittedWidth, fittedHeight;
        float scaleX, offsetX, offsetY;
    };
    const Case cases[] = {
        {1920, 1080, 1440, 1080, 1.8f, 240, 0}, {1280, 1024, 1280, 960, 1.6f, 0, 32}, {800, 600, 800, 600, 1.0f, 0, 0}};
    for (const Case& c : cases) {
        writeConfig("", "fullscreen=\"1\"");
        startRecording(c.desktopWidth, c.desktopHeight);
        SCOPED_TRACE(c.desktopWidth);
        EXPECT_TRUE(graphics().isFullscreen());
        EXPECT_EQ(c.fittedWidth, graphics().getFittedSize().x);
        EXPECT_EQ(c.fittedHeight, graphics().getFittedSize().y);
        EXPECT_FLOAT_EQ(c.scaleX, graphics().getFitScale().x);
        EXPECT_FLOAT_EQ(c.offsetX, graphics().getFitOffset().x);
        EXPECT_FLOAT_EQ(c.offsetY, graphics().getFitOffset().y);
        int width = 0, height = 0;
        recording().getBackBufferSize(width, height);
        EXPECT_EQ(c.desktopWidth, width);
        EXPECT_EQ(c.desktopHeight, height);
        EXPECT_TRUE(m_window.isFullscreen());
        EXPECT_EQ(800, graphics().getScreenWidth());
        stop();
    }
}

TEST_F(GraphicsDevice, WindowToScreenUndoesTheFitOnlyInFullScreen) {
    writeConfig("", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    cVector2 out;
    graphics().windowToScreen(cVector2(240, 0), out);
    EXPECT_FLOAT_EQ(0, out.x);
    EXPECT_FLOAT_EQ(0, out.y);
    graphics().windowToScreen(cVector2(1680, 1080), out);
    EXPECT_FLOAT_EQ(800, out.x);
    EXPECT_FLOAT_EQ(600, out.y);
    graphics().clientToScreen(cVector2(800, 600), out);
    EXPECT_FLOAT_EQ(1680, out.x);
    EXPECT_FLOAT_EQ(1080, out.y);
}

TEST_F(GraphicsDevice, WindowKeepsTheLogicalSize) {
    startRecording(1920, 1080);
    cVector2 out;
    graphics().windowToScreen(cVector2(240, 7), out);
    EXPECT_FLOAT_EQ(240, out.x);
    EXPECT_FLOAT_EQ(7, out.y);
    int width = 0, height = 0;
    m_window.getClientSize(width, height);
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(GraphicsDevice, WindowIsCentredInTheWorkAreaAndKeptOnIt) {
    struct Case {
        int desktopWidth, desktopHeight, x, y;
    };
    for (const Case& c : {Case{1920, 1080, 560, 240}, Case{640, 480, 0, 0}}) {
        startRecording(c.desktopWidth, c.desktopHeight);
        float left = -1, top = -1, right = -1, bottom = -1;
        ASSERT_TRUE(graphics().getClientRect(left, top, right, bottom));
        EXPECT_EQ(c.x, int(left)) << c.desktopWidth;
        EXPECT_EQ(c.y, int(top)) << c.desktopWidth;
        EXPECT_EQ(c.x + 800, int(right)) << c.desktopWidth;
        EXPECT_EQ(c.y + 600, int(bottom)) << c.desktopWidth;
        stop();
    }
}

TEST_F(GraphicsDevice, FirstFramePresentsNothingAndEachLaterOneThePrevious) {
    startRecording();
    graphics().beginFrame();
    EXPECT_EQ(0, countCalls(recording(), "present"));
    graphics().endFrame();
    EXPECT_EQ(1, countCalls(recording(), "clear 7 0xFF000000"));
    graphics().beginFrame();
    graphics().endFrame();
    EXPECT_EQ(1, countCalls(recording(), "present"));
}

TEST_F(GraphicsDevice, LostDeviceSkipsFramesUntilItCanBeReset) {
    startRecording();
    graphics().beginFrame();
    graphics().endFrame();
    recording().clearCalls();
    recording().simulateDeviceLoss(false);
    graphics().beginFrame();
    EXPECT_FALSE(graphics().isFrameOpen());
    graphics().drawSprite(quad(0, 0, 10, 10), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(0, countCalls(recording(), "drawIndexed"));
    EXPECT_EQ(std::vector<uint32_t>{10}, m_clock.sleeps());

    recording().simulateDeviceLoss(true);
    graphics().beginFrame();
    EXPECT_TRUE(graphics().isFrameOpen());
    EXPECT_EQ(1, countCalls(recording(), "reset 800x600 windowed"));
    // The states are set up again after the reset.
    EXPECT_EQ(1u, recording().getRenderState(RS_ALPHA_BLEND_ENABLE));
    graphics().drawSprite(quad(0, 0, 10, 10), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(1, countCalls(recording(), "drawIndexed"));
}

TEST_F(GraphicsDevice, FailedResetIsTriedOncePerFrameAndGivesUpAtTheBound) {
    startRecording();
    graphics().beginFrame();
    graphics().endFrame();
    recording().clearCalls();
    recording().simulateDeviceLoss(true, 3);
    for (int frame = 1; frame <= 3; ++frame) {
        graphics().beginFrame();
        EXPECT_FALSE(graphics().isFrameOpen());
        EXPECT_EQ(frame, countCalls(recording(), "reset"));
    }
    graphics().beginFrame();
    EXPECT_TRUE(graphics().isFrameOpen());
    graphics().endFrame();

    recording().simulateDeviceLoss(true, cGraphicsDevice::MAX_RESET_ATTEMPTS + 5);
    bool thrown = false;
    for (int frame = 0; frame < cGraphicsDevice::MAX_RESET_ATTEMPTS + 1 && !thrown; ++frame) {
        try {
            graphics().beginFrame();
        } catch (const char* text) {
            EXPECT_STREQ("Can't reset the graphics device.", text);
            thrown = true;
        }
    }
    EXPECT_TRUE(thrown);
}

TEST_F(GraphicsDevice, ModeSwitchFollowsTheSettingUnlessBlocked) {
    writeConfig("only_fullscreen=\"1\"", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    m_settings->setValue(L"graphics", L"fullscreen", false);
    graphics().requestModeSwitch(true);
    graphics().beginFrame();
    graphics().endFrame();
    EXPECT_TRUE(graphics().isModeSwitchRequested());
    EXPECT_TRUE(graphics().isFullscreen());
    EXPECT_EQ(0, countCalls(recording(), "reset 800x600"));
    stop();

    writeConfig("", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    m_settings->setValue(L"graphics", L"fullscreen", false);
    graphics().requestModeSwitch(true);
    graphics().beginFrame();
    EXPECT_FALSE(graphics().isModeSwitchRequested());
    EXPECT_FALSE(graphics().isFullscreen());
    EXPECT_FALSE(m_window.isFullscreen());
    EXPECT_EQ(1, countCalls(recording(), "reset 800x600 windowed"));
}

// X11 without a window manager leaves the window at its size when full screen is asked for, at
// the start and at a switch later: the device stays windowed (picture and clicks at the
// window's size) and the setting turns off, so the options show it.
TEST_F(GraphicsDevice, FullScreenWithoutAWindowManagerStaysWindowed) {
    for (bool atStart : {true, false}) {
        SCOPED_TRACE(atStart ? "at the start" : "switched later");
        writeConfig("", atStart ? "fullscreen=\"1\"" : "");
        m_window.setWindowManager(false);
        startRecording(1280, 1024);
        if (!atStart) {
            m_settings->setValue(L"graphics", L"fullscreen", true);
            graphics().requestModeSwitch(true);
            graphics().beginFrame();
            graphics().endFrame();
        }
        EXPECT_FALSE(graphics().isFullscreen());
        int width = 0, height = 0;
        recording().getBackBufferSize(width, height);
        EXPECT_EQ(800, width);
        EXPECT_EQ(600, height);
        m_window.getClientSize(width, height);
        EXPECT_EQ(800, width);
        cVector2 out;
        graphics().windowToScreen(cVector2(400, 300), out);
        EXPECT_EQ(cVector2(400, 300), out);
        bool fullscreen = true;
        m_settings->getValue(L"graphics", L"fullscreen", fullscreen);
        EXPECT_FALSE(fullscreen);
        stop();
        m_window.setWindowManager(true);
    }
}

TEST_F(GraphicsDevice, BackBufferWithoutStencilIsRefusedAtCreationAndAtAResetIntoAWindow) {
    const std::string refusal = "Default video card dosn't support stensil buffer.";
    startRecording();
    m_graphics.reset();
    auto device = std::make_unique<cRecordingRenderDevice>();
    device->setStencil(false);
    try {
        cGraphicsDevice graphics(&m_window, std::move(device));
        ADD_FAILURE() << "created without a stencil buffer";
    } catch (const char* text) {
        EXPECT_EQ(refusal, text);
    }
    EXPECT_EQ(nullptr, getGraphicsDevice());

    device = std::make_unique<cRecordingRenderDevice>();
    cRecordingRenderDevice& recording = *device;
    m_graphics = std::make_unique<cGraphicsDevice>(&m_window, std::move(device));
    recording.setStencil(false);
    graphics().requestModeSwitch(true);
    try {
        graphics().beginFrame();
        ADD_FAILURE() << "reset into a window without a stencil buffer";
    } catch (const char* text) {
        EXPECT_EQ(refusal, text);
    }
}

TEST_F(GraphicsDevice, DestructionWritesTheGraphicsSettings) {
    writeConfig("", "width=\"640\" height=\"480\" reserve_sprite_count=\"100\"");
    startRecording();
    EXPECT_EQ(640, graphics().getScreenWidth());
    EXPECT_EQ(100u, graphics().getReserveSpriteCount());
    graphics().setReserveSpriteCount(300);
    m_graphics.reset();
    int width = 0;
    unsigned reserve = 0;
    bool fullscreen = true;
    m_settings->getValue(L"graphics", L"width", width);
    m_settings->getValue(L"graphics", L"reserve_sprite_count", reserve);
    m_settings->getValue(L"graphics", L"fullscreen", fullscreen);
    EXPECT_EQ(640, width);
    EXPECT_EQ(300u, reserve);
    EXPECT_FALSE(fullscreen);
}

TEST_F(GraphicsDevice, LightSetsAreReadWithTheirDirectionTurned) {
    writeConfig("", "",
                "<lightConfig count=\"2\"/>"
                "<lights0 count=\"1\" ambient=\"FF102030\" light_0_type=\"3\" light_0_diffuse=\"FFFFFFFF\" "
                "light_0_direction=\"0;3;4\" light_0_range=\"100\"/>"
                "<lights1 count=\"2\"/>");
    startRecording();
    const std::vector<cLightSet>& sets = graphics().getLightSets();
    ASSERT_EQ(2u, sets.size());
    ASSERT_EQ(1u, sets[0].lights.size());
    EXPECT_EQ(0xFF102030u, sets[0].ambient.toARGB());
    const cLight& light = sets[0].lights[0];
    EXPECT_EQ(uint32_t(LIGHT_DIRECTIONAL), light.type);
    EXPECT_FLOAT_EQ(0.0f, light.direction[0]);
    EXPECT_FLOAT_EQ(-0.6f, light.direction[1]);
    EXPECT_FLOAT_EQ(0.8f, light.direction[2]);
    EXPECT_FLOAT_EQ(100.0f, light.range);
    EXPECT_EQ(2u, sets[1].lights.size());
}

TEST_F(GraphicsDevice, TextureMemoryLineUsesTheLargestFittingUnit) {
    writeConfig("show_texture_memory=\"1\"", "");
    startRecording();
    const struct {
        int32_t bytes;
        const wchar_t* line;
    } cases[] = {{1023, L"Tex mem: 1023 Bytes"},
                 {1536, L"Tex mem: 1 KBytes"},
                 {0x100000, L"Tex mem: 1 MBytes"},
                 {0x40000000, L"Tex mem: 1 GBytes"}};
    for (const auto& c : cases) {
        graphics().subTextureMemory(graphics().getTextureMemory());
        graphics().addTextureMemory(c.bytes);
        EXPECT_EQ(std::wstring(c.line), graphics().buildStatisticsText());
    }
}

TEST_F(GraphicsDevice, OverlayTextIsDrawnOnceAndEmptied) {
    startRecording();
    graphics().beginFrame();
    graphics().addOverlayText(L"hello");
    EXPECT_EQ(L"hello\n", graphics().getOverlayText());
    graphics().endFrame();
    EXPECT_EQ(L"", graphics().getOverlayText());
    EXPECT_EQ(1, countCalls(recording(), "drawTriangles 0 2"));
}

TEST_F(GraphicsDevice, CaptureWithAnEmptyPathWritesNothing) {
    startRecording();
    graphics().beginFrame();
    graphics().endFrame();
    graphics().captureScreen("", cRect());
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_services.userPath("")))
        pictures += entry.path().extension() == ".jpg";
    EXPECT_EQ(0, pictures);
    graphics().captureScreen("shot.jpg");
    EXPECT_TRUE(m_services.userExists("shot.jpg"));
}

TEST_F(GraphicsDevice, FullScreenDrawsBlackBarsWithoutBothBorderTextures) {
    writeConfig("left_border_texture=\"\"", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    EXPECT_FALSE(graphics().areBordersShown());
    graphics().beginFrame();
    graphics().endFrame();
    EXPECT_EQ(1, countCalls(recording(), "drawTriangles 0 4"));
}

TEST_F(GraphicsDevice, StateChangesAreFilteredAcrossFrames) {
    startRecording();
    cTexture* texture = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    auto frame = [&] {
        graphics().beginFrame();
        graphics().drawSprite(quad(0, 0, 10, 10), texture, 0x20, 0);
        graphics().drawSprite(quad(0, 0, 10, 10), texture, 0x800, 0);
        graphics().endFrame();
    };
    frame();
    recording().clearCalls();
    frame();
    // The second frame only switches between the two records' blends and filters.
    std::vector<std::string> states = recording().getCalls("setRenderState");
    std::vector<std::string> expected = {
        "setRenderState " + std::to_string(RS_DEST_BLEND) + " " + std::to_string(BLEND_INV_SRC_ALPHA),
        "setRenderState " + std::to_string(RS_DEST_BLEND) + " " + std::to_string(BLEND_ONE)};
    EXPECT_EQ(expected, states);
    EXPECT_EQ(4, countCalls(recording(), "setSamplerState"));
}
