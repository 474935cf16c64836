#include "engine/media/GraphicsDevice.h"

#include "engine/core/Application.h"
#include "engine/core/Constants.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/Settings.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/media/DeviceValues.h"
#include "engine/media/ImageOutput.h"
#include "engine/media/ImageReader.h"
#include "engine/media/MeshDrawRecord.h"
#include "engine/media/ParticleDrawRecord.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroGraphicsDevice.h"
#include "engine/media/SpriteQuad.h"
#include "engine/media/StatisticsOverlay.h"
#include "engine/media/Texture.h"
#include "engine/platform/Clock.h"
#include "engine/platform/GlContext.h"
#include "engine/platform/System.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowMessages.h"
#include "engine/platform/headless/RecordingRenderDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Engine {

using namespace Platform;

namespace {

IGraphicsDevice* g_graphicsDevice = nullptr;

struct cBorderVertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};

cMatrix4 transposed(const cMatrix4& matrix) {
    cMatrix4 out;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            out.at(row, column) = matrix.at(column, row);
    return out;
}

std::wstring floatText(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", double(value));
    return narrowToWide(text);
}

bool constantBool(const wchar_t* key, bool fallback) {
    bool value = fallback;
    if (cConstants* constants = getConstants())
        constants->getValue(L"graphics", key, value);
    return value;
}

} // namespace

IGraphicsDevice* getGraphicsDevice() {
    return g_graphicsDevice;
}

cGraphicsDevice::cGraphicsDevice(cApplicationDesc& desc) : m_window(desc.hWnd), m_batch(*this) {
    if (!m_window)
        throw "Can't create Direct3D.";
    measureDesktop();
    fillPresentParameters(m_presentParameters);
    std::string reason;
    try {
        m_device = createGlRenderDevice(createGlContext(*m_window), m_presentParameters);
    } catch (const std::string& error) {
        reason = error;
    }
    // A headless run without EGL still runs its frames, on the recording device.
    if (!m_device && Platform::isHeadless() && !m_window->getNativeHandle()) {
        m_device = std::make_unique<cRecordingRenderDevice>();
        m_device->reset(m_presentParameters);
    }
    if (!m_device) {
        // The fatal message is the engine's own; the OpenGL reason goes to the error log.
        logError(reason);
        throw "Can't create Direct3D.";
    }
    construct();
}

cGraphicsDevice::cGraphicsDevice(IWindow* window, std::unique_ptr<IRenderDevice> device)
    : m_window(window), m_device(std::move(device)), m_batch(*this) {
    if (!m_window || !m_device)
        throw "Can't create Direct3D.";
    measureDesktop();
    fillPresentParameters(m_presentParameters);
    m_device->reset(m_presentParameters);
    construct();
}

void cGraphicsDevice::construct() {
    checkStencil();
    readConstants();
    g_graphicsDevice = this;
    setRenderDevice(m_device.get());
    m_window->show();
    m_defaultMaterial.diffuse = m_defaultMaterial.ambient = {1, 1, 1, 1};
    m_defaultMaterial.specular = m_defaultMaterial.emissive = {1, 1, 1, 1};
    m_defaultMaterial.power = 7.0f;
    setReserveSpriteCount(m_reserveSpriteCount);
    applyRenderState();
    m_overlay = std::make_unique<cStatisticsOverlay>(*m_device);
}

cGraphicsDevice::~cGraphicsDevice() {
    if (cSettings* settings = getSettings()) {
        try {
            settings->setValue(L"graphics", L"width", m_screenSize.x);
            settings->setValue(L"graphics", L"height", m_screenSize.y);
            settings->setValue(L"graphics", L"fullscreen", m_fullscreen);
            settings->setValue(L"graphics", L"reserve_sprite_count", m_batch.getReserveCount());
        } catch (...) {
            // The settings log their own write failures; a destructor must not throw.
        }
    }
    if (m_leftBorder)
        m_leftBorder->decRef();
    if (m_upBorder)
        m_upBorder->decRef();
    releaseBorders();
    m_overlay.reset();
    m_batch.releaseBuffers();
    // The shared effect files go before the library that made them, the library before its device.
    releaseParticleFiles();
    m_particleLibrary = nullptr;
    m_ownedParticleLibrary.reset();
    m_pyroDevice.reset();
    setRenderDevice(nullptr);
    m_device.reset();
    if (g_graphicsDevice == this)
        g_graphicsDevice = nullptr;
}

void cGraphicsDevice::readSettings() {
    if (cSettings* settings = getSettings()) {
        settings->getValue(L"graphics", L"width", m_screenSize.x);
        settings->getValue(L"graphics", L"height", m_screenSize.y);
        settings->getValue(L"graphics", L"fullscreen", m_fullscreen);
        settings->getValue(L"graphics", L"reserve_sprite_count", m_reserveSpriteCount);
    }
    // A logical size of 0 or less would divide by zero in the fit.
    m_screenSize.x = std::max(1, m_screenSize.x);
    m_screenSize.y = std::max(1, m_screenSize.y);
}

void cGraphicsDevice::readConstants() {
    if (cConstants* constants = getConstants()) {
        cColor color;
        if (constants->getValue(L"graphics", L"sys_font_color", color))
            m_systemFontColor = color.toARGB();
        constants->getValue(L"graphics", L"show_triangles", m_showTriangles);
        constants->getValue(L"graphics", L"show_fps", m_showFps);
        constants->getValue(L"graphics", L"show_cursor_pos", m_showCursorPosition);
        if (constants->getValue(L"graphics", L"back_color", color))
            m_backColor = color.toARGB();
        constants->getValue(L"graphics", L"show_texture_memory", m_showTextureMemory);
        constants->getValue(L"graphics", L"show_memory_usage", m_showMemoryUsage);
    }
    readLightSets();
}

void cGraphicsDevice::readLightSets() {
    m_lightSets.clear();
    cConstants* constants = getConstants();
    if (!constants)
        return;
    int count = 0;
    constants->getValue(L"lightConfig", L"count", count);
    for (int n = 0; n < count; ++n) {
        std::wstring section = L"lights" + std::to_wstring(n);
        cLightSet set;
        unsigned long lights = 0;
        constants->getValue(section, L"count", lights);
        constants->getValue(section, L"ambient", set.ambient);
        // No device takes more lights at once; the rest of a set would never shine.
        lights = std::min<unsigned long>(lights, MAX_LIGHTS);
        for (unsigned long m = 0; m < lights; ++m) {
            std::wstring prefix = L"light_" + std::to_wstring(m) + L"_";
            cLight light;
            unsigned long type = 0;
            constants->getValue(section, prefix + L"type", type);
            light.type = uint32_t(type);
            cColor diffuse, specular, ambient;
            constants->getValue(section, prefix + L"diffuse", diffuse);
            constants->getValue(section, prefix + L"specular", specular);
            constants->getValue(section, prefix + L"ambient", ambient);
            light.diffuse = toDevice(diffuse);
            light.specular = toDevice(specular);
            light.ambient = toDevice(ambient);
            cVector3 position, direction;
            constants->getValue(section, prefix + L"position", position);
            constants->getValue(section, prefix + L"direction", direction);
            light.position[0] = position.x;
            light.position[1] = position.y;
            light.position[2] = position.z;
            // Into the device's frame with y downwards: (x, y, z) becomes (x, -y, z), normalised.
            cVector3 turned(direction.x, -direction.y, direction.z);
            float length = std::sqrt(turned.x * turned.x + turned.y * turned.y + turned.z * turned.z);
            if (length > 0) {
                turned.x /= length;
                turned.y /= length;
                turned.z /= length;
            }
            light.direction[0] = turned.x;
            light.direction[1] = turned.y;
            light.direction[2] = turned.z;
            constants->getValue(section, prefix + L"range", light.range);
            constants->getValue(section, prefix + L"falloff", light.falloff);
            constants->getValue(section, prefix + L"attenuation0", light.attenuation0);
            constants->getValue(section, prefix + L"attenuation1", light.attenuation1);
            constants->getValue(section, prefix + L"attenuation2", light.attenuation2);
            constants->getValue(section, prefix + L"theta", light.theta);
            constants->getValue(section, prefix + L"phi", light.phi);
            set.lights.push_back(light);
        }
        m_lightSets.push_back(set);
    }
}

void cGraphicsDevice::measureDesktop() {
    int width = 0, height = 0;
    m_window->getDesktopSize(width, height);
    m_desktopSize = cIntPair(width, height);
    int x = 0, y = 0;
    m_window->getWorkArea(x, y, width, height);
    m_workArea = cIntPair(width, height);
    m_fittedSize.x = std::min(m_desktopSize.x, int(float(m_desktopSize.y) * 4.0f / 3.0f));
    m_fittedSize.y = std::min(m_desktopSize.y, int(float(m_desktopSize.x) * 3.0f / 4.0f));
    m_fitOffset =
        cVector2(float(m_desktopSize.x - m_fittedSize.x) * 0.5f, float(m_desktopSize.y - m_fittedSize.y) * 0.5f);
}

void cGraphicsDevice::checkStencil() const {
    // Stencil masks are part of the drawing; without them the picture would be wrong.
    if (m_device && !m_device->supportsStencil())
        throw "Default video card dosn't support stensil buffer.";
}

void cGraphicsDevice::fillPresentParameters(cPresentParameters& parameters) {
    readSettings();
    m_fitScale = cVector2(float(m_fittedSize.x) / float(m_screenSize.x), float(m_fittedSize.y) / float(m_screenSize.y));
    if (m_fullscreen) {
        m_window->setFullscreen(true);
        int width = 0, height = 0;
        m_window->getClientSize(width, height);
        if (!m_window->isFullscreen() || width != m_desktopSize.x || height != m_desktopSize.y) {
            // Without a window manager the window keeps its size: a full-screen picture would be
            // clipped and every click misplaced. The setting follows, so the options show it.
            logError("Full screen needs a window manager: the game stays in its window.");
            m_fullscreen = false;
            if (cSettings* settings = getSettings())
                settings->setValue(L"graphics", L"fullscreen", false);
        }
    }
    if (m_fullscreen) {
        parameters.width = m_desktopSize.x;
        parameters.height = m_desktopSize.y;
        parameters.windowed = false;
    } else {
        measureDesktop();
        checkStencil();
        m_fitScale =
            cVector2(float(m_fittedSize.x) / float(m_screenSize.x), float(m_fittedSize.y) / float(m_screenSize.y));
        m_window->setFullscreen(false);
        m_window->setClientSize(m_screenSize.x, m_screenSize.y);
        // Centred in the work area; a window larger than it keeps its top-left corner on it.
        int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
        m_window->getWorkArea(areaX, areaY, areaWidth, areaHeight);
        m_window->setClientPosition(areaX + std::max(0, int(float(areaWidth - m_screenSize.x) * 0.5f)),
                                    areaY + std::max(0, int(float(areaHeight - m_screenSize.y) * 0.5f)));
        parameters.width = m_screenSize.x;
        parameters.height = m_screenSize.y;
        parameters.windowed = true;
    }
}

void cGraphicsDevice::applyRenderState() {
    setRenderStateIfChanged(*m_device, RS_ALPHA_BLEND_ENABLE, 1);
    setRenderStateIfChanged(*m_device, RS_SRC_BLEND, BLEND_SRC_ALPHA);
    setRenderStateIfChanged(*m_device, RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    setRenderStateIfChanged(*m_device, RS_BLEND_OP, BLEND_OP_ADD);
    setRenderStateIfChanged(*m_device, RS_ALPHA_TEST_ENABLE, 1);
    setRenderStateIfChanged(*m_device, RS_ALPHA_FUNC, CMP_GREATER);
    setRenderStateIfChanged(*m_device, RS_ALPHA_REF, 0);
    setRenderStateIfChanged(*m_device, RS_LIGHTING, 0);
    setRenderStateIfChanged(*m_device, RS_CULL_MODE, CULL_NONE);
    setRenderStateIfChanged(*m_device, RS_Z_ENABLE, 0);
    setRenderStateIfChanged(*m_device, RS_Z_WRITE_ENABLE, 0);
    setRenderStateIfChanged(*m_device, RS_FILL_MODE, m_wireframe ? FILL_WIREFRAME : FILL_SOLID);
    setSamplerStateIfChanged(*m_device, SS_ADDRESS_U, ADDRESS_CLAMP);
    setSamplerStateIfChanged(*m_device, SS_ADDRESS_V, ADDRESS_CLAMP);

    float width = float(m_presentParameters.width), height = float(m_presentParameters.height);
    const float zNear = -8000.0f, zFar = 8000.0f;
    m_projection = cMatrix4(2.0f / width, 0, 0, 0, 0, -2.0f / height, 0, 0, 0, 0, 1.0f / (zFar - zNear), 0, -1.0f, 1.0f,
                            zNear / (zNear - zFar), 1.0f);
    if (m_fullscreen) {
        cMatrix4 scale, translation;
        scale.setScale(cVector3(m_fitScale.x, m_fitScale.y, 1));
        translation.setTranslation(cVector3(m_fitOffset.x, m_fitOffset.y, 0));
        m_screenTransform = scale * translation;
        setupBorders();
    } else {
        m_screenTransform.setIdentity();
    }
    m_view.setIdentity();
    m_device->setMaterial(m_defaultMaterial);
    m_device->setTransform(TRANSFORM_PROJECTION, toDevice(m_projection));
    m_device->setTransform(TRANSFORM_VIEW, toDevice(m_view));
    m_device->setTransform(TRANSFORM_WORLD, cDeviceMatrix());
    m_shaderMatrix = transposed(m_view * m_projection);
    // The particle library is made once, with the first render states; resets keep it, as its
    // buffers and textures live in the managed pool.
    if (!m_particleLibrary) {
        m_ownedParticleLibrary = std::make_unique<cParticleLibrary>();
        m_pyroDevice = std::make_unique<cPyroGraphicsDevice>(*m_device, m_ownedParticleLibrary->getQuadCapacity());
        m_ownedParticleLibrary->setGraphicsDevice(m_pyroDevice.get());
        m_particleLibrary = m_ownedParticleLibrary.get();
    }
    m_particleDeviceFresh = true;
}

void cGraphicsDevice::setReserveSpriteCount(unsigned n) {
    m_reserveSpriteCount = n;
    m_batch.reserve(n);
}

bool cGraphicsDevice::resetDevice() {
    m_particleDeviceFresh = true;
    releaseBorders();
    m_overlay->release();
    m_batch.releaseBuffers();
    fillPresentParameters(m_presentParameters);
    if (m_device->reset(m_presentParameters) != RESULT_OK) {
        // One attempt per frame, so the message loop keeps running between attempts.
        m_resetPending = true;
        if (++m_failedResets >= MAX_RESET_ATTEMPTS)
            throw "Can't reset the graphics device.";
        getClock().sleepMs(100);
        return false;
    }
    m_failedResets = 0;
    m_resetPending = false;
    applyRenderState();
    setReserveSpriteCount(m_reserveSpriteCount);
    m_modeSwitchRequested = false;
    m_window->restore();
    m_window->show();
    m_window->bringToFront();
    return true;
}

void cGraphicsDevice::beginFrame() {
    if (!m_framePresented) {
        if (m_device->present() == RESULT_DEVICE_LOST) {
            if (m_device->testCooperativeLevel() != RESULT_DEVICE_NOT_RESET) {
                IFrameManager* frameManager = getFrameManager();
                bool fullscreen = false;
                if (cSettings* settings = getSettings())
                    settings->getValue(L"graphics", L"fullscreen", fullscreen);
                if (frameManager && frameManager->m_runInBackground && fullscreen) {
                    getSettings()->setValue(L"graphics", L"fullscreen", false);
                    requestModeSwitch(true);
                    getClock().sleepMs(200);
                    m_window->postMessage({WM_SYSCOMMAND, SC_RESTORE, 0});
                    return;
                }
                getClock().sleepMs(10);
                return;
            }
            if (!resetDevice())
                return;
        }
        m_framePresented = true;
    }
    if (m_resetPending && !resetDevice())
        return;
    if (m_modeSwitchRequested) {
        bool onlyWindowed = constantBool(L"only_windowed", false);
        bool onlyFullscreen = constantBool(L"only_fullscreen", false);
        if ((m_fullscreen && !onlyFullscreen) || (!m_fullscreen && !onlyWindowed)) {
            if (!resetDevice())
                return;
        }
    }
    m_batch.begin();
    m_frameOpen = true;

    double now = 0;
    if (IFrameTimer* timer = getFrameTimer())
        now = timer->getTime();
    if (now - m_lastFpsTime > 0.2) {
        m_fps = float(double(m_framesCounted) / (now - m_lastFpsTime));
        m_lastFpsTime = now;
        m_framesCounted = 0;
    } else {
        ++m_framesCounted;
    }
}

cBatchFrame cGraphicsDevice::makeBatchFrame() const {
    cBatchFrame frame;
    frame.wireframe = m_wireframe;
    frame.fullscreen = m_fullscreen;
    frame.fitScale = m_fitScale;
    frame.fitOffset = m_fitOffset;
    frame.screenTransform = m_screenTransform;
    frame.view = m_view;
    frame.shaderMatrix = m_shaderMatrix;
    frame.defaultMaterial = m_defaultMaterial;
    frame.lightSets = &m_lightSets;
    frame.particleDeviceFresh = m_particleDeviceFresh;
    frame.particles = m_particleLibrary;
    return frame;
}

void cGraphicsDevice::endFrame() {
    if (!m_frameOpen)
        return;
    m_batch.end();
    m_device->clear(CLEAR_TARGET | CLEAR_Z_BUFFER | CLEAR_STENCIL, m_showTriangles ? 0xFF000000u : m_backColor, 0, 0);
    m_device->beginScene();
    m_triangleCount += m_batch.render(*m_device, makeBatchFrame());
    m_particleDeviceFresh = false;
    setRenderStateIfChanged(*m_device, RS_STENCIL_ENABLE, 0);
    if (m_fullscreen)
        drawBorders();
    std::wstring statistics = buildStatisticsText();
    if (!statistics.empty())
        m_overlayText += statistics + L"\n";
    m_triangleCount = 0;
    drawOverlay();
    m_overlayText.clear();
    m_device->endScene();
    m_frameOpen = false;
    m_framePresented = false;
}

std::wstring cGraphicsDevice::buildStatisticsText() const {
    std::wstring text;
    if (m_showTextureMemory) {
        uint32_t bytes = uint32_t(std::max<int32_t>(0, getTextureMemory()));
        if (bytes < 1024)
            text += L"Tex mem: " + std::to_wstring(bytes) + L" Bytes\n";
        else if (bytes <= 0xFFFFF)
            text += L"Tex mem: " + std::to_wstring(bytes >> 10) + L" KBytes\n";
        else if (bytes <= 0x3FFFFFFF)
            text += L"Tex mem: " + std::to_wstring(bytes >> 20) + L" MBytes\n";
        else
            text += L"Tex mem: " + std::to_wstring(bytes >> 30) + L" GBytes\n";
    }
    if (m_showFps) {
        IFrameManager* frameManager = getFrameManager();
        IFrameTimer* timer = getFrameTimer();
        text += L"FPS: " + floatText(m_fps) + L"\n";
        text += L"PPS: " + floatText(frameManager ? frameManager->m_updateRate : 0.0f) + L"\n";
        text += L"TPS: " + floatText(timer ? timer->getFps() : 0.0f) + L"\n";
        text += L"Chunks: " + std::to_wstring(m_batch.getRecords().size()) + L"\n";
    }
    if (m_showViewCount)
        text += L"Views: " + std::to_wstring(getLiveWidgets().size()) + L"\n";
    if (m_showTriangles)
        text += L"Triangles: " + std::to_wstring(m_triangleCount) + L"\n";
    if (m_showCursorPosition) {
        if (IFrameManager* frameManager = getFrameManager()) {
            const cVector2* cursor = frameManager->getCursorPosition();
            text += L"X: " + floatText(cursor->x) + L"\nY: " + floatText(cursor->y) + L"\n";
        }
    }
    // addOverlayText adds the line break after the block.
    if (!text.empty())
        text.pop_back();
    return text;
}

void cGraphicsDevice::drawOverlay() {
    if (m_overlayText.empty() || !m_overlay)
        return;
    m_device->setTransform(TRANSFORM_WORLD, cDeviceMatrix());
    m_overlay->draw(m_overlayText, 0xFFFF0000u, m_screenSize.x, m_screenSize.y);
}

void cGraphicsDevice::addOverlayText(const std::wstring& text) {
    m_overlayText += text + L"\n";
}

void cGraphicsDevice::setWireframe(bool wireframe) {
    m_wireframe = wireframe;
    setRenderStateIfChanged(*m_device, RS_FILL_MODE, wireframe ? FILL_WIREFRAME : FILL_SOLID);
}

void cGraphicsDevice::releaseBorders() {
    if (m_borderBuffer && m_device)
        m_device->destroyBuffer(m_borderBuffer);
    m_borderBuffer = 0;
}

void cGraphicsDevice::setupBorders() {
    cConstants* constants = getConstants();
    cResourceManager* resources = getResourceManager();
    if (constants && resources) {
        std::string left, up;
        constants->getValue(L"graphics", L"left_border_texture", left);
        constants->getValue(L"graphics", L"up_border_texture", up);
        if (!m_leftBorder && !left.empty())
            m_leftBorder = resources->getTexture(left);
        if (!m_upBorder && !up.empty())
            m_upBorder = resources->getTexture(up);
    }
    m_bordersShown = m_bordersWanted && m_leftBorder && m_upBorder;
    if (m_borderBuffer)
        return;
    if (createVertexBuffer(12, sizeof(cBorderVertex), BATCH_VERTEX_FORMAT, m_borderBuffer, POOL_DEFAULT) != RESULT_OK)
        return;
    auto* vertices = static_cast<cBorderVertex*>(m_device->lockBuffer(m_borderBuffer, true));
    if (!vertices)
        return;
    std::memset(vertices, 0, 12 * sizeof(cBorderVertex));
    const float width = float(m_desktopSize.x), height = float(m_desktopSize.y);
    const uint32_t color = m_bordersShown ? 0xFFFFFFFFu : 0xFF000000u;
    // One repeat of the texture covers the configured size; without one, the image's own size.
    auto repeatSize = [&](const wchar_t* key, const cTexture* texture) {
        cVector2 size;
        std::wstring text;
        if (constants && constants->getValue(L"graphics", key, text))
            parseVector2(size, text);
        if (texture && size.x <= 0)
            size.x = float(std::max(1, texture->getImageSize().x));
        if (texture && size.y <= 0)
            size.y = float(std::max(1, texture->getImageSize().y));
        return cVector2(std::max(size.x, 1.0f), std::max(size.y, 1.0f));
    };
    auto put = [&](int i, float x, float y, float u, float v) {
        vertices[i] = {x, y, 0, color, m_bordersShown ? u : 0, m_bordersShown ? v : 0};
    };
    if (m_fitOffset.x > 0) {
        const float ox = m_fitOffset.x, fw = float(m_fittedSize.x);
        const cVector2 s = repeatSize(L"left_border_texture_size", m_leftBorder);
        const float xs[6] = {0, ox, ox, 0, ox, 0}, ys[6] = {0, 0, height, 0, height, height};
        for (int i = 0; i < 6; ++i) {
            put(i, xs[i], ys[i], (xs[i] - ox) / s.x + 1, ys[i] / s.y);
            float x = xs[i] + fw + ox;
            put(6 + i, x, ys[i], 1 - (x - (fw + ox)) / s.x, ys[i] / s.y);
        }
    } else {
        const float oy = m_fitOffset.y, fh = float(m_fittedSize.y);
        const cVector2 s = repeatSize(L"up_border_texture_size", m_upBorder);
        const float xs[6] = {0, width, width, 0, width, 0}, ys[6] = {0, 0, oy, 0, oy, oy};
        for (int i = 0; i < 6; ++i) {
            put(i, xs[i], ys[i], xs[i] / s.x, (ys[i] - oy) / s.y + 1);
            float y = ys[i] + fh + oy;
            put(6 + i, xs[i], y, xs[i] / s.x, 1 - (y - (fh + oy)) / s.y);
        }
    }
    m_device->unlockBuffer(m_borderBuffer);
}

void cGraphicsDevice::drawBorders() {
    if (!m_borderBuffer)
        return;
    setRenderStateIfChanged(*m_device, RS_SRC_BLEND, BLEND_SRC_ALPHA);
    setRenderStateIfChanged(*m_device, RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    setRenderStateIfChanged(*m_device, RS_ALPHA_BLEND_ENABLE, 1);
    setRenderStateIfChanged(*m_device, RS_ALPHA_REF, 0);
    m_device->setVertexFormat(BATCH_VERTEX_FORMAT);
    const cTexture* texture = nullptr;
    if (m_bordersShown)
        texture = m_fitOffset.x > 0 ? m_leftBorder : m_upBorder;
    m_device->setTexture(texture ? texture->getDeviceTexture() : 0);
    uint32_t addressU = m_device->getSamplerState(SS_ADDRESS_U), addressV = m_device->getSamplerState(SS_ADDRESS_V);
    m_device->setSamplerState(SS_ADDRESS_U, ADDRESS_WRAP);
    m_device->setSamplerState(SS_ADDRESS_V, ADDRESS_WRAP);
    m_device->setStreamSource(m_borderBuffer, sizeof(cBorderVertex));
    m_device->drawTriangles(0, 4);
    m_device->setSamplerState(SS_ADDRESS_U, addressU);
    m_device->setSamplerState(SS_ADDRESS_V, addressV);
}

void cGraphicsDevice::showBorders(bool show) {
    if (show == m_bordersShown)
        return;
    m_bordersWanted = show;
    m_bordersShown = show;
    if (m_fullscreen) {
        // The bars' colours and texture coordinates are baked into their vertices.
        releaseBorders();
        setupBorders();
    }
}

bool cGraphicsDevice::getClientRect(float& left, float& top, float& right, float& bottom) {
    if (!m_window || m_window->isDestroyed())
        return false;
    int x = 0, y = 0, width = 0, height = 0;
    m_window->getClientPosition(x, y);
    m_window->getClientSize(width, height);
    left = float(x);
    top = float(y);
    right = float(x + width);
    bottom = float(y + height);
    return true;
}

void cGraphicsDevice::windowToScreen(const cVector2& in, cVector2& out) {
    out = in;
    if (m_fullscreen)
        out = cVector2((in.x - m_fitOffset.x) / m_fitScale.x, (in.y - m_fitOffset.y) / m_fitScale.y);
}

void cGraphicsDevice::clientToScreen(const cVector2& in, cVector2& out) {
    float left = 0, top = 0, right = 0, bottom = 0;
    getClientRect(left, top, right, bottom);
    out = cVector2(in.x + left, in.y + top);
    if (m_fullscreen)
        out = cVector2(out.x * m_fitScale.x + m_fitOffset.x, out.y * m_fitScale.y + m_fitOffset.y);
}

void cGraphicsDevice::drawPyroEffect(cParticleDrawRecord* record) {
    m_batch.drawParticles(record);
}

void cGraphicsDevice::drawMesh(cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) {
    m_batch.drawMesh(record, renderType, alphaRef);
}

void cGraphicsDevice::drawSprite(const cSpriteQuad& quad, const cTexture* texture, uint32_t renderType,
                                 uint8_t alphaRef) {
    if (!m_frameOpen)
        return;
    m_batch.drawSprite(quad, texture, renderType, alphaRef, makeBatchFrame());
}

void cGraphicsDevice::drawSpriteByPath(const cSpriteQuad& quad, const std::string& texturePath, uint32_t renderType,
                                       uint8_t alphaRef) {
    if (texturePath.empty()) {
        drawSprite(quad, nullptr, renderType, alphaRef);
        return;
    }
    cResourceManager* resources = getResourceManager();
    cTexture* texture = resources ? resources->getTexture(texturePath) : nullptr;
    drawSprite(quad, texture, renderType, 0);
    if (texture)
        texture->decRef();
}

int cGraphicsDevice::loadAlphaMask(const std::string& path, cBitMask& mask) {
    cImageReader reader;
    return reader.loadAlphaMask(path, mask);
}

int cGraphicsDevice::loadImagePixels(const std::string& path, std::vector<cColor>& pixels, int& width, int& height) {
    cImageReader reader;
    return reader.loadImagePixels(path, pixels, width, height);
}

void cGraphicsDevice::captureScreen(const std::string& path, const cRect& rectangle) {
    if (path.empty())
        return;
    cVector2 position = rectangle.topLeft;
    cVector2 size = rectangle.bottomRight - rectangle.topLeft;
    if (size.x == 0 && size.y == 0)
        size = cVector2(float(m_screenSize.x), float(m_screenSize.y));
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        return;
    std::wstring fullPath = fileSystem->getUserFolder() + toWideString(path);
    fileSystem->openWrite(path, true).reset();
    if (m_fullscreen) {
        position = cVector2(position.x * m_fitScale.x + m_fitOffset.x, position.y * m_fitScale.y + m_fitOffset.y);
        size = cVector2(size.x * m_fitScale.x, size.y * m_fitScale.y);
    }
    // Only the part inside the back buffer can be read.
    int left = std::max(0, int(position.x)), top = std::max(0, int(position.y));
    int right = std::min(m_presentParameters.width, int(position.x + size.x));
    int bottom = std::min(m_presentParameters.height, int(position.y + size.y));
    int width = right - left, height = bottom - top;
    std::vector<uint32_t> pixels;
    if (width <= 0 || height <= 0 || !m_device->readBackBuffer(left, top, width, height, pixels))
        return;
    // A device-independent bitmap: bottom row first, blue-green-red, rows padded to 4 bytes.
    const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> bitmap(rowBytes * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &bitmap[size_t(height - 1 - y) * rowBytes];
        const uint32_t* source = &pixels[size_t(y) * size_t(width)];
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uint8_t(source[x]);
            row[3 * x + 1] = uint8_t(source[x] >> 8);
            row[3 * x + 2] = uint8_t(source[x] >> 16);
        }
    }
    cBitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.sizeImage = uint32_t(width) * uint32_t(height) * 3;
    std::string error;
    writeJpeg(&header, bitmap.data(), 80, fullPath, &error);
}

} // namespace Engine
