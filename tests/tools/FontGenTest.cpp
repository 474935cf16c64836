// Runs the built fontgen on the pinned DejaVu Sans and checks its files against FreeType.

#include "engine/media/FontResource.h"
#include "engine/media/PngDecoder.h"
#include "engine/platform/FontRasteriser.h"
#include "tests/support/TempFolder.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

using namespace Engine;

namespace {

constexpr int PIXEL_SIZE = 20;

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun runFontGen(const TestSupport::TempFolder& folder, const std::string& arguments) {
    const std::string command =
        "\"" + std::string(MEADOW_FONTGEN) + "\" " + arguments + " >" + folder.file("out.txt") + " 2>&1";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = folder.exists("out.txt") ? folder.read("out.txt") : "";
    return run;
}

// Hinted advances in whole pixels, as the tool takes them.
class FreeTypeFace {
public:
    FreeTypeFace(const char* path, int pixelSize) {
        EXPECT_EQ(FT_Init_FreeType(&m_library), 0);
        EXPECT_EQ(FT_New_Face(m_library, path, 0, &m_face), 0);
        FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(pixelSize));
    }
    ~FreeTypeFace() {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    int advance(unsigned long character) {
        FT_Load_Char(m_face, character, FT_LOAD_DEFAULT);
        return int((m_face->glyph->advance.x + 32) >> 6);
    }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

struct PixelRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// A glyph's rectangle in picture pixels, rows top first; fails when it is not on whole pixels.
PixelRect toPixels(const cFontGlyph& glyph, int width, int height) {
    const PixelRect rect{int(std::lround(glyph.uLeft * width)), int(std::lround((1.0f - glyph.vTop) * height)),
                         int(std::lround(glyph.uRight * width)), int(std::lround((1.0f - glyph.vBottom) * height))};
    EXPECT_FLOAT_EQ(rect.left, glyph.uLeft * width);
    EXPECT_FLOAT_EQ(rect.top, (1.0f - glyph.vTop) * height);
    return rect;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

class FontGen : public ::testing::Test {
protected:
    void generate(const std::string& ranges) {
        m_run = runFontGen(m_folder, std::string(Platform::getPinnedFontFile()) + " " + std::to_string(PIXEL_SIZE) +
                                         " " + m_folder.file("f") + " " + ranges);
        ASSERT_EQ(m_run.exitCode, 0) << m_run.output;
        const std::string font = m_folder.read("f.fnt");
        m_font = std::make_unique<cFontResource>("f.fnt", reinterpret_cast<const uint8_t*>(font.data()), font.size());
        const std::string png = m_folder.read("f.png");
        cPngDecoder::decode(reinterpret_cast<const uint8_t*>(png.data()), png.size(), m_picture);
    }
    uint8_t alphaAt(int x, int y) const { return uint8_t(m_picture.pixels[size_t(y * m_picture.width + x)] >> 24); }

    TestSupport::TempFolder m_folder;
    ToolRun m_run;
    std::unique_ptr<cFontResource> m_font;
    cImage m_picture;
};

} // namespace

TEST_F(FontGen, WritesContiguousRunsOfTheCoveredCharactersWithoutSpacesOrLineBreaks) {
    // 0xFFF0-0xFFF2 are unassigned: no font has them.
    generate("0x20-0x7E 0xA0-0xA2 10 13 0x5D0-0x5D2 0xFFF0-0xFFF2 0x41");

    std::vector<std::pair<int, int>> runs;
    for (const auto& entry : m_font->getRanges())
        runs.emplace_back(entry.second.first, entry.second.last);
    const std::vector<std::pair<int, int>> expected = {{0x21, 0x7E}, {0xA1, 0xA2}, {0x5D0, 0x5D2}};
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(m_font->getGlyphs().size(), size_t(0x7E - 0x21 + 1 + 2 + 3));
    for (wchar_t c : {0x20, 0xA0, 10, 13, 0xFFF0})
        EXPECT_FALSE(m_font->hasGlyph(c)) << int(c);

    FreeTypeFace face(Platform::getPinnedFontFile(), PIXEL_SIZE);
    EXPECT_NE(m_run.output.find("SpaceWidth: " + std::to_string(face.advance(0x20)) + "\n"), std::string::npos)
        << m_run.output;
}

TEST_F(FontGen, CellsAreAdvanceWideLineTallInsideThePictureAndHoldAllTheInk) {
    generate("0x21-0x7E 0xC0-0xC5 0x410-0x44F 0x5D0-0x5EA");
    ASSERT_TRUE(isPowerOfTwo(m_picture.width) && isPowerOfTwo(m_picture.height))
        << m_picture.width << "x" << m_picture.height;

    FreeTypeFace face(Platform::getPinnedFontFile(), PIXEL_SIZE);
    std::vector<bool> inCell(m_picture.pixels.size(), false);
    std::map<wchar_t, PixelRect> cells;
    int lineHeight = -1;
    for (const auto& entry : m_font->getRanges()) {
        for (int c = entry.second.first; c <= entry.second.last; ++c) {
            SCOPED_TRACE(c);
            cFontGlyph glyph;
            ASSERT_TRUE(m_font->findGlyph(wchar_t(c), glyph));
            const PixelRect cell = toPixels(glyph, m_picture.width, m_picture.height);
            ASSERT_TRUE(cell.left >= 0 && cell.top >= 0 && cell.right <= m_picture.width &&
                        cell.bottom <= m_picture.height);
            const int advance = face.advance(c);
            EXPECT_FLOAT_EQ(glyph.advance * m_picture.width, float(advance));
            // Wider than the advance only when ink overhangs, and then evenly on both sides.
            EXPECT_GE(cell.right - cell.left, advance);
            EXPECT_EQ((cell.right - cell.left - advance) % 2, 0);
            if (lineHeight < 0)
                lineHeight = cell.bottom - cell.top;
            EXPECT_EQ(cell.bottom - cell.top, lineHeight);
            for (int y = cell.top; y < cell.bottom; ++y)
                for (int x = cell.left; x < cell.right; ++x) {
                    EXPECT_FALSE(inCell[size_t(y * m_picture.width + x)]) << "cells overlap at " << x << "," << y;
                    inCell[size_t(y * m_picture.width + x)] = true;
                }
            cells[wchar_t(c)] = cell;
        }
    }
    EXPECT_GE(lineHeight, PIXEL_SIZE);

    int strayInk = 0;
    for (int y = 0; y < m_picture.height; ++y)
        for (int x = 0; x < m_picture.width; ++x) {
            const uint32_t pixel = m_picture.pixels[size_t(y * m_picture.width + x)];
            EXPECT_EQ(pixel & 0xFFFFFF, 0xFFFFFFu) << "not white at " << x << "," << y;
            if (!inCell[size_t(y * m_picture.width + x)] && (pixel >> 24) != 0)
                ++strayInk;
        }
    EXPECT_EQ(strayInk, 0);

    // Letters that sit on the baseline end their ink on the same row of their cells.
    auto lastInkRow = [&](wchar_t c) {
        const PixelRect& cell = cells.at(c);
        int last = -1;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (alphaAt(x, y) > 128)
                    last = y - cell.top;
        return last;
    };
    const int baseline = lastInkRow(L'H');
    EXPECT_GT(baseline, 0);
    for (wchar_t c : {L'E', L'x', L'1', L'z', wchar_t(0x410), wchar_t(0x5D0), wchar_t(0xC5)})
        EXPECT_EQ(lastInkRow(c), baseline) << int(c);
    EXPECT_GT(lastInkRow(L'g'), baseline);
}

TEST_F(FontGen, AnOutlineRingsEachLetterInInkAndWidensItsAdvance) {
    generate("0x41-0x5A --outline 2");
    FreeTypeFace face(Platform::getPinnedFontFile(), PIXEL_SIZE);
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        cFontGlyph glyph;
        ASSERT_TRUE(m_font->findGlyph(c, glyph));
        EXPECT_FLOAT_EQ(glyph.advance * m_picture.width, float(face.advance(c) + 2)) << char(c);
    }
    EXPECT_NE(m_run.output.find("SpaceWidth: " + std::to_string(face.advance(0x20) + 2) + "\n"), std::string::npos)
        << m_run.output;

    // Across the middle of the bar of 'I': clear, two pixels of ink (the outer one soft, as the
    // letter's own edge), the white letter with its blended edges, ink again, clear.
    cFontGlyph glyph;
    ASSERT_TRUE(m_font->findGlyph(L'I', glyph));
    const PixelRect cell = toPixels(glyph, m_picture.width, m_picture.height);
    const int y = (cell.top + cell.bottom) / 2;
    std::string row;
    for (int x = cell.left; x < cell.right; ++x) {
        const uint32_t pixel = m_picture.pixels[size_t(y * m_picture.width + x)];
        row += (pixel >> 24) == 0               ? 'T'
               : (pixel >> 24) < 255            ? 't'
               : (pixel & 0xFFFFFF) == 0x3B2A1A ? 'K'
               : (pixel & 0xFFFFFF) == 0xFFFFFF ? 'W'
                                                : 'M';
    }
    EXPECT_TRUE(std::regex_match(row, std::regex("T*(tK+|K{2,})M?W+M?(K+t|K{2,})T*"))) << row;
}

TEST_F(FontGen, RefusesBadArguments) {
    const std::string font = Platform::getPinnedFontFile();
    const std::vector<std::string> cases = {
        "",
        font + " 20 " + m_folder.file("f"),
        font + " 0 " + m_folder.file("f") + " 0x41",
        font + " 20 " + m_folder.file("f") + " 0x5A-0x41",
        font + " 20 " + m_folder.file("f") + " 0x10000",
        font + " 20 " + m_folder.file("f") + " A",
        font + " 20 " + m_folder.file("f") + " 0x41 --outline -1",
        font + " 20 " + m_folder.file("f") + " 0x41 --outline",
        m_folder.file("missing.ttf") + " 20 " + m_folder.file("f") + " 0x41",
    };
    for (const std::string& arguments : cases) {
        EXPECT_NE(runFontGen(m_folder, arguments).exitCode, 0) << arguments;
        EXPECT_FALSE(m_folder.exists("f.fnt")) << arguments;
    }
}
