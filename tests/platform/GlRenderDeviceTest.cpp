// The OpenGL render device on the headless EGL context: what reaches the back buffer.

#include "engine/platform/RenderDevice.h"
#include "tests/support/PixelTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Platform;

namespace {

struct Vertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};

struct NormalVertex {
    float x, y, z;
    float nx, ny, nz;
};

// Projection of back-buffer pixels with y downwards, as the graphics device sets it.
cDeviceMatrix pixelProjection(int width, int height) {
    cDeviceMatrix m;
    m.m[0] = 2.0f / float(width);
    m.m[5] = -2.0f / float(height);
    m.m[10] = 1.0f / 16000.0f;
    m.m[12] = -1.0f;
    m.m[13] = 1.0f;
    m.m[14] = 0.5f;
    return m;
}

// Vertex and index buffers holding one quad.
template <class V>
void makeQuad(IRenderDevice& device, const V (&corners)[4], uint32_t format, tBufferHandle& vb, tBufferHandle& ib) {
    ASSERT_EQ(RESULT_OK, device.createVertexBuffer(sizeof(corners), format, true, POOL_DEFAULT, vb));
    ASSERT_EQ(RESULT_OK, device.createIndexBuffer(12, true, POOL_DEFAULT, ib));
    std::memcpy(device.lockBuffer(vb, true), corners, sizeof(corners));
    device.unlockBuffer(vb);
    const uint16_t indices[6] = {0, 2, 1, 1, 2, 3};
    std::memcpy(device.lockBuffer(ib, true), indices, sizeof(indices));
    device.unlockBuffer(ib);
    device.setStreamSource(vb, sizeof(V));
    device.setIndices(ib);
    device.setVertexFormat(format);
}

void setSpriteState(IRenderDevice& device, int width, int height) {
    device.setRenderState(RS_LIGHTING, 0);
    device.setRenderState(RS_CULL_MODE, CULL_NONE);
    device.setRenderState(RS_Z_ENABLE, 0);
    device.setTransform(TRANSFORM_PROJECTION, pixelProjection(width, height));
}

} // namespace

TEST(GlRenderDevice, ClearFillsTheBackBufferAndReadBackChecksItsRectangle) {
    MEADOW_PIXEL_DEVICE(device, 64, 32);
    device->clear(CLEAR_TARGET | CLEAR_Z_BUFFER | CLEAR_STENCIL, 0xFF336699u, 0, 0);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 0, 0, 0x336699));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 63, 31, 0x336699));
    std::vector<uint32_t> pixels;
    EXPECT_FALSE(device->readBackBuffer(60, 0, 5, 1, pixels));
    EXPECT_FALSE(device->readBackBuffer(-1, 0, 1, 1, pixels));
}

TEST(GlRenderDevice, QuadCoversExactlyItsPixelsWithTheHalfPixelShift) {
    MEADOW_PIXEL_DEVICE(device, 32, 32);
    setSpriteState(*device, 32, 32);
    // Corners shifted by -0.5 as the graphics device writes them in a window.
    const Vertex corners[4] = {{3.5f, 7.5f, 0, 0xFFFF0000u, 0, 0},
                               {13.5f, 7.5f, 0, 0xFFFF0000u, 1, 0},
                               {3.5f, 17.5f, 0, 0xFFFF0000u, 0, 1},
                               {13.5f, 17.5f, 0, 0xFFFF0000u, 1, 1}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, vb, ib);
    device->clear(CLEAR_TARGET, 0xFF000000u, 0, 0);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 4, 8, 0xFF0000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 13, 17, 0xFF0000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 3, 8, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 14, 17, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 4, 7, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 4, 18, 0x000000));
}

TEST(GlRenderDevice, EdgesOnPixelCentresKeepTheTopAndLeftPixelsOnly) {
    MEADOW_PIXEL_DEVICE(device, 32, 32);
    setSpriteState(*device, 32, 32);
    // Unshifted corners, as the scaled full-screen picture and its bars write them.
    const Vertex corners[4] = {{4, 8, 0, 0xFFFF0000u, 0, 0},
                               {14, 8, 0, 0xFFFF0000u, 1, 0},
                               {4, 18, 0, 0xFFFF0000u, 0, 1},
                               {14, 18, 0, 0xFFFF0000u, 1, 1}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, vb, ib);
    device->clear(CLEAR_TARGET, 0xFF000000u, 0, 0);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 4, 8, 0xFF0000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 13, 17, 0xFF0000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 3, 8, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 4, 7, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 14, 17, 0x000000));
    EXPECT_TRUE(TestSupport::pixelNear(*device, 13, 18, 0x000000));
}

TEST(GlRenderDevice, AmbientLightReachesTheMaterialInItsOwnChannels) {
    MEADOW_PIXEL_DEVICE(device, 16, 16);
    setSpriteState(*device, 16, 16);
    device->setRenderState(RS_LIGHTING, 1);
    device->setRenderState(RS_AMBIENT, 0xFFFF8000u);
    cMaterial material;
    material.ambient = {1, 1, 1, 1};
    material.diffuse = {0, 0, 0, 1};
    device->setMaterial(material);
    const NormalVertex corners[4] = {{-0.5f, -0.5f, 0, 0, 0, -1},
                                     {15.5f, -0.5f, 0, 0, 0, -1},
                                     {-0.5f, 15.5f, 0, 0, 0, -1},
                                     {15.5f, 15.5f, 0, 0, 0, -1}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_NORMAL, vb, ib);
    device->clear(CLEAR_TARGET, 0xFF000000u, 0, 0);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 8, 8, 0xFF8000));

    // A directional light adds its diffuse colour on faces that look at it.
    cLight light;
    light.type = LIGHT_DIRECTIONAL;
    light.diffuse = {0, 0, 1, 1};
    light.direction[2] = 1;
    material.diffuse = {1, 1, 1, 1};
    device->setMaterial(material);
    device->setLight(0, light);
    device->enableLight(0, true);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 8, 8, 0xFF80FF));
}

TEST(GlRenderDevice, LostDeviceRefusesPresentAndResetsOnlyWhenAllowed) {
    MEADOW_PIXEL_DEVICE(device, 16, 16);
    device->setRenderState(RS_ALPHA_BLEND_ENABLE, 1);
    EXPECT_EQ(RESULT_OK, device->present());
    device->simulateDeviceLoss(false, 1);
    EXPECT_EQ(RESULT_DEVICE_LOST, device->present());
    EXPECT_EQ(RESULT_DEVICE_LOST, device->testCooperativeLevel());
    cPresentParameters parameters;
    parameters.width = 40;
    parameters.height = 30;
    EXPECT_NE(RESULT_OK, device->reset(parameters));
    device->simulateDeviceLoss(true, 1);
    EXPECT_EQ(RESULT_DEVICE_NOT_RESET, device->testCooperativeLevel());
    EXPECT_NE(RESULT_OK, device->reset(parameters)); // the scripted failure
    EXPECT_EQ(RESULT_OK, device->reset(parameters));
    EXPECT_EQ(RESULT_OK, device->testCooperativeLevel());
    int width = 0, height = 0;
    device->getBackBufferSize(width, height);
    EXPECT_EQ(40, width);
    EXPECT_EQ(30, height);
    EXPECT_EQ(0u, device->getRenderState(RS_ALPHA_BLEND_ENABLE));
    device->clear(CLEAR_TARGET, 0xFF00FF00u, 0, 0);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 39, 29, 0x00FF00));
}

TEST(GlRenderDevice, RestoreStatePutsBackWhatSaveStateKept) {
    MEADOW_PIXEL_DEVICE(device, 16, 16);
    setSpriteState(*device, 16, 16);
    device->setRenderState(RS_ALPHA_BLEND_ENABLE, 1);
    device->setRenderState(RS_SRC_BLEND, BLEND_SRC_ALPHA);
    device->setRenderState(RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    device->setSamplerState(SS_MAG_FILTER, FILTER_LINEAR);
    device->saveState();
    device->setRenderState(RS_SRC_BLEND, BLEND_ONE);
    device->setRenderState(RS_DEST_BLEND, BLEND_ONE);
    device->setSamplerState(SS_MAG_FILTER, FILTER_POINT);
    device->restoreState();
    EXPECT_EQ(uint32_t(BLEND_SRC_ALPHA), device->getRenderState(RS_SRC_BLEND));
    EXPECT_EQ(uint32_t(FILTER_LINEAR), device->getSamplerState(SS_MAG_FILTER));

    // Half-transparent white over black gives grey only with the restored blend.
    const Vertex corners[4] = {{-0.5f, -0.5f, 0, 0x80FFFFFFu, 0, 0},
                               {15.5f, -0.5f, 0, 0x80FFFFFFu, 1, 0},
                               {-0.5f, 15.5f, 0, 0x80FFFFFFu, 0, 1},
                               {15.5f, 15.5f, 0, 0x80FFFFFFu, 1, 1}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, vb, ib);
    device->clear(CLEAR_TARGET, 0xFF000000u, 0, 0);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 8, 8, 0x808080));
}

TEST(GlRenderDevice, VertexProgramsAreGlslAndBadOnesAreRefused) {
    MEADOW_PIXEL_DEVICE(device, 16, 16);
    const char garbage[] = "vs.1.1 not glsl";
    tShaderHandle shader = 0;
    EXPECT_EQ(RESULT_INVALID_CALL,
              device->createVertexShader(reinterpret_cast<const uint8_t*>(garbage), sizeof(garbage) - 1, shader));
    EXPECT_EQ(0u, shader);
    const char source[] = "#version 330 core\n"
                          "layout(location = 0) in vec3 a_position;\n"
                          "uniform vec4 u_constants[96];\n"
                          "out vec4 v_color; out vec2 v_texcoord;\n"
                          "void main() { gl_Position = vec4(a_position, 1.0); v_color = u_constants[4];"
                          " v_texcoord = vec2(0.0); }\n";
    ASSERT_EQ(RESULT_OK,
              device->createVertexShader(reinterpret_cast<const uint8_t*>(source), sizeof(source) - 1, shader));
    const Vertex corners[4] = {
        {-1, 1, 0.5f, 0, 0, 0}, {1, 1, 0.5f, 0, 0, 0}, {-1, -1, 0.5f, 0, 0, 0}, {1, -1, 0.5f, 0, 0, 0}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, vb, ib);
    device->setRenderState(RS_Z_ENABLE, 0);
    device->setRenderState(RS_CULL_MODE, CULL_NONE);
    device->setVertexShader(shader);
    const float color[4] = {0, 1, 1, 1};
    device->setVertexShaderConstants(4, color, 1);
    device->clear(CLEAR_TARGET, 0xFF000000u, 0, 0);
    device->drawIndexedTriangles(0, 0, 4, 0, 2);
    EXPECT_TRUE(TestSupport::pixelNear(*device, 8, 8, 0x00FFFF));
}

// A texture is made without contents: what no update has written reads as zero, whether it is
// drawn before any update or after one that covers only part of it; a first update that covers
// it whole gives it its contents at once.
TEST(GlRenderDevice, TexelsNoUpdateWroteAreZero) {
    MEADOW_PIXEL_DEVICE(device, 32, 32);
    setSpriteState(*device, 32, 32);
    device->setRenderState(RS_ALPHA_BLEND_ENABLE, 0);
    device->setRenderState(RS_ALPHA_TEST_ENABLE, 0);
    const Vertex corners[4] = {{-0.5f, -0.5f, 0, 0xFFFFFFFFu, 0, 0},
                               {15.5f, -0.5f, 0, 0xFFFFFFFFu, 1, 0},
                               {-0.5f, 15.5f, 0, 0xFFFFFFFFu, 0, 1},
                               {15.5f, 15.5f, 0, 0xFFFFFFFFu, 1, 1}};
    tBufferHandle vb = 0, ib = 0;
    makeQuad(*device, corners, FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, vb, ib);
    const std::vector<uint32_t> red(4, 0xFFFF0000u);
    const std::vector<uint32_t> green(16, 0xFF00FF00u);
    struct Case {
        const char* what;
        int updateSide; // 0: no update, 2: the top-left 2 x 2 texels, 4: all of them, 6: all, then 2
        uint32_t topLeft, bottomRight;
    } cases[] = {{"never updated", 0, 0x000000, 0x000000},
                 {"top-left quarter", 2, 0xFF0000, 0x000000},
                 {"whole", 4, 0x00FF00, 0x00FF00},
                 {"whole, then the top-left quarter", 6, 0xFF0000, 0x00FF00}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A texture of the same size filled and given back first: its memory may come back.
        tTextureHandle dirty = 0;
        ASSERT_EQ(RESULT_OK, device->createTexture(4, 4, POOL_MANAGED, dirty));
        device->updateTexture(dirty, 0, 0, 4, 4, green.data(), 4 * 4);
        device->destroyTexture(dirty);
        tTextureHandle texture = 0;
        ASSERT_EQ(RESULT_OK, device->createTexture(4, 4, POOL_MANAGED, texture));
        if (c.updateSide >= 4)
            device->updateTexture(texture, 0, 0, 4, 4, green.data(), 4 * 4);
        if (c.updateSide == 2 || c.updateSide == 6)
            device->updateTexture(texture, 0, 0, 2, 2, red.data(), 2 * 4);
        device->setTexture(texture);
        device->clear(CLEAR_TARGET, 0xFF336699u, 0, 0);
        device->drawIndexedTriangles(0, 0, 4, 0, 2);
        EXPECT_TRUE(TestSupport::pixelNear(*device, 2, 2, c.topLeft));
        EXPECT_TRUE(TestSupport::pixelNear(*device, 13, 13, c.bottomRight));
        EXPECT_TRUE(TestSupport::pixelNear(*device, 20, 20, 0x336699)) << "outside the quad";
        device->setTexture(0);
        device->destroyTexture(texture);
    }
}
