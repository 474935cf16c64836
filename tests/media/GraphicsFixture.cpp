#include "tests/media/GraphicsFixture.h"

#include "engine/platform/GlContext.h"
#include "tests/support/DataFolders.h"

using namespace Engine;

void GraphicsFixture::writeConfig(const std::string& constants, const std::string& settings, const std::string& extra) {
    m_services.writeData("sys/constants.xml", std::string("<constants><game app_directory=\"") +
                                                  TestSupport::DataFolders::APP_DIRECTORY + "\"/><graphics " +
                                                  constants + "/>" + extra + "</constants>");
    m_services.writeData("sys/settings.xml", "<settings><graphics " + settings + "/></settings>");
    m_configWritten = true;
}

void GraphicsFixture::startServices(int desktopWidth, int desktopHeight) {
    if (!m_configWritten)
        writeConfig("", "");
    m_services.start();
    m_constants = std::make_unique<cConstants>("sys/constants.xml");
    m_settings = std::make_unique<cSettings>("sys/settings.xml");
    m_window.setDesktopSize(desktopWidth, desktopHeight);
}

void GraphicsFixture::startRecording(int desktopWidth, int desktopHeight) {
    startServices(desktopWidth, desktopHeight);
    auto device = std::make_unique<Platform::cRecordingRenderDevice>();
    m_recording = device.get();
    m_graphics = std::make_unique<cGraphicsDevice>(&m_window, std::move(device));
}

bool GraphicsFixture::startGl(int desktopWidth, int desktopHeight) {
    startServices(desktopWidth, desktopHeight);
    std::unique_ptr<Platform::IRenderDevice> device;
    try {
        Platform::cPresentParameters parameters{desktopWidth, desktopHeight, true};
        device = Platform::createGlRenderDevice(Platform::createHeadlessGlContext(), parameters);
    } catch (const std::string& reason) {
        m_skipReason = reason;
        return false;
    }
    m_graphics = std::make_unique<cGraphicsDevice>(&m_window, std::move(device));
    return true;
}

void GraphicsFixture::stop() {
    m_textures.clear();
    m_graphics.reset();
    m_recording = nullptr;
    m_settings.reset();
    m_constants.reset();
    m_services.stop();
}

void GraphicsFixture::TearDown() {
    stop();
}

cTexture* GraphicsFixture::makeTexture(int width, int height, const std::vector<uint32_t>& texels) {
    Platform::tTextureHandle handle = 0;
    m_graphics->createTexture(nullptr, 0, handle, Platform::POOL_MANAGED, nullptr, width, height);
    device().updateTexture(handle, 0, 0, width, height, texels.data(), width * 4);
    m_textures.push_back(std::make_unique<cTexture>(handle));
    return m_textures.back().get();
}

cSpriteQuad GraphicsFixture::quad(float left, float top, float right, float bottom, uint32_t color) {
    cSpriteQuad q;
    q.vertices[0].position = cVector2(left, top);
    q.vertices[1].position = cVector2(right, top);
    q.vertices[2].position = cVector2(left, bottom);
    q.vertices[3].position = cVector2(right, bottom);
    for (cSpriteVertex& vertex : q.vertices)
        vertex.color = color;
    return q;
}
