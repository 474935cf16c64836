#include "engine/media/ImageReader.h"

#include "engine/media/ImageDecoder.h"
#include "tests/media/ImageFiles.h"
#include "tests/media/MediaFixture.h"

using namespace Engine;

class ImageReader : public MediaFixture {
protected:
    cImageReader m_reader;
};

TEST_F(ImageReader, ReadsColoursRowByRow) {
    const TestImages::Pixels pixels = TestImages::pattern(6, 3);
    writeData("pics/p.png", TestImages::png(6, 3, pixels));
    start();
    std::vector<cColor> colors;
    int width = 0, height = 0;
    EXPECT_EQ(m_reader.loadImagePixels("pics/p.png", colors, width, height), 0);
    EXPECT_EQ(width, 6);
    EXPECT_EQ(height, 3);
    ASSERT_EQ(colors.size(), 18u);
    cColor expected;
    expected.fromARGB(pixels[2 * 6 + 4]);
    EXPECT_EQ(colors[2 * 6 + 4], expected);
}

TEST_F(ImageReader, AlphaMaskSetsEveryPixelWhoseAlphaIsNotZero) {
    TestImages::Pixels pixels(4 * 2, 0xFF102030u);
    pixels[1] = 0x00FFFFFFu; // transparent
    pixels[6] = 0x01000000u; // barely visible
    writeData("mask.tga", TestImages::tga(4, 2, pixels, 32, false));
    start();
    cBitMask mask;
    EXPECT_EQ(m_reader.loadAlphaMask("mask.tga", mask), 0);
    EXPECT_EQ(mask.getWidth(), 4u);
    EXPECT_EQ(mask.getHeight(), 2u);
    for (size_t row = 0; row < 2; ++row)
        for (size_t column = 0; column < 4; ++column)
            EXPECT_EQ(mask.isSet(column, row), !(row == 0 && column == 1)) << column << "," << row;
}

TEST_F(ImageReader, PowerVrFilesFillNothingAndBadFilesNameThemselves) {
    std::string pvr(64, '\0');
    pvr.replace(44, 4, "PVR!");
    writeData("phone.pvr", pvr);
    writeData("broken.bmp", "BM and nothing else");
    start();
    cBitMask mask;
    mask.resize(2, 2);
    mask.set(1, 1, 9);
    EXPECT_EQ(m_reader.loadAlphaMask("phone.pvr", mask), 0);
    EXPECT_EQ(mask.getWidth(), 2u);
    EXPECT_TRUE(mask.isSet(1, 1));
    std::vector<cColor> colors(3);
    int width = -1, height = -1;
    EXPECT_EQ(m_reader.loadImagePixels("phone.pvr", colors, width, height), 0);
    EXPECT_EQ(colors.size(), 3u);
    EXPECT_EQ(width, -1);

    try {
        m_reader.loadAlphaMask("broken.bmp", mask);
        FAIL() << "no error";
    } catch (const cImageError& error) {
        EXPECT_EQ(error.find("Cannot read image \"broken.bmp\": BMP"), 0u) << error;
    }
}
