#include "engine/media/FontResource.h"

#include "engine/core/String.h"
#include "engine/media/MediaResources.h"
#include "tests/media/MediaFixture.h"

#include <cstring>
#include <tuple>
#include <vector>

using namespace Engine;

namespace {

// Font file bytes written field by field, as the format lays them out.
struct FontBytes {
    std::vector<cFontRange> ranges;
    std::vector<cFontGlyph> glyphs;

    std::string bytes(uint32_t magic = cFontResource::MAGIC) const {
        std::string out;
        auto u16 = [&](uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); };
        auto u32 = [&](uint32_t v) { u16(uint16_t(v & 0xFFFF)), u16(uint16_t(v >> 16)); };
        auto f32 = [&](float v) {
            uint32_t bits;
            std::memcpy(&bits, &v, 4);
            u32(bits);
        };
        u32(magic);
        u32(uint32_t(ranges.size()));
        for (const cFontRange& r : ranges)
            u16(r.first), u16(r.last), u16(r.firstGlyph);
        u32(uint32_t(glyphs.size()));
        for (const cFontGlyph& g : glyphs)
            f32(g.uLeft), f32(g.vTop), f32(g.uRight), f32(g.vBottom), f32(g.advance);
        return out;
    }
};

// Glyph i has uLeft = i / 100 so a lookup shows which record it copied.
std::vector<cFontGlyph> numberedGlyphs(int count) {
    std::vector<cFontGlyph> glyphs;
    for (int i = 0; i < count; ++i)
        glyphs.push_back({i / 100.0f, 1.0f, i / 100.0f + 0.01f, 0.9f, 0.1f});
    return glyphs;
}

cFontResource parse(const std::string& bytes) {
    return cFontResource("fonts/t.fnt", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string thrownBy(const std::string& bytes) {
    try {
        parse(bytes);
    } catch (const cStringA& message) {
        return message;
    }
    return "nothing thrown";
}

} // namespace

TEST(FontResource, FindsTheGlyphOfTheRangeWithTheSmallestLastCharacterNotBelow) {
    FontBytes file;
    file.ranges = {{0x41, 0x5A, 10}, {0x30, 0x39, 0}, {0x5F, 0x5F, 36}, {0x5D0, 0x5EA, 37}};
    file.glyphs = numberedGlyphs(37 + 27);
    const cFontResource font = parse(file.bytes());

    EXPECT_EQ(font.getKind(), RESOURCE_FONT);
    EXPECT_EQ(font.getRanges().size(), 4u);
    EXPECT_EQ(font.getGlyphs().size(), 64u);
    const std::vector<std::tuple<wchar_t, int>> cases = {
        {L'C', 12}, {L'A', 10}, {L'Z', 35}, {L'0', 0},  {L'9', 9},  {L'_', 36},  {0x5D0, 37},  {0x5EA, 63},
        {L'@', -1}, {L':', -1}, {L'[', -1}, {L'a', -1}, {L' ', -1}, {0x5CF, -1}, {0xFFFF, -1}, {0x10041, -1},
    };
    for (const auto& [character, index] : cases) {
        cFontGlyph glyph{9, 9, 9, 9, 9};
        SCOPED_TRACE(int(character));
        EXPECT_EQ(font.findGlyph(character, glyph), index >= 0);
        EXPECT_EQ(font.hasGlyph(character), index >= 0);
        if (index >= 0)
            EXPECT_FLOAT_EQ(glyph.uLeft, index / 100.0f);
        else
            EXPECT_EQ(glyph.uLeft, 9.0f);
    }
}

TEST(FontResource, ReadsTheGlyphRecordsInFileOrder) {
    FontBytes file;
    file.ranges = {{L'a', L'b', 0}};
    file.glyphs = {{0.0f, 1.0f, 0.1f, 0.75f, 0.1f}, {0.5f, 0.5f, 0.625f, 0.25f, 0.125f}};
    const cFontResource font = parse(file.bytes());
    cFontGlyph b;
    ASSERT_TRUE(font.findGlyph(L'b', b));
    EXPECT_EQ(b.uLeft, 0.5f);
    EXPECT_EQ(b.vTop, 0.5f);
    EXPECT_EQ(b.uRight, 0.625f);
    EXPECT_EQ(b.vBottom, 0.25f);
    EXPECT_EQ(b.advance, 0.125f);
}

TEST(FontResource, ALaterRangeWithTheSameLastCharacterReplacesTheEarlier) {
    FontBytes file;
    file.ranges = {{L'a', L'z', 0}, {L'x', L'z', 30}};
    file.glyphs = numberedGlyphs(33);
    const cFontResource font = parse(file.bytes());
    cFontGlyph glyph;
    EXPECT_FALSE(font.hasGlyph(L'a'));
    ASSERT_TRUE(font.findGlyph(L'y', glyph));
    EXPECT_FLOAT_EQ(glyph.uLeft, 0.31f);
}

TEST(FontResource, AnEmptyFontCoversNothing) {
    const cFontResource font = parse(FontBytes{}.bytes());
    EXPECT_TRUE(font.getRanges().empty());
    EXPECT_FALSE(font.hasGlyph(L'a'));
}

TEST(FontResource, RejectsAnythingButAWholeConsistentFont) {
    FontBytes good;
    good.ranges = {{L'a', L'c', 1}};
    good.glyphs = numberedGlyphs(4);
    const std::string whole = good.bytes();
    ASSERT_NO_THROW(parse(whole));

    FontBytes pastTheList = good;
    pastTheList.ranges = {{L'a', L'd', 1}};
    FontBytes reversed = good;
    reversed.ranges = {{L'c', L'a', 0}};
    std::string hugeCount = whole;
    hugeCount[4] = hugeCount[5] = hugeCount[6] = hugeCount[7] = '\xFF';

    const std::vector<std::tuple<const char*, std::string>> cases = {
        {"empty", ""},
        {"three bytes", whole.substr(0, 3)},
        {"wrong magic", good.bytes(0x746E6F66)},
        {"no range count", whole.substr(0, 4)},
        {"range cut", whole.substr(0, 10)},
        {"no glyph count", whole.substr(0, 14)},
        {"last glyph cut", whole.substr(0, whole.size() - 1)},
        {"range count past the file", hugeCount},
        {"glyph index past the list", pastTheList.bytes()},
        {"range ends below its start", reversed.bytes()},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_EQ(thrownBy(bytes), "Specified resourse (fonts/t.fnt) is not font.") << name;
}

class FontResourceLoading : public MediaFixture {};

TEST_F(FontResourceLoading, TheManagerLoadsFontsByPathAndExtension) {
    FontBytes file;
    file.ranges = {{L'a', L'b', 0}};
    file.glyphs = numberedGlyphs(2);
    writeData("fonts/small.fnt", file.bytes());
    writeData("fonts/bad.fnt", "font");
    start();

    cFontResource* font = m_manager->getFont("Fonts/Small.fnt");
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->hasGlyph(L'b'));
    EXPECT_EQ(m_manager->getFont("fonts/small.fnt"), font);
    EXPECT_EQ(font->getRefCount(), 2);

    m_manager->getByExtension("fonts/small.fnt");
    EXPECT_EQ(font->getRefCount(), 3);

    EXPECT_THROW(m_manager->getFont("fonts/bad.fnt"), cStringA);
    EXPECT_EQ(m_manager->findEntry("fonts/bad.fnt"), nullptr);
}
