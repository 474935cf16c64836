#include "engine/media/PyroGraphicsDevice.h"

#include "engine/media/PyroFileStream.h"
#include "engine/platform/headless/RecordingRenderDevice.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Engine;
using namespace Platform;

class PyroGraphicsDevice : public ::testing::Test {
protected:
    std::unique_ptr<IPyroVertexBuffer> vertexBuffer(uint32_t vertices) {
        std::unique_ptr<IPyroVertexBuffer> buffer;
        EXPECT_EQ(m_pyro.createVertexBuffer(buffer, vertices, 24,
                                            PYRO_VERTEX_XYZ | PYRO_VERTEX_DIFFUSE | PYRO_VERTEX_TEX1, 0),
                  0);
        return buffer;
    }

    cRecordingRenderDevice m_device;
    cPyroGraphicsDevice m_pyro{m_device, 2};
};

TEST_F(PyroGraphicsDevice, QuadIndexBufferHoldsTwoTrianglesPerQuad) {
    std::vector<uint8_t> bytes = m_device.getBufferBytes(m_pyro.getQuadIndexBuffer()->getBuffer());
    ASSERT_EQ(bytes.size(), 24u);
    std::vector<uint16_t> indices(12);
    std::memcpy(indices.data(), bytes.data(), 24);
    EXPECT_EQ(indices, (std::vector<uint16_t>{0, 2, 3, 0, 1, 2, 4, 6, 7, 4, 5, 6}));
}

TEST_F(PyroGraphicsDevice, BlendFactorsMapThroughTheTableAndOthersAreRefused) {
    const uint32_t expected[9] = {BLEND_ZERO,         BLEND_ONE,           BLEND_DEST_COLOR, BLEND_INV_DEST_COLOR,
                                  BLEND_SRC_ALPHA,    BLEND_INV_SRC_ALPHA, BLEND_DEST_ALPHA, BLEND_INV_DEST_ALPHA,
                                  BLEND_SRC_ALPHA_SAT};
    for (uint32_t factor = 0; factor < 9; ++factor) {
        EXPECT_EQ(m_pyro.setBlendFunc(factor, 8 - factor), 0);
        EXPECT_EQ(m_device.getState().renderStates[RS_SRC_BLEND], expected[factor]);
        EXPECT_EQ(m_device.getState().renderStates[RS_DEST_BLEND], expected[8 - factor]);
    }
    m_pyro.setBlendFunc(4, 5);
    m_device.clearCalls();
    EXPECT_EQ(m_pyro.setBlendFunc(9, 1), RESULT_INVALID_CALL);
    EXPECT_EQ(m_pyro.setBlendFunc(1, 200), RESULT_INVALID_CALL);
    EXPECT_TRUE(m_device.getCalls().empty());
    EXPECT_EQ(m_device.getState().renderStates[RS_SRC_BLEND], uint32_t(BLEND_SRC_ALPHA));

    EXPECT_EQ(m_pyro.setRenderState(PYRO_STATE_ALPHA_BLEND, 1), 0);
    EXPECT_EQ(m_device.getState().renderStates[RS_ALPHA_BLEND_ENABLE], 1u);
    m_device.clearCalls();
    EXPECT_EQ(m_pyro.setRenderState(3, 1), 0);
    EXPECT_TRUE(m_device.getCalls().empty());
}

TEST_F(PyroGraphicsDevice, VertexFlagsMapToDeviceFormats) {
    EXPECT_EQ(pyroVertexFormat(0x1 | 0x8 | 0x10000), uint32_t(FVF_XYZ | FVF_DIFFUSE | FVF_TEX1));
    EXPECT_EQ(pyroVertexFormat(0x1 | 0x4 | 0x8 | 0x10000), PYRO_FVF_XYZRHW | FVF_DIFFUSE | FVF_TEX1);
    EXPECT_EQ(pyroVertexFormat(0x1 | 0x80000), uint32_t(FVF_XYZ | 0x400));
    std::unique_ptr<IPyroVertexBuffer> transformed;
    EXPECT_EQ(m_pyro.createVertexBuffer(transformed, 4, 28, PYRO_VERTEX_XYZRHW, 0), RESULT_INVALID_CALL);
    EXPECT_EQ(transformed, nullptr);
}

TEST_F(PyroGraphicsDevice, TexturesSwapRedAndBlue) {
    const uint8_t pixels[8] = {10, 20, 30, 40, 50, 60, 70, 80};
    std::unique_ptr<IPyroTexture> texture;
    ASSERT_EQ(m_pyro.createTexture(texture, cPyroImage{pixels, 2, 1}, 0), 0);
    auto* own = static_cast<cPyroTexture*>(texture.get());
    EXPECT_EQ(m_device.getTexels(own->getTexture()), (std::vector<uint32_t>{0x280A141Eu, 0x50323C46u}));
    EXPECT_EQ(m_pyro.setTexture(0, texture.get()), 0);
    EXPECT_EQ(m_device.getState().texture, own->getTexture());
    EXPECT_EQ(m_device.getState().samplerStates[SS_MAG_FILTER], uint32_t(FILTER_LINEAR));
    texture.reset();
    EXPECT_EQ(m_device.getTextureCount(), 0u);
    EXPECT_EQ(m_pyro.createTexture(texture, cPyroImage{nullptr, 2, 1}, 0), RESULT_INVALID_CALL);
}

TEST_F(PyroGraphicsDevice, BuffersUpdateInsideTheirRangeOnly) {
    auto buffer = vertexBuffer(8);
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(buffer->update(data, 4, 4), 0);
    EXPECT_EQ(buffer->update(data, 190, 4), RESULT_INVALID_CALL);
    auto* own = static_cast<cPyroVertexBuffer*>(buffer.get());
    std::vector<uint8_t> bytes = m_device.getBufferBytes(own->getBuffer());
    ASSERT_EQ(bytes.size(), 192u);
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[7], 4);

    std::unique_ptr<IPyroLockableBuffer> indices;
    ASSERT_EQ(m_pyro.createIndexBuffer(indices, 0, 3, 0), 0);
    EXPECT_EQ(static_cast<cPyroIndexBuffer*>(indices.get())->getSize(), 36u);
    EXPECT_EQ(indices->getData(), nullptr);
    EXPECT_EQ(indices->lock(), 0);
    EXPECT_NE(indices->getData(), nullptr);
    EXPECT_EQ(indices->unlock(), 0);
    EXPECT_EQ(indices->getData(), nullptr);
}

TEST_F(PyroGraphicsDevice, DrawQuadsSetsTheStreamAndDrawsFromTheFirstQuad) {
    auto buffer = vertexBuffer(12);
    m_device.clearCalls();
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 1, 0), 0);
    EXPECT_TRUE(m_device.getCalls().empty());
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 1, 2), 0);
    EXPECT_EQ(m_device.getCalls("drawIndexedTriangles"), (std::vector<std::string>{"drawIndexedTriangles 4 0 8 0 4"}));
    EXPECT_EQ(m_device.getState().vertexFormat, uint32_t(FVF_XYZ | FVF_DIFFUSE | FVF_TEX1));
    EXPECT_EQ(m_device.getState().stride, 24u);
    EXPECT_EQ(m_device.getState().indexBuffer, m_pyro.getQuadIndexBuffer()->getBuffer());

    // Past the capacity, past the buffer's end, or without a buffer: an error and no draw.
    m_device.clearCalls();
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 0, 3), RESULT_INVALID_CALL);
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 2, 2), RESULT_INVALID_CALL);
    EXPECT_EQ(m_pyro.drawQuads(nullptr, 0, 1), RESULT_INVALID_CALL);
    EXPECT_TRUE(m_device.getCalls().empty());

    // A lost device: its code, not a success, and no draw.
    m_device.simulateDeviceLoss(true);
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 0, 1), RESULT_DEVICE_NOT_RESET);
    m_device.simulateDeviceLoss(false);
    EXPECT_EQ(m_pyro.drawQuads(buffer.get(), 0, 1), RESULT_DEVICE_LOST);
    EXPECT_TRUE(m_device.getCalls("drawIndexedTriangles").empty());
}

TEST_F(PyroGraphicsDevice, QuadIndexBufferFailureThrows) {
    cRecordingRenderDevice device;
    device.setPoolFailure(POOL_MANAGED, RESULT_OUT_OF_VIDEO_MEMORY);
    try {
        cPyroGraphicsDevice pyro(device, 16);
        FAIL() << "no exception";
    } catch (const CPyroGraphicsException& error) {
        EXPECT_STREQ(error.what(), "Can't create quad index buffer");
        EXPECT_EQ(error.getCode(), RESULT_OUT_OF_VIDEO_MEMORY);
    }
}

TEST_F(PyroGraphicsDevice, DefaultVertexBufferGoesThroughALockableBuffer) {
    // A device that offers only lockable buffers gets the interface's own vertex buffer.
    struct LockableOnly : cPyroGraphicsDevice {
        using cPyroGraphicsDevice::cPyroGraphicsDevice;
        int32_t createLockableBuffer(std::unique_ptr<IPyroLockableBuffer>& out, uint32_t bytes) override {
            return createIndexBuffer(out, 0, bytes / 12, 0);
        }
        int32_t createVertexBuffer(std::unique_ptr<IPyroVertexBuffer>& out, uint32_t count, uint32_t size,
                                   uint32_t flags, uint32_t usage) override {
            return IPyroGraphicsDevice::createVertexBuffer(out, count, size, flags, usage);
        }
    } device(m_device, 1);
    std::unique_ptr<IPyroVertexBuffer> buffer;
    ASSERT_EQ(device.createVertexBuffer(buffer, 2, 12, PYRO_VERTEX_XYZ, 0), 0);
    const uint8_t data[2] = {7, 9};
    EXPECT_EQ(buffer->update(data, 3, 2), 0);
    // With the default slot 2 (not supported) there is no buffer.
    std::unique_ptr<IPyroVertexBuffer> none;
    EXPECT_EQ(m_pyro.IPyroGraphicsDevice::createVertexBuffer(none, 2, 12, PYRO_VERTEX_XYZ, 0), 1);
    EXPECT_EQ(none, nullptr);
}

TEST(PyroFileStream, ForwardsToTheEngineStreamOrAnswersZero) {
    struct Stream : IDataStream {
        int32_t getSize() override { return 10; }
        int32_t seek(int32_t offset, int) override { return offset; }
        int32_t read(void*, int32_t count) override { return count / 2; }
        int32_t write(const void*, int32_t count) override { return count; }
        void close() override {}
    } stream;
    char buffer[8];
    cPyroFileStream over(&stream), none(nullptr);
    EXPECT_EQ(over.read(buffer, 8), 4);
    EXPECT_EQ(over.write(buffer, 3), 3);
    EXPECT_EQ(over.seek(5, IDataStream::SEEK_FROM_START), 5);
    EXPECT_EQ(none.read(buffer, 8), 0);
    EXPECT_EQ(none.write(buffer, 8), 0);
    EXPECT_EQ(none.seek(5, 0), 0);
    EXPECT_EQ(over.getHandle(), nullptr);
}
