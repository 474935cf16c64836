#pragma once

// A graphics device on a headless window with the file services, constants and settings it
// reads: over a recording device for logic tests, or over OpenGL on EGL for pixel tests.

#include "engine/core/Constants.h"
#include "engine/core/Settings.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/MeshDrawRecord.h"
#include "engine/media/SpriteQuad.h"
#include "engine/media/Texture.h"
#include "engine/platform/headless/HeadlessWindow.h"
#include "engine/platform/headless/RecordingRenderDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

// A mesh of one 10 x 10 quad facing the viewer, with normals, clockwise on screen.
class TestQuadMesh : public Engine::IMeshGeometry {
public:
    explicit TestQuadMesh(Platform::IRenderDevice& device) : m_device(device) {
        const float v[4][6] = {{0, 0, 0, 0, 0, -1}, {10, 0, 0, 0, 0, -1}, {0, 10, 0, 0, 0, -1}, {10, 10, 0, 0, 0, -1}};
        const uint16_t i[6] = {0, 1, 2, 1, 3, 2};
        device.createVertexBuffer(sizeof(v), Platform::FVF_XYZ | Platform::FVF_NORMAL, false, Platform::POOL_MANAGED,
                                  m_vertices);
        device.createIndexBuffer(sizeof(i), false, Platform::POOL_MANAGED, m_indices);
        std::memcpy(device.lockBuffer(m_vertices, true), v, sizeof(v));
        device.unlockBuffer(m_vertices);
        std::memcpy(device.lockBuffer(m_indices, true), i, sizeof(i));
        device.unlockBuffer(m_indices);
    }
    ~TestQuadMesh() override {
        m_device.destroyBuffer(m_vertices);
        m_device.destroyBuffer(m_indices);
    }
    Platform::tBufferHandle getIndexBuffer() const override { return m_indices; }
    Platform::tBufferHandle getVertexBuffer() const override { return m_vertices; }
    uint32_t getVertexStride() const override { return 24; }
    uint32_t getVertexFormat() const override { return Platform::FVF_XYZ | Platform::FVF_NORMAL; }
    uint32_t getVertexCount() const override { return 4; }
    uint32_t getTriangleCount() const override { return 2; }

private:
    Platform::IRenderDevice& m_device;
    Platform::tBufferHandle m_vertices = 0, m_indices = 0;
};

class GraphicsFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Attributes of the constants' "graphics" section and of the settings' "graphics" section;
    // extra holds further sections of the constants.
    void writeConfig(const std::string& constants, const std::string& settings, const std::string& extra = "");
    // Starts the services and a device on the recording device.
    void startRecording(int desktopWidth = 1024, int desktopHeight = 768);
    // Starts the services and a device on OpenGL; false (the test skips) without EGL.
    bool startGl(int desktopWidth = 1024, int desktopHeight = 768);
    void stop();

    // A texture of the graphics device filled with the texels (rows top first).
    Engine::cTexture* makeTexture(int width, int height, const std::vector<uint32_t>& texels);
    // A quad over the logical rectangle with one colour.
    static Engine::cSpriteQuad quad(float left, float top, float right, float bottom, uint32_t color = 0xFFFFFFFFu);

    Platform::cRecordingRenderDevice& recording() { return *m_recording; }
    Engine::cGraphicsDevice& graphics() { return *m_graphics; }
    Platform::IRenderDevice& device() { return m_graphics->getDevice(); }

    TestSupport::FakeClock m_clock;
    TestSupport::FileServices m_services;
    Platform::cHeadlessWindow m_window{L"Meadow"};
    std::unique_ptr<Engine::cConstants> m_constants;
    std::unique_ptr<Engine::cSettings> m_settings;
    std::unique_ptr<Engine::cGraphicsDevice> m_graphics;
    Platform::cRecordingRenderDevice* m_recording = nullptr;
    std::vector<std::unique_ptr<Engine::cTexture>> m_textures;
    std::string m_skipReason;

private:
    void startServices(int desktopWidth, int desktopHeight);
    bool m_configWritten = false;
};
