// A line of the shipped text font drawn by a label on OpenGL (Mesa EGL, software): every
// letter's ink lies inside the cell the font gives it, and the letters stand on one baseline.
// Without EGL the test is skipped.

#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/media/FontResource.h"
#include "engine/media/Texture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

std::string shipped(const std::string& name) {
    std::ifstream file(std::string(MEADOW_SHIPPED_DATA_DIR) + "/Fonts/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

} // namespace

TEST(LabelPixelTest, ShippedTextFontDrawsEachLetterInItsCellOnOneBaseline) {
    const std::string fontBytes = shipped("Text16.fnt");
    ASSERT_FALSE(fontBytes.empty());
    UiHarness ui;
    ui.writeFile("Fonts/Text16.fnt", fontBytes);
    ui.writeFile("Fonts/Text16.png", shipped("Text16.png"));
    ui.writeFile("line.xml", "<L Visible=\"1\" position=\"100,100\" Align=\"1\" Font=\"Fonts/Text16.fnt\" "
                             "Texture=\"Fonts/Text16.png\" SpaceWidth=\"5\" Multiplier=\"2\" String=\"Meadow\"/>");
    std::string reason;
    if (!ui.startGl(reason))
        GTEST_SKIP() << "No headless OpenGL: " << reason;

    cLabel label(nullptr);
    label.loadXML(ui.layout("line.xml"));
    ui.step();

    // Each letter's cell, worked out from the font file alone.
    const cFontResource font("Text16.fnt", reinterpret_cast<const uint8_t*>(fontBytes.data()), fontBytes.size());
    const float width = float(label.getPicture()->getImageSize().x);
    const float height = float(label.getPicture()->getImageSize().y);
    const float scale = 2;
    std::vector<Box> cells;
    float x = 100;
    for (wchar_t c : std::wstring(L"Meadow")) {
        cFontGlyph glyph;
        ASSERT_TRUE(font.findGlyph(c, glyph));
        const float advance = glyph.advance * width * scale;
        const float w = (glyph.uRight - glyph.uLeft) * width * scale;
        const float h = (glyph.vTop - glyph.vBottom) * height * scale;
        const float centre = x + advance / 2;
        cells.push_back({int(centre - w / 2), int(100 - h / 2), int(centre + w / 2), int(100 + h / 2)});
        x += advance;
    }

    const int left = 80, top = 50, right = int(x) + 20, bottom = 150;
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(ui.renderDevice().readBackBuffer(left, top, right - left, bottom - top, pixels));
    auto inked = [&](int px, int py) {
        return ((pixels[size_t((py - top) * (right - left) + (px - left))] >> 8) & 0xFF) > 96;
    };

    // No ink outside the cells.
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px) {
            if (!inked(px, py))
                continue;
            bool inside = false;
            for (const Box& cell : cells)
                inside = inside ||
                         (px >= cell.left - 1 && px <= cell.right + 1 && py >= cell.top - 1 && py <= cell.bottom + 1);
            EXPECT_TRUE(inside) << "ink at " << px << "," << py;
        }
    // Ink in every cell, and the lowest inked row the same for every letter.
    std::vector<int> baselines;
    for (const Box& cell : cells) {
        int lowest = -1;
        for (int py = std::max(cell.top, top); py <= std::min(cell.bottom, bottom - 1); ++py)
            for (int px = std::max(cell.left, left); px <= std::min(cell.right, right - 1); ++px)
                if (inked(px, py))
                    lowest = py;
        EXPECT_GE(lowest, 0) << "no ink in the cell at " << cell.left;
        baselines.push_back(lowest);
    }
    for (int baseline : baselines)
        EXPECT_NEAR(baseline, baselines.front(), 1);
}
