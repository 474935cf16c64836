#include "engine/media/ImageDecoder.h"
#include "engine/media/DdsDecoder.h"

#include "engine/core/String.h"
#include "tests/media/ImageFiles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Engine;
using TestImages::Pixels;

namespace {

cImage decodeBytes(const std::string& bytes) {
    cImage image;
    cImageDecoder::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image);
    return image;
}

// The message of the narrow cString the decoder throws, or "" when it decodes.
std::string decodeError(const std::string& bytes) {
    try {
        decodeBytes(bytes);
    } catch (const cStringA& error) {
        return error;
    }
    return std::string();
}

Pixels opaque(Pixels pixels) {
    for (uint32_t& p : pixels)
        p |= 0xFF000000u;
    return pixels;
}

struct FormatCase {
    const char* name;
    std::function<std::string(int, int, const Pixels&)> write;
    bool keepsAlpha;
    int tolerance; // per channel; lossy formats only
};

const FormatCase kFormats[] = {
    {"PNG", [](int w, int h, const Pixels& p) { return TestImages::png(w, h, p, true); }, true, 0},
    {"PNG", [](int w, int h, const Pixels& p) { return TestImages::png(w, h, p, false); }, false, 0},
    {"BMP", [](int w, int h, const Pixels& p) { return TestImages::bmp(w, h, p, 24); }, false, 0},
    {"TGA", [](int w, int h, const Pixels& p) { return TestImages::tga(w, h, p, 32, false); }, true, 0},
    {"TGA", [](int w, int h, const Pixels& p) { return TestImages::tga(w, h, p, 24, true); }, false, 0},
    {"DDS", [](int w, int h, const Pixels& p) { return TestImages::ddsArgb(w, h, p); }, true, 0},
    {"JPEG", [](int w, int h, const Pixels& p) { return TestImages::jpeg(w, h, p); }, false, 40},
    {"JNG", [](int w, int h, const Pixels& p) { return TestImages::jng(w, h, p, true); }, true, 40},
};

} // namespace

TEST(ImageDecoder, DecodesEachFormatToTheWrittenPixels) {
    const int width = 13, height = 7;
    const Pixels pixels = TestImages::pattern(width, height);
    for (const FormatCase& format : kFormats) {
        SCOPED_TRACE(format.name);
        const cImage image = decodeBytes(format.write(width, height, pixels));
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        const Pixels expected = format.keepsAlpha ? pixels : opaque(pixels);
        if (format.tolerance == 0) {
            EXPECT_EQ(image.pixels, expected);
        } else {
            // Alpha of a lossy colour image is still exact when it travels losslessly (JNG); the
            // colour of a fully transparent pixel may come out black.
            Pixels decoded = image.pixels, wanted = expected;
            for (size_t i = 0; i < wanted.size(); ++i)
                if ((wanted[i] >> 24) == 0)
                    decoded[i] = wanted[i] = 0;
            EXPECT_LE(TestImages::maxChannelDifference(decoded, wanted, false), format.tolerance);
            for (size_t i = 0; i < expected.size(); ++i)
                ASSERT_EQ(image.pixels[i] >> 24, expected[i] >> 24) << "pixel " << i;
        }
    }
}

TEST(ImageDecoder, CutOrDamagedFilesOfEachFormatGiveAnErrorNamingTheFormat) {
    const Pixels pixels = TestImages::pattern(9, 6);
    for (const FormatCase& format : kFormats) {
        SCOPED_TRACE(format.name);
        const std::string whole = format.write(9, 6, pixels);
        for (size_t length : {size_t(1), size_t(10), whole.size() / 2, whole.size() - 1}) {
            SCOPED_TRACE(length);
            const std::string error = decodeError(whole.substr(0, length));
            EXPECT_FALSE(error.empty());
            // A single byte is too short to tell the format by.
            if (length > 1) {
                EXPECT_NE(error.find(format.name), std::string::npos) << error;
            }
        }
        // Damaged bytes must not crash; most give an error, a few decode to other colours.
        std::string damaged = whole;
        for (size_t i = 20; i < damaged.size(); i += 7)
            damaged[i] = char(damaged[i] ^ 0x5A);
        decodeError(damaged);
    }
}

namespace {

void putLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i) & 0xFF);
}

// A palette BMP with run-length encoded rows: red, green, blue and white as entries 0 to 3.
std::string rleBmp(int width, int height, int bits, const std::string& runs) {
    const uint32_t compression = bits == 8 ? 1 : 2;
    const uint32_t dataOffset = 14 + 40 + 4 * 4;
    std::string out = "BM";
    putLE(out, dataOffset + uint32_t(runs.size()), 4);
    putLE(out, 0, 4);
    putLE(out, dataOffset, 4);
    putLE(out, 40, 4);
    putLE(out, uint32_t(width), 4);
    putLE(out, uint32_t(height), 4);
    putLE(out, 1, 2);
    putLE(out, uint32_t(bits), 2);
    putLE(out, compression, 4);
    putLE(out, uint32_t(runs.size()), 4);
    putLE(out, 2835, 4);
    putLE(out, 2835, 4);
    putLE(out, 4, 4);
    putLE(out, 0, 4);
    for (uint32_t colour : {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu})
        putLE(out, colour, 4);
    return out + runs;
}

std::string bytesOf(std::initializer_list<int> values) {
    std::string out;
    for (int value : values)
        out += char(value);
    return out;
}

constexpr uint32_t R = 0xFFFF0000u, G = 0xFF00FF00u, B = 0xFF0000FFu, W = 0xFFFFFFFFu;

} // namespace

TEST(ImageDecoder, RunLengthEncodedBmpDecodes) {
    // Bottom row first: a run; three stored pixels and a run; a run, a skipped pixel, a run.
    const std::string rle8 = rleBmp(5, 3, 8, bytesOf({5, 0, 0, 0,                   // red x5, end of line
                                                      0, 3, 1, 2, 3, 0, 2, 1, 0, 0, // stored 1 2 3 (padded), green x2
                                                      2, 2, 0, 2, 1, 0, 2, 3,       // blue x2, skip one, white x2
                                                      0, 1}));
    cImage image = decodeBytes(rle8);
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 3);
    // A skipped pixel takes palette entry 0.
    EXPECT_EQ(image.pixels, (Pixels{B, B, R, W, W, G, B, W, G, G, R, R, R, R, R}));

    const std::string rle4 = rleBmp(5, 1, 4, bytesOf({4, 0x12, 0, 3, 0x30, 0, 0, 1}));
    image = decodeBytes(rle4);
    EXPECT_EQ(image.pixels, (Pixels{G, B, G, B, W}));

    for (size_t length : {rle8.size() - 1, rle8.size() - 8, size_t(60)})
        EXPECT_NE(decodeError(rle8.substr(0, length)).find("BMP"), std::string::npos) << length;
}

TEST(ImageDecoder, CmykAndYcckJpegDecodeToRgb) {
    // Red: no cyan, full magenta and yellow, no black; Adobe's files store the inks inverted.
    const uint8_t inverted[4] = {255, 0, 0, 255};
    const uint8_t plain[4] = {0, 255, 255, 0};
    struct Case {
        const char* name;
        bool ycck;
        bool adobe;
    } cases[] = {{"CMYK Adobe", false, true}, {"YCCK Adobe", true, true}, {"CMYK plain", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cImage image = decodeBytes(TestImages::jpegInks(16, 8, c.adobe ? inverted : plain, c.ycck, c.adobe));
        ASSERT_EQ(image.width, 16);
        ASSERT_EQ(image.height, 8);
        EXPECT_LE(TestImages::maxChannelDifference(image.pixels, Pixels(16 * 8, R)), 4);
    }
}

TEST(ImageDecoder, RefusesEmptyPowerVrAndOversizedImages) {
    EXPECT_EQ(decodeError(""), "Image file is empty");

    std::string pvr(52, '\0');
    pvr.replace(44, 4, "PVR!");
    EXPECT_EQ(decodeError(pvr), "PowerVR textures are not supported");
    // Exactly 48 bytes is not a PowerVR file; it is tried as TGA and refused as such.
    EXPECT_NE(decodeError(pvr.substr(0, 48)), "PowerVR textures are not supported");

    const std::string huge = TestImages::ddsBlocks(70000, 4, "DXT1", std::string(64, '\0'));
    EXPECT_NE(decodeError(huge).find("too large"), std::string::npos);
    EXPECT_NE(decodeError(TestImages::ddsBlocks(8, 8, "DXT2", std::string(64, '\0'))).find("not supported"),
              std::string::npos);
}

TEST(ImageDecoder, TellsFormatsBySignature) {
    auto detect = [](const std::string& bytes) {
        return cImageDecoder::detectFormat(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(detect("\x89PNG\r\n"), IMAGE_PNG);
    EXPECT_EQ(detect("\x8BJNG\r\n"), IMAGE_JNG);
    EXPECT_EQ(detect("\xFF\xD8\xFF\xE0"), IMAGE_JPEG);
    EXPECT_EQ(detect("DDS |"), IMAGE_DDS);
    EXPECT_EQ(detect("BM...."), IMAGE_BMP);
    EXPECT_EQ(detect(std::string(18, '\0')), IMAGE_TGA);
}

TEST(DdsDecoder, DecodesDxtBlocks) {
    // Colour 0 pure red, colour 1 pure blue; indices 0, 1, 2, 3 along the first row.
    const uint8_t dxt1[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0, 0, 0};
    uint32_t out[16];
    cDdsDecoder::decodeDxt1Block(dxt1, out);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[1], 0xFF0000FFu);
    EXPECT_EQ(out[2], 0xFFAA0055u);
    EXPECT_EQ(out[3], 0xFF5500AAu);
    EXPECT_EQ(out[4], 0xFFFF0000u);

    // Colour 0 <= colour 1: three colours and transparent black at index 3.
    const uint8_t dxt1Alpha[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};
    cDdsDecoder::decodeDxt1Block(dxt1Alpha, out);
    EXPECT_EQ(out[2], 0xFF7F007Fu);
    EXPECT_EQ(out[3], 0x00000000u);

    // DXT3: explicit 4-bit alpha, 0xF -> 255, 0x1 -> 17.
    uint8_t dxt3[16] = {0x1F, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};
    cDdsDecoder::decodeDxt3Block(dxt3, out);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[1], 0x11FF0000u);
    EXPECT_EQ(out[2], 0x00FF0000u);

    // DXT5: alpha 255 and 0 with six steps between; indices 0, 1, 2, 7 on the first row.
    uint8_t dxt5[16] = {255, 0, 0x88, 0x0E, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};
    cDdsDecoder::decodeDxt5Block(dxt5, out);
    EXPECT_EQ(out[0] >> 24, 255u);
    EXPECT_EQ(out[1] >> 24, 0u);
    EXPECT_EQ(out[2] >> 24, 218u);
    EXPECT_EQ(out[3] >> 24, 36u);
    // alpha0 <= alpha1: four steps, then 0 and 255 at indices 6 and 7.
    uint8_t dxt5Six[16] = {0, 100, 0xBE, 0x00, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};
    cDdsDecoder::decodeDxt5Block(dxt5Six, out);
    EXPECT_EQ(out[0] >> 24, 0u);
    EXPECT_EQ(out[1] >> 24, 255u);
    EXPECT_EQ(out[2] >> 24, 20u);
}

TEST(DdsDecoder, CompressedImagesCutPartialBlocksAtTheEdge) {
    // A 6 x 5 DXT5 image takes 2 x 2 blocks; every block opaque red except the last, blue.
    const std::string red =
        std::string("\xFF\xFF", 2) + std::string(6, '\0') + std::string("\x00\xF8\x00\xF8", 4) + std::string(4, '\0');
    const std::string blue =
        std::string("\xFF\xFF", 2) + std::string(6, '\0') + std::string("\x1F\x00\x1F\x00", 4) + std::string(4, '\0');
    const cImage image = decodeBytes(TestImages::ddsBlocks(6, 5, "DXT5", red + red + red + blue));
    ASSERT_EQ(image.pixels.size(), 30u);
    EXPECT_EQ(image.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image.pixels[4 * 6 + 5], 0xFF0000FFu);
    EXPECT_EQ(image.pixels[3 * 6 + 5], 0xFFFF0000u);

    // A block short, or a byte short of a DXT1 block, is a truncated file.
    EXPECT_EQ(decodeError(TestImages::ddsBlocks(6, 5, "DXT5", red + red + red)), "DDS data is truncated");
    EXPECT_EQ(decodeError(TestImages::ddsBlocks(4, 4, "DXT1", std::string(7, '\0'))), "DDS data is truncated");
}

TEST(DdsDecoder, UncompressedSurfacesFollowTheirMasks) {
    struct Case {
        const char* name;
        uint32_t flags, bits;
        uint32_t masks[4];
        std::string data;
        uint32_t first, second;
    } cases[] = {
        // R5G6B5: pure red, then the middle of green.
        {"R5G6B5", 0x40, 16, {0xF800, 0x07E0, 0x001F, 0}, std::string("\x00\xF8\x00\x04", 4), 0xFFFF0000u, 0xFF008200u},
        // A1R5G5B5 with the alpha bit.
        {"A1R5G5B5",
         0x41,
         16,
         {0x7C00, 0x03E0, 0x001F, 0x8000},
         std::string("\x1F\x80\x1F\x00", 4),
         0xFF0000FFu,
         0x000000FFu},
        {"R8G8B8",
         0x40,
         24,
         {0xFF0000, 0xFF00, 0xFF, 0},
         std::string("\x01\x02\x03\x04\x05\x06", 6),
         0xFF030201u,
         0xFF060504u},
        {"L8", 0x20000, 8, {0xFF, 0, 0, 0}, std::string("\x10\xF0", 2), 0xFF101010u, 0xFFF0F0F0u},
        {"A8", 0x2, 8, {0, 0, 0, 0xFF}, std::string("\x00\x80", 2), 0x00000000u, 0x80000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cImage image = decodeBytes(TestImages::ddsMasked(2, 1, c.flags, c.bits, c.masks, c.data));
        ASSERT_EQ(image.pixels.size(), 2u);
        EXPECT_EQ(image.pixels[0], c.first);
        EXPECT_EQ(image.pixels[1], c.second);
        // One byte short is a truncated file.
        EXPECT_EQ(decodeError(TestImages::ddsMasked(2, 1, c.flags, c.bits, c.masks, c.data.substr(1))),
                  "DDS data is truncated");
    }
}
