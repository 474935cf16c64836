#pragma once

// The engine's only renderer: opens and closes every frame on the render device, presents in
// a window at the logical size or full screen at the desktop's size with the logical picture
// in the largest centred 4:3 area (border textures or black beside it), keeps the frame's
// sprite batch, draws the statistics overlay and captures screenshots. Created by the
// application after the main window; reached through getGraphicsDevice.

#include "engine/core/GraphicsLink.h"
#include "engine/core/IntPair.h"
#include "engine/core/Math.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Rect.h"
#include "engine/media/LightSet.h"
#include "engine/media/SpriteBatch.h"
#include "engine/media/TextureFactory.h"

#include <memory>
#include <string>
#include <vector>

namespace Platform {
class IWindow;
class IRenderDevice;
} // namespace Platform

namespace Engine {

struct cApplicationDesc;
struct cSpriteQuad;
struct cMeshDrawRecord;
struct cParticleDrawRecord;
class cBitMask;
class cStatisticsOverlay;
class cTexture;
class IParticleLibrary;
class cParticleLibrary;
class cPyroGraphicsDevice;

class IGraphicsDevice : public IGraphicsLink {
public:
    ~IGraphicsDevice() override = default;
    virtual IParticleLibrary* getParticleLibrary() = 0;
    virtual int getScreenHeight() const = 0;
    virtual int getScreenWidth() const = 0;
    virtual bool isModeSwitchRequested() const = 0;
    virtual unsigned getReserveSpriteCount() const = 0;
    // Recreates the batch buffers for n sprites.
    virtual void setReserveSpriteCount(unsigned n) = 0;
    // A JPEG (quality 80) of a part of the logical screen, written into the user folder under
    // path; a rectangle of size (0, 0) means the whole screen from its position.
    virtual void captureScreen(const std::string& path, const cRect& rectangle) = 0;
    using IGraphicsLink::captureScreen;
    // Draws only queue work into the frame's batch.
    virtual void drawPyroEffect(cParticleDrawRecord* record) = 0;
    virtual void drawMesh(cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) = 0;
    virtual void drawSprite(const cSpriteQuad& quad, const cTexture* texture, uint32_t renderType,
                            uint8_t alphaRef) = 0;
    virtual void drawSpriteByPath(const cSpriteQuad& quad, const std::string& texturePath, uint32_t renderType,
                                  uint8_t alphaRef) = 0;
    // Appends the text and a line break; the next endFrame draws it and empties it.
    virtual void addOverlayText(const std::wstring& text) = 0;
    virtual void setWireframe(bool wireframe) = 0;
    virtual void reservedOperation(int argument) = 0;
    virtual bool getSpareFlag() const = 0;
    virtual int loadAlphaMask(const std::string& path, cBitMask& mask) = 0;
    virtual int loadImagePixels(const std::string& path, std::vector<cColor>& pixels, int& width, int& height) = 0;
    virtual bool isWindowedModeAllowed(bool windowed) const = 0;
    // Logical coordinates to client pixels, with the window's position on the desktop.
    virtual void clientToScreen(const cVector2& in, cVector2& out) = 0;
    virtual bool areBordersShown() const = 0;
    virtual void showBorders(bool show) = 0;
    virtual const cMatrix4& getScreenTransform() const = 0;
    virtual const cMatrix4& getProjection() const = 0;
    virtual const cMatrix4& getView() const = 0;
};

// The graphics device; null when none exists.
IGraphicsDevice* getGraphicsDevice();

class cGraphicsDevice : public IGraphicsDevice, public cTextureFactory {
public:
    // On the application's main window: an OpenGL device over SDL2, or over EGL when headless
    // (a recording device when EGL cannot start there). Throws "Can't create Direct3D." when
    // no OpenGL device can be made for a real window, and "Default video card dosn't support
    // stensil buffer." when its back buffer has no stencil (also at a reset into a window).
    explicit cGraphicsDevice(cApplicationDesc& desc);
    // On a given window and render device (tests).
    cGraphicsDevice(Platform::IWindow* window, std::unique_ptr<Platform::IRenderDevice> device);
    ~cGraphicsDevice() override;

    // IGraphicsLink
    bool getClientRect(float& left, float& top, float& right, float& bottom) override;
    void windowToScreen(const cVector2& in, cVector2& out) override;
    void beginFrame() override;
    void endFrame() override;
    void requestModeSwitch(bool request) override { m_modeSwitchRequested = request; }
    void captureScreen(const std::string& path) override { captureScreen(path, cRect()); }

    // IGraphicsDevice
    IParticleLibrary* getParticleLibrary() override { return m_particleLibrary; }
    int getScreenHeight() const override { return m_screenSize.y; }
    int getScreenWidth() const override { return m_screenSize.x; }
    bool isModeSwitchRequested() const override { return m_modeSwitchRequested; }
    unsigned getReserveSpriteCount() const override { return m_batch.getReserveCount(); }
    void setReserveSpriteCount(unsigned n) override;
    void captureScreen(const std::string& path, const cRect& rectangle) override;
    void drawPyroEffect(cParticleDrawRecord* record) override;
    void drawMesh(cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) override;
    void drawSprite(const cSpriteQuad& quad, const cTexture* texture, uint32_t renderType, uint8_t alphaRef) override;
    void drawSpriteByPath(const cSpriteQuad& quad, const std::string& texturePath, uint32_t renderType,
                          uint8_t alphaRef) override;
    void addOverlayText(const std::wstring& text) override;
    void setWireframe(bool wireframe) override;
    void reservedOperation(int) override {}
    bool getSpareFlag() const override { return false; }
    int loadAlphaMask(const std::string& path, cBitMask& mask) override;
    int loadImagePixels(const std::string& path, std::vector<cColor>& pixels, int& width, int& height) override;
    bool isWindowedModeAllowed(bool) const override { return true; }
    void clientToScreen(const cVector2& in, cVector2& out) override;
    bool areBordersShown() const override { return m_bordersShown; }
    void showBorders(bool show) override;
    const cMatrix4& getScreenTransform() const override { return m_screenTransform; }
    const cMatrix4& getProjection() const override { return m_projection; }
    const cMatrix4& getView() const override { return m_view; }

    float getFps() const { return m_fps; }
    bool isFullscreen() const { return m_fullscreen; }
    const cIntPair& getFittedSize() const { return m_fittedSize; }
    const cVector2& getFitScale() const { return m_fitScale; }
    const cVector2& getFitOffset() const { return m_fitOffset; }
    const std::vector<cLightSet>& getLightSets() const { return m_lightSets; }
    const cSpriteBatch& getBatch() const { return m_batch; }
    bool isFrameOpen() const { return m_frameOpen; }
    // The overlay lines the next endFrame draws, as far as they are built.
    const std::wstring& getOverlayText() const { return m_overlayText; }
    // The statistics text of the switches (texture memory, rates, chunks, triangles, cursor).
    std::wstring buildStatisticsText() const;
    Platform::IRenderDevice& getDevice() const { return *m_device; }

    // Resets that may fail in a row before the device gives up.
    static constexpr int MAX_RESET_ATTEMPTS = 100;

private:
    void construct();
    // The size and mode from the settings: read again at every reset, as a mode switch changes them.
    void readSettings();
    // The constants' colours, overlay switches and light sets: read once.
    void readConstants();
    void readLightSets();
    // The desktop's size and the 4:3 area fitted into it.
    void measureDesktop();
    void fillPresentParameters(Platform::cPresentParameters& parameters);
    // Throws "Default video card dosn't support stensil buffer." when the device has none.
    void checkStencil() const;
    void applyRenderState();
    // False when the reset failed; the frame is skipped and the next beginFrame tries again.
    bool resetDevice();
    void setupBorders();
    void drawBorders();
    void releaseBorders();
    void drawOverlay();
    cBatchFrame makeBatchFrame() const;

    Platform::IWindow* m_window = nullptr;
    std::unique_ptr<Platform::IRenderDevice> m_device;
    IParticleLibrary* m_particleLibrary = nullptr;
    std::unique_ptr<cParticleLibrary> m_ownedParticleLibrary;
    std::unique_ptr<cPyroGraphicsDevice> m_pyroDevice;
    bool m_particleDeviceFresh = false;

    cMatrix4 m_projection, m_view, m_shaderMatrix;
    bool m_modeSwitchRequested = false;
    Platform::cPresentParameters m_presentParameters;
    bool m_fullscreen = false;
    bool m_framePresented = true;
    bool m_frameOpen = false;
    uint32_t m_backColor = 0xFF000000u;
    Platform::cMaterial m_defaultMaterial;
    cSpriteBatch m_batch;
    unsigned m_reserveSpriteCount = 4096;
    Platform::tBufferHandle m_borderBuffer = 0;
    std::unique_ptr<cStatisticsOverlay> m_overlay;
    std::wstring m_overlayText;
    uint32_t m_triangleCount = 0;
    bool m_showTriangles = false, m_showFps = false, m_showCursorPosition = false, m_showTextureMemory = false,
         m_showViewCount = false, m_showMemoryUsage = true;
    uint32_t m_systemFontColor = 0xFFFFFFFFu;
    bool m_wireframe = false;
    cIntPair m_desktopSize;
    cIntPair m_screenSize{800, 600};
    cIntPair m_workArea;
    cIntPair m_fittedSize;
    cVector2 m_fitScale{1, 1};
    cVector2 m_fitOffset;
    cMatrix4 m_screenTransform;
    std::vector<cLightSet> m_lightSets;
    double m_lastFpsTime = 0;
    float m_fps = 0;
    unsigned m_framesCounted = 0;
    cTexture* m_leftBorder = nullptr;
    cTexture* m_upBorder = nullptr;
    bool m_bordersShown = false;
    // Cleared by showBorders(false): bars stay black even with both textures.
    bool m_bordersWanted = true;
    int m_failedResets = 0;
    bool m_resetPending = false;
};

} // namespace Engine
