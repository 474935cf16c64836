#include "engine/media/TextureFactory.h"

#include "engine/core/String.h"

#include "tests/media/ImageFiles.h"
#include "tests/media/MediaFixture.h"

using namespace Engine;

class TextureFactory : public MediaFixture {};

TEST_F(TextureFactory, IsASingletonReachedThroughItsGetter) {
    EXPECT_EQ(getTextureFactory(), m_factory.get());
    EXPECT_EQ(m_factory->getRenderDevice(), &m_device);
    try {
        cTextureFactory second(&m_device);
        FAIL() << "a second factory was made";
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
}

TEST_F(TextureFactory, EmptyTexturesAreTransparentBlack) {
    Platform::tTextureHandle texture = 0;
    m_factory->createTexture(nullptr, 0, texture, Platform::POOL_MANAGED, nullptr, 64, 32);
    int width = 0, height = 0;
    m_factory->getTextureSize(texture, width, height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(m_device.getTexels(texture), std::vector<uint32_t>(64 * 32, 0u));
    m_factory->releaseTexture(texture);
    EXPECT_EQ(m_device.getTextureCount(), 0u);
}

TEST_F(TextureFactory, DefaultPoolOutOfVideoMemoryRetriesOnceInTheManagedPool) {
    m_device.setPoolFailure(Platform::POOL_DEFAULT, Platform::RESULT_OUT_OF_VIDEO_MEMORY);
    Platform::tTextureHandle texture = 0;
    m_factory->createTexture(nullptr, 0, texture, Platform::POOL_DEFAULT, nullptr, 8, 8);
    EXPECT_EQ(m_device.getTexturePool(texture), Platform::POOL_MANAGED);

    Platform::tBufferHandle vertices = 0, indices = 0;
    EXPECT_EQ(m_factory->createVertexBuffer(4, 24, 0x142, vertices, Platform::POOL_DEFAULT), Platform::RESULT_OK);
    EXPECT_EQ(m_device.getBufferBytes(vertices).size(), 96u);
    EXPECT_EQ(m_factory->createIndexBuffer(6, indices, Platform::POOL_DEFAULT), Platform::RESULT_OK);
    EXPECT_EQ(m_device.getBufferBytes(indices).size(), 12u);

    // No retry for the managed pool, nor for other failures.
    m_device.setPoolFailure(Platform::POOL_MANAGED, Platform::RESULT_OUT_OF_MEMORY);
    EXPECT_EQ(m_factory->createIndexBuffer(6, indices, Platform::POOL_MANAGED), Platform::RESULT_OUT_OF_MEMORY);
    try {
        m_factory->createTexture(nullptr, 0, texture, Platform::POOL_DEFAULT, nullptr, 8, 8);
        FAIL() << "no error";
    } catch (const cStringA& text) {
        EXPECT_EQ(text, "Direct3D function call failed\nCreateTexture(...)\nE_OUTOFMEMORY");
    }
}

TEST_F(TextureFactory, DecodesFileBytesAndReportsTheImageSize) {
    const TestImages::Pixels pixels = TestImages::pattern(5, 3);
    const std::string file = TestImages::png(5, 3, pixels);
    m_device.setNonPowerOfTwo(false);
    Platform::tTextureHandle texture = 0;
    cImageInfo info;
    m_factory->createTexture(reinterpret_cast<const uint8_t*>(file.data()), file.size(), texture,
                             Platform::POOL_MANAGED, &info, 0, 0);
    EXPECT_EQ(info.width, 5u);
    EXPECT_EQ(info.height, 3u);
    int width = 0, height = 0;
    m_factory->getTextureSize(texture, width, height);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 4);
    const std::vector<uint32_t> texels = m_device.getTexels(texture);
    EXPECT_EQ(texels[8 + 4], pixels[5 + 4]);

    // Too large for the device even as powers of two: the device's refusal is reported.
    m_device.setMaxTextureSize(4);
    try {
        m_factory->createTexture(reinterpret_cast<const uint8_t*>(file.data()), file.size(), texture,
                                 Platform::POOL_MANAGED, &info, 0, 0);
        FAIL() << "no error";
    } catch (const cStringA& text) {
        EXPECT_EQ(text, "Direct3D function call failed\nD3DXCreateTextureFromFileInMemoryEx(...)\nD3DERR_INVALIDCALL");
    }
}
