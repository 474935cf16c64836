#include "engine/media/TextTexture.h"

#include "tests/media/MediaFixture.h"

using namespace Engine;

class TextTexture : public MediaFixture {};

TEST_F(TextTexture, DrawsWhiteInkOnTransparentBlack) {
    cTextTexture text(L"Meadow 42");
    EXPECT_EQ(text.getKind(), RESOURCE_TEXT_TEXTURE);
    EXPECT_EQ(text.getRefCount(), 1);
    const cIntPair size = text.getSizeRef();
    EXPECT_GT(size.x, 30);
    EXPECT_GT(size.y, 8);
    EXPECT_EQ(text.getImageSize(), size);
    EXPECT_EQ(text.getUvScale(), cVector2(1.0f, 1.0f));
    EXPECT_EQ(text.getHalfTexel(), cVector2(0.5f / float(size.x), 0.5f / float(size.y)));

    const std::vector<uint32_t> texels = m_device.getTexels(text.getDeviceTexture());
    ASSERT_EQ(texels.size(), size_t(size.x) * size_t(size.y));
    size_t ink = 0, clear = 0;
    for (uint32_t texel : texels) {
        const uint32_t c = texel & 0xFF;
        ASSERT_EQ(texel, c << 24 | c << 16 | c << 8 | c); // grey level = alpha
        ink += c == 255;
        clear += c == 0;
    }
    EXPECT_GT(ink, 20u);
    EXPECT_GT(clear, texels.size() / 2);
    EXPECT_EQ(texels[0], 0u);

    cTextTexture longer(L"Meadow 42 and more");
    EXPECT_GT(longer.getSizeRef().x, size.x);
    EXPECT_EQ(longer.getSizeRef().y, size.y);
}

TEST_F(TextTexture, EmptyTextReleasesTheTextureAndLeavesSizeOne) {
    cTextTexture text(L"Score");
    ASSERT_NE(text.getDeviceTexture(), 0u);
    text.setText(L"");
    EXPECT_EQ(text.getDeviceTexture(), 0u);
    EXPECT_EQ(m_device.getTextureCount(), 0u);
    EXPECT_EQ(text.getSizeRef(), cIntPair(1, 1));
    EXPECT_EQ(text.getImageSize(), cIntPair(1, 1));
    EXPECT_EQ(text.getHalfTexel(), cVector2(0.5f, 0.5f));
    EXPECT_EQ(text.getText(), L"");
}

TEST_F(TextTexture, MemoryCounterStaysExactAcrossRenders) {
    m_device.setNonPowerOfTwo(false);
    {
        cTextTexture text(L"1");
        for (const wchar_t* value : {L"10", L"100", L"", L"1000 points", L"1000 points"}) {
            text.setText(value);
            int width = 0, height = 0;
            m_factory->getTextureSize(text.getDeviceTexture(), width, height);
            EXPECT_EQ(m_factory->getTextureMemory(), width * height * 4) << value;
        }
        text.load();
        EXPECT_EQ(m_device.getTextureCount(), 1u);
        // The real texture is larger; the sizes keep the text's extent and the scale maps it.
        int width = 0, height = 0;
        m_factory->getTextureSize(text.getDeviceTexture(), width, height);
        EXPECT_EQ(text.getUvScale(),
                  cVector2(float(text.getSizeRef().x) / float(width), float(text.getSizeRef().y) / float(height)));
        text.unload();
        EXPECT_EQ(m_factory->getTextureMemory(), 0);
        text.load();
    }
    EXPECT_EQ(m_factory->getTextureMemory(), 0);
    EXPECT_EQ(m_device.getTextureCount(), 0u);
}
