#include "engine/media/ImageOutput.h"

#include "engine/media/ImageDecoder.h"
#include "tests/media/ImageFiles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace Engine;

namespace {

cBitmapInfoHeader header(int width, int height, int bits) {
    cBitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = uint16_t(bits);
    return h;
}

// Converts with rows of width x 3 bytes and returns them joined, or the error text.
std::string convert(const cBitmapInfoHeader& h, const std::vector<uint8_t>& pixels, bool& ok) {
    std::vector<uint8_t> out(size_t(h.width) * 3 * size_t(h.height), 0xEE);
    std::vector<uint8_t*> rows;
    for (int i = 0; i < h.height; ++i)
        rows.push_back(&out[size_t(i) * size_t(h.width) * 3]);
    std::string error = "old";
    ok = bitmapToRgbRows(&h, pixels.data(), h.width * 3, rows.data(), &error);
    return ok ? std::string(out.begin(), out.end()) : error;
}

} // namespace

TEST(ImageOutput, Rgb555ExpandsEachFieldThroughTheTable) {
    EXPECT_EQ(rgb555ToRgb(0x7FFF), 0xFFFFFFu);
    EXPECT_EQ(rgb555ToRgb(0x0421), 0x101010u);
    EXPECT_EQ(rgb555ToRgb(0x0000), 0x000000u);
    EXPECT_EQ(rgb555ToRgb(0x7C00), 0xFF0000u);
    EXPECT_EQ(rgb555ToRgb(uint16_t(30 << 5)), 0x00F800u);
}

TEST(ImageOutput, TwentyFourBitRowsArePaddedAndComeOutTopFirst) {
    // Width 5: 15 bytes of pixels padded to 16 per row; the first output row is the last source row.
    std::vector<uint8_t> pixels(32, 0);
    for (int x = 0; x < 5; ++x) {
        pixels[size_t(x) * 3 + 0] = uint8_t(10 + x); // bottom row: blue, green, red
        pixels[size_t(x) * 3 + 1] = uint8_t(20 + x);
        pixels[size_t(x) * 3 + 2] = uint8_t(30 + x);
        pixels[16 + size_t(x) * 3 + 0] = uint8_t(110 + x); // top row
        pixels[16 + size_t(x) * 3 + 1] = uint8_t(120 + x);
        pixels[16 + size_t(x) * 3 + 2] = uint8_t(130 + x);
    }
    bool ok = false;
    const std::string rows = convert(header(5, 2, 24), pixels, ok);
    ASSERT_TRUE(ok) << rows;
    const uint8_t expected[30] = {130, 120, 110, 131, 121, 111, 132, 122, 112, 133, 123, 113, 134, 124, 114,
                                  30,  20,  10,  31,  21,  11,  32,  22,  12,  33,  23,  13,  34,  24,  14};
    EXPECT_EQ(rows, std::string(reinterpret_cast<const char*>(expected), 30));
}

TEST(ImageOutput, SixteenAndThirtyTwoBitRowsConvertExactly) {
    // 16 bits, width 3: rows hold 4 pixels (8 bytes). Bottom row white, black, red; top row empty.
    const std::vector<uint8_t> sixteen = {0xFF, 0x7F, 0, 0, 0x00, 0x7C, 0xAA, 0xAA, 0, 0, 0x21, 0x04, 0, 0, 0, 0};
    bool ok = false;
    std::string rows = convert(header(3, 2, 16), sixteen, ok);
    ASSERT_TRUE(ok) << rows;
    EXPECT_EQ(rows, std::string("\0\0\0\x10\x10\x10\0\0\0\xFF\xFF\xFF\0\0\0\xFF\0\0", 18));

    // 32 bits: blue, green, red and an ignored byte.
    const std::vector<uint8_t> thirtyTwo = {1, 2, 3, 99, 4, 5, 6, 99};
    rows = convert(header(1, 2, 32), thirtyTwo, ok);
    ASSERT_TRUE(ok) << rows;
    EXPECT_EQ(rows, std::string("\x06\x05\x04\x03\x02\x01", 6));
}

TEST(ImageOutput, RefusesBadInputAndPaletteBitmaps) {
    const std::vector<uint8_t> pixels(64, 0);
    struct Case {
        int bits;
        const char* error;
    } cases[] = {{1, "Unsupported bitmap bit count"},
                 {4, "Unsupported bitmap bit count"},
                 {8, "Unsupported bitmap bit count"},
                 {7, "Invalid bitmap bit count"},
                 {64, "Invalid bitmap bit count"}};
    for (const Case& c : cases) {
        bool ok = true;
        EXPECT_EQ(convert(header(2, 2, c.bits), pixels, ok), c.error) << c.bits;
        EXPECT_FALSE(ok);
    }
    std::string error;
    uint8_t* rows[1] = {nullptr};
    EXPECT_FALSE(bitmapToRgbRows(nullptr, pixels.data(), 6, rows, &error));
    EXPECT_EQ(error, "Invalid input data");
    const cBitmapInfoHeader h = header(2, 1, 24);
    EXPECT_FALSE(bitmapToRgbRows(&h, pixels.data(), 0, rows, &error));
    EXPECT_EQ(error, "Invalid input data");
    EXPECT_FALSE(bitmapToRgbRows(&h, pixels.data(), 6, rows, nullptr));
}

TEST(ImageOutput, WritesAJpegThatDecodesBackToThePicture) {
    TestSupport::TempFolder folder;
    const TestImages::Pixels pixels = TestImages::pattern(16, 9);
    const std::vector<uint8_t> dib = TestImages::dib24(16, 9, pixels);
    const cBitmapInfoHeader h = header(16, 9, 24);
    const std::string path = folder.file("screenshot.jpg");
    std::string error = "old";
    ASSERT_TRUE(writeJpeg(&h, dib.data(), 80, std::wstring(path.begin(), path.end()), &error)) << error;
    EXPECT_EQ(error, "");

    const std::string bytes = folder.read("screenshot.jpg");
    cImage image;
    cImageDecoder::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image);
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 9);
    EXPECT_LE(TestImages::maxChannelDifference(image.pixels, pixels, false), 40);
}

TEST(ImageOutput, JpegWriterReportsFailuresWithoutThrowingOrLeavingFiles) {
    TestSupport::TempFolder folder;
    const std::vector<uint8_t> dib = TestImages::dib24(4, 4, TestImages::pattern(4, 4));
    const cBitmapInfoHeader h = header(4, 4, 24);
    std::string error;
    const std::string path = folder.file("shot.jpg");
    const std::wstring widePath(path.begin(), path.end());

    EXPECT_FALSE(writeJpeg(&h, dib.data(), 101, widePath, &error));
    EXPECT_EQ(error, "Invalid input data");
    EXPECT_FALSE(writeJpeg(&h, dib.data(), -1, widePath, &error));
    EXPECT_FALSE(writeJpeg(nullptr, dib.data(), 80, widePath, &error));
    EXPECT_FALSE(writeJpeg(&h, dib.data(), 80, L"", &error));
    EXPECT_FALSE(folder.exists("shot.jpg"));

    const cBitmapInfoHeader palette = header(4, 4, 8);
    EXPECT_FALSE(writeJpeg(&palette, dib.data(), 80, widePath, &error));
    EXPECT_EQ(error, "Unsupported bitmap bit count");
    EXPECT_FALSE(folder.exists("shot.jpg"));

    const std::string missing = folder.file("no/such/folder/shot.jpg");
    EXPECT_FALSE(writeJpeg(&h, dib.data(), 80, std::wstring(missing.begin(), missing.end()), &error));
    EXPECT_EQ(error, "Cannot open " + missing);
}

TEST(ImageOutput, JpegWriterReturnsWhenTheDiskIsFull) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "/dev/full is not available";
    const std::vector<uint8_t> dib = TestImages::dib24(64, 64, TestImages::pattern(64, 64));
    const cBitmapInfoHeader h = header(64, 64, 24);
    std::string error;
    EXPECT_FALSE(writeJpeg(&h, dib.data(), 80, L"/dev/full", &error));
    EXPECT_NE(error.find("Cannot write /dev/full"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}
