// Every font committed under Data/Fonts loads, its picture decodes, every glyph lies inside
// the picture, and the README gives its "SpaceWidth".

#include "engine/media/FontResource.h"
#include "engine/media/PngDecoder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace Engine;

TEST(FontData, EveryCommittedFontLoadsWithItsPicture) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(MEADOW_SOURCE_DIR) / "Data" / "Fonts";
    const std::string readme = TestSupport::readFileBytes((folder / "README.md").string());
    int fonts = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".fnt")
            continue;
        ++fonts;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const std::string bytes = TestSupport::readFileBytes(entry.path().string());
        const cFontResource font(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        EXPECT_TRUE(font.hasGlyph(L'0'));
        EXPECT_FALSE(font.hasGlyph(L' '));

        const std::string png = TestSupport::readFileBytes((folder / (name + ".png")).string());
        cImage picture;
        ASSERT_NO_THROW(cPngDecoder::decode(reinterpret_cast<const uint8_t*>(png.data()), png.size(), picture));
        for (const cFontGlyph& glyph : font.getGlyphs()) {
            EXPECT_TRUE(glyph.uLeft >= 0 && glyph.uLeft <= glyph.uRight && glyph.uRight <= 1);
            EXPECT_TRUE(glyph.vBottom >= 0 && glyph.vBottom < glyph.vTop && glyph.vTop <= 1);
            EXPECT_GT(glyph.advance * picture.width, 0.0f);
        }
        EXPECT_NE(readme.find("| " + name + ".fnt / " + name + ".png |"), std::string::npos);
    }
    EXPECT_GE(fonts, 5);
    EXPECT_TRUE(fs::exists(folder / "LICENSE-DejaVu.txt"));
    EXPECT_TRUE(fs::exists(folder / "LICENSE-Comfortaa.txt"));
}

TEST(FontData, EachFontCoversTheScriptsItIsFor) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(MEADOW_SOURCE_DIR) / "Data" / "Fonts";
    // e acute and y diaeresis (Latin-1), Zhe and Ghe with upturn (Cyrillic), Alef and Tav (Hebrew).
    const std::wstring latin = L"Az09\xE9\xFF", cyrillic = L"\x416\x44F\x491", hebrew = L"\x5D0\x5EA";
    const struct {
        const char* name;
        std::wstring covered, lacking;
    } cases[] = {
        {"Text16", latin + cyrillic, hebrew},   {"Text22", latin + cyrillic, hebrew},
        {"Title36", latin + cyrillic, hebrew},  {"Digits30", L"0123456789+-x\xD7", L"A\x416"},
        {"Hebrew14", latin + hebrew, cyrillic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = TestSupport::readFileBytes((folder / (std::string(c.name) + ".fnt")).string());
        const cFontResource font(c.name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        for (wchar_t ch : c.covered)
            EXPECT_TRUE(font.hasGlyph(ch)) << int(ch);
        for (wchar_t ch : c.lacking)
            EXPECT_FALSE(font.hasGlyph(ch)) << int(ch);
        EXPECT_FALSE(font.hasGlyph(L'\xA0'));
    }
}
