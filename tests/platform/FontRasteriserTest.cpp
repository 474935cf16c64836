#include "engine/platform/FontRasteriser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

using namespace Platform;

namespace {

cFontDesc systemFont() {
    cFontDesc desc;
    desc.face = "Curier New";
    desc.pixelHeight = 13;
    desc.bold = true;
    return desc;
}

// Bounding box of the ink of a rendered line: left, top, right, bottom (exclusive).
std::vector<int> inkBox(const std::vector<uint8_t>& coverage, int width, int height) {
    std::vector<int> box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (coverage[size_t(y) * size_t(width) + size_t(x)]) {
                box[0] = std::min(box[0], x);
                box[1] = std::min(box[1], y);
                box[2] = std::max(box[2], x + 1);
                box[3] = std::max(box[3], y + 1);
            }
    return box;
}

} // namespace

TEST(FontRasteriser, HeadlessRunsUseThePinnedFontAndDrawInsideTheMeasuredBox) {
    ASSERT_TRUE(std::filesystem::exists(getPinnedFontFile())) << getPinnedFontFile();
    auto font = createFontRasteriser(systemFont());
    int width = 0, height = 0;
    font->measure(L"Hello, Meadow", width, height);
    EXPECT_GT(width, 60);
    EXPECT_GE(height, 13);
    EXPECT_LE(height, 20);

    std::vector<uint8_t> coverage(size_t(width) * size_t(height), 0);
    font->render(L"Hello, Meadow", coverage.data(), width, height);
    const std::vector<int> box = inkBox(coverage, width, height);
    EXPECT_LE(box[0], 2);
    EXPECT_GE(box[2], width - 3);
    EXPECT_GT(box[3] - box[1], 8);
    EXPECT_EQ(*std::max_element(coverage.begin(), coverage.end()), 255);

    int emptyWidth = -1, emptyHeight = -1;
    font->measure(L"", emptyWidth, emptyHeight);
    EXPECT_EQ(emptyWidth, 0);
    EXPECT_EQ(emptyHeight, height);
}

TEST(FontRasteriser, SurrogatePairsAreOneCharacterAndSmallBuffersCut) {
    auto font = createFontRasteriser(systemFont());
    int pairWidth = 0, unitsWidth = 0, height = 0;
    // U+1D400 (mathematical bold A) as a surrogate pair measures as one glyph, not two.
    font->measure(std::wstring{wchar_t(0xD835), wchar_t(0xDC00)}, pairWidth, height);
    font->measure(std::wstring{wchar_t(0xD835)} + std::wstring{wchar_t(0xD835)}, unitsWidth, height);
    EXPECT_NE(pairWidth, unitsWidth);

    // A buffer smaller than the line takes what fits and nothing outside it.
    std::vector<uint8_t> small(10 * 4 + 16, 0xEE);
    std::fill(small.begin(), small.begin() + 40, 0);
    font->render(L"WWWWWWWW", small.data(), 10, 4);
    EXPECT_TRUE(std::all_of(small.begin() + 40, small.end(), [](uint8_t b) { return b == 0xEE; }));
}

TEST(FontRasteriser, BoldIsWiderThanRegularAndAMissingFileIsReported) {
    cFontDesc regular = systemFont();
    regular.bold = false;
    int boldWidth = 0, regularWidth = 0, height = 0;
    createFontRasteriser(systemFont())->measure(L"Meadow meadow", boldWidth, height);
    createFontRasteriser(regular)->measure(L"Meadow meadow", regularWidth, height);
    EXPECT_GT(boldWidth, regularWidth);

    try {
        createFontRasteriserFromFile("/no/such/font.ttf", regular);
        FAIL() << "no error";
    } catch (const std::string& text) {
        EXPECT_EQ(text, "Cannot open font file /no/such/font.ttf");
    }
}
