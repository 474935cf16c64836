#include "engine/platform/headless/RecordingRenderDevice.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(RecordingRenderDevice, TexturesKeepTheirTexelsAndRefuseSizesTheDeviceDoesNotTake) {
    cRecordingRenderDevice device;
    tTextureHandle texture = 0;
    ASSERT_EQ(device.createTexture(3, 2, POOL_MANAGED, texture), RESULT_OK);
    const uint32_t rows[2][4] = {{1, 2, 99, 99}, {3, 4, 99, 99}}; // pitch of 4 texels
    device.updateTexture(texture, 1, 0, 2, 2, &rows[0][0], 16);
    EXPECT_EQ(device.getTexels(texture), (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));
    device.updateTexture(texture, 2, 0, 2, 2, &rows[0][0], 16); // outside: ignored
    EXPECT_EQ(device.getTexels(texture), (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));

    device.setNonPowerOfTwo(false);
    tTextureHandle other = 0;
    EXPECT_EQ(device.createTexture(3, 2, POOL_MANAGED, other), RESULT_INVALID_CALL);
    EXPECT_EQ(other, 0u);
    EXPECT_EQ(device.createTexture(4, 2, POOL_MANAGED, other), RESULT_OK);
    device.setMaxTextureSize(2);
    EXPECT_EQ(device.createTexture(4, 2, POOL_MANAGED, other), RESULT_INVALID_CALL);
    device.setPoolFailure(POOL_DEFAULT, RESULT_OUT_OF_VIDEO_MEMORY);
    EXPECT_EQ(device.createTexture(2, 2, POOL_DEFAULT, other), RESULT_OUT_OF_VIDEO_MEMORY);
    EXPECT_EQ(device.getTextureCount(), 2u);

    device.destroyTexture(texture);
    int width = 0, height = 0;
    EXPECT_FALSE(device.getTextureSize(texture, width, height));
    EXPECT_EQ(device.getCalls().front(), "createTexture 3x2 pool 1 -> 1");
    EXPECT_EQ(device.getCalls().back(), "destroyTexture 1");
}

TEST(RecordingRenderDevice, BuffersLockOnceAndKeepWhatWasWritten) {
    cRecordingRenderDevice device;
    tBufferHandle buffer = 0;
    ASSERT_EQ(device.createIndexBuffer(4, true, POOL_DEFAULT, buffer), RESULT_OK);
    auto* indices = static_cast<uint16_t*>(device.lockBuffer(buffer, true));
    ASSERT_NE(indices, nullptr);
    EXPECT_EQ(device.lockBuffer(buffer, false), nullptr); // already locked
    indices[0] = 7;
    indices[1] = 9;
    device.unlockBuffer(buffer);
    EXPECT_EQ(device.getBufferBytes(buffer), (std::vector<uint8_t>{7, 0, 9, 0}));
    tBufferHandle empty = 5;
    EXPECT_EQ(device.createVertexBuffer(0, 0x142, false, POOL_MANAGED, empty), RESULT_INVALID_CALL);
    EXPECT_EQ(empty, 0u);
    device.destroyBuffer(buffer);
    EXPECT_EQ(device.getBufferCount(), 0u);
}
