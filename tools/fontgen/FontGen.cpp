// fontgen: renders the characters of a TrueType font at one pixel size into the engine's bitmap
// font: OUT.fnt (character ranges and glyph records) and OUT.png (white, alpha = coverage).
//
//   fontgen FONT.ttf PIXEL_SIZE OUT RANGE... [--padding N] [--outline N]
//   RANGE is FIRST-LAST or CHAR, in hex (0x41-0x5A) or decimal.
//
// --outline N rings every letter with N pixels of the game's ink (#3B2A1A) and widens each
// advance by N: a label's colour tints the white letter and leaves the dark ring dark, so the
// text reads over any background.
//
// Every glyph gets a cell as wide as its advance and as tall as the whole line, with the
// bitmap at its bearing, so that labels centring cells on their line keep the baseline
// straight. Spaces (0x20, 0xA0) and line breaks are left out: labels lay spaces out by the
// "SpaceWidth" that the tool prints.

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t FONT_MAGIC = 0x666F6E74;
// The outline's colour, the ink of the game's pictures.
constexpr uint8_t INK[3] = {0x3B, 0x2A, 0x1A};

struct cGlyphCell {
    uint32_t character = 0;
    int advance = 0; // pixels
    // The cell is advance + 2 * overhang wide, starting overhang pixels left of the pen, so its
    // centre stays on the advance's centre even when ink reaches past the advance.
    int overhang = 0;
    int bitmapLeft = 0; // from the pen
    int bitmapTop = 0;  // above the baseline
    int bitmapWidth = 0;
    int bitmapRows = 0;
    std::vector<uint8_t> coverage;
    // With an outline: how much of each pixel's ink is the letter's (the rest is the outline's).
    std::vector<uint8_t> letter;
    int x = 0, y = 0; // place in the picture
    int width() const { return advance + 2 * overhang; }
};

struct cRange {
    uint32_t first, last;
};

uint32_t parseNumber(const std::string& text) {
    size_t end = 0;
    const unsigned long value = std::stoul(text, &end, 0);
    if (end != text.size() || value > 0xFFFF)
        throw std::runtime_error("bad character \"" + text + "\" (UTF-16 code units only)");
    return uint32_t(value);
}

cRange parseRange(const std::string& text) {
    const size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        const uint32_t c = parseNumber(text);
        return {c, c};
    }
    cRange range{parseNumber(text.substr(0, dash)), parseNumber(text.substr(dash + 1))};
    if (range.last < range.first)
        throw std::runtime_error("range \"" + text + "\" ends below its start");
    return range;
}

bool leftOut(uint32_t c) {
    return c == 0x20 || c == 0xA0 || c == 10 || c == 13;
}

int roundPixels(FT_Pos value) {
    return int((value + 32) >> 6);
}

class cFontGen {
public:
    cFontGen(const std::string& fontPath, int pixelSize, int outline) : m_outline(outline) {
        if (FT_Init_FreeType(&m_library))
            throw std::runtime_error("FreeType cannot start");
        if (FT_New_Face(m_library, fontPath.c_str(), 0, &m_face))
            throw std::runtime_error("cannot open font \"" + fontPath + "\"");
        if (FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(pixelSize)))
            throw std::runtime_error("the font has no size " + std::to_string(pixelSize));
    }
    ~cFontGen() {
        if (m_face)
            FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    cFontGen(const cFontGen&) = delete;
    cFontGen& operator=(const cFontGen&) = delete;

    // Renders every character of the ranges that the font has, in character order, once.
    void render(const std::vector<cRange>& ranges) {
        std::vector<uint32_t> characters;
        for (const cRange& range : ranges)
            for (uint32_t c = range.first; c <= range.last; ++c)
                if (leftOut(c))
                    continue;
                else if (FT_Get_Char_Index(m_face, c))
                    characters.push_back(c);
                else
                    ++m_missing;
        std::sort(characters.begin(), characters.end());
        characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
        if (characters.size() > 0xFFFF)
            throw std::runtime_error("too many glyphs");

        m_ascent = roundPixels(m_face->size->metrics.ascender);
        m_descent = -roundPixels(m_face->size->metrics.descender);
        for (uint32_t c : characters) {
            if (FT_Load_Char(m_face, c, FT_LOAD_RENDER))
                throw std::runtime_error("cannot render character " + std::to_string(c));
            const FT_GlyphSlot slot = m_face->glyph;
            const FT_Bitmap& bitmap = slot->bitmap;
            if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0)
                throw std::runtime_error("unexpected bitmap mode for character " + std::to_string(c));
            cGlyphCell cell;
            cell.character = c;
            cell.advance = roundPixels(slot->advance.x);
            cell.bitmapLeft = slot->bitmap_left;
            cell.bitmapTop = slot->bitmap_top;
            cell.bitmapWidth = int(bitmap.width);
            cell.bitmapRows = int(bitmap.rows);
            cell.coverage.resize(size_t(cell.bitmapWidth) * size_t(cell.bitmapRows));
            for (int row = 0; row < cell.bitmapRows; ++row)
                std::memcpy(&cell.coverage[size_t(row) * size_t(cell.bitmapWidth)], bitmap.buffer + row * bitmap.pitch,
                            size_t(cell.bitmapWidth));
            if (m_outline > 0)
                addOutline(cell);
            if (cell.bitmapWidth > 0)
                cell.overhang = std::max({0, -cell.bitmapLeft, cell.bitmapLeft + cell.bitmapWidth - cell.advance});
            // The line grows to hold every glyph's ink, so no cell cuts an accent or a descender.
            if (cell.bitmapRows > 0) {
                m_ascent = std::max(m_ascent, cell.bitmapTop);
                m_descent = std::max(m_descent, cell.bitmapRows - cell.bitmapTop);
            }
            m_cells.push_back(std::move(cell));
        }
        // A font without a space gets a quarter of the em, the usual width of one.
        if (FT_Get_Char_Index(m_face, 0x20) && !FT_Load_Char(m_face, 0x20, FT_LOAD_DEFAULT))
            m_spaceWidth = roundPixels(m_face->glyph->advance.x);
        else
            m_spaceWidth = (m_face->size->metrics.x_ppem + 2) / 4;
        m_spaceWidth += m_outline;
    }

    // Rings the cell's bitmap with the outline: the bitmap grows by the outline on every side,
    // and the advance by the outline, the letter staying in its middle.
    void addOutline(cGlyphCell& cell) const {
        const int n = m_outline;
        const int w = cell.bitmapWidth, h = cell.bitmapRows;
        cell.advance += n;
        if (w == 0 || h == 0)
            return;
        const int ow = w + 2 * n, oh = h + 2 * n;
        std::vector<uint8_t> alpha(size_t(ow) * size_t(oh), 0), letter(alpha.size(), 0);
        auto coverageAt = [&](int x, int y) {
            return x < 0 || y < 0 || x >= w || y >= h ? 0.0 : cell.coverage[size_t(y * w + x)] / 255.0;
        };
        for (int y = 0; y < oh; ++y)
            for (int x = 0; x < ow; ++x) {
                // The ring: ink up to n pixels out from the letter's edge, which lies inside a
                // partly covered pixel as far as its coverage reaches; the rim is soft.
                double ring = 0;
                for (int dy = -n - 1; dy <= n + 1; ++dy)
                    for (int dx = -n - 1; dx <= n + 1; ++dx)
                        if (const double c = coverageAt(x - n + dx, y - n + dy); c > 0)
                            ring = std::max(ring, std::clamp(n + c - std::hypot(dx, dy), 0.0, 1.0));
                const double own = coverageAt(x - n, y - n);
                const double total = std::max(ring, own);
                alpha[size_t(y * ow + x)] = uint8_t(std::lround(total * 255));
                letter[size_t(y * ow + x)] = total > 0 ? uint8_t(std::lround(own / total * 255)) : 0;
            }
        cell.coverage = std::move(alpha);
        cell.letter = std::move(letter);
        cell.bitmapLeft += n / 2 - n;
        cell.bitmapTop += n;
        cell.bitmapWidth = ow;
        cell.bitmapRows = oh;
    }

    // Shelf packing: cells are all one line tall, so shelves are rows filled in character
    // order. The picture is the narrowest power-of-two square that holds them, its height then
    // cut to the power of two that the rows need.
    void pack(int padding) {
        const int lineHeight = m_ascent + m_descent;
        for (m_width = 16;; m_width *= 2) {
            int x = padding, y = padding;
            bool fits = true;
            for (cGlyphCell& cell : m_cells) {
                if (cell.width() + 2 * padding > m_width) {
                    fits = false;
                    break;
                }
                if (x + cell.width() + padding > m_width) {
                    x = padding;
                    y += lineHeight + padding;
                }
                cell.x = x;
                cell.y = y;
                x += cell.width() + padding;
            }
            const int usedHeight = y + lineHeight + padding;
            if (fits && usedHeight <= m_width) {
                m_height = 1;
                while (m_height < usedHeight)
                    m_height *= 2;
                return;
            }
            if (m_width >= 8192)
                throw std::runtime_error("the glyphs do not fit into 8192 x 8192 pixels");
        }
    }

    void writePicture(const std::string& path) const {
        // White everywhere (the outline's ink with an outline), so that filtering at a cell's
        // edge blends towards the letter's own edge colour, not black.
        std::vector<uint8_t> rgba(size_t(m_width) * size_t(m_height) * 4, 0xFF);
        for (size_t i = 0; i < rgba.size(); i += 4) {
            if (m_outline > 0)
                std::copy(INK, INK + 3, &rgba[i]);
            rgba[i + 3] = 0;
        }
        for (const cGlyphCell& cell : m_cells) {
            const int left = cell.x + cell.overhang + cell.bitmapLeft;
            const int top = cell.y + m_ascent - cell.bitmapTop;
            for (int row = 0; row < cell.bitmapRows; ++row)
                for (int column = 0; column < cell.bitmapWidth; ++column) {
                    const size_t from = size_t(row) * size_t(cell.bitmapWidth) + size_t(column);
                    uint8_t* pixel = &rgba[(size_t(top + row) * size_t(m_width) + size_t(left + column)) * 4];
                    pixel[3] = cell.coverage[from];
                    if (m_outline > 0)
                        for (int channel = 0; channel < 3; ++channel)
                            pixel[channel] = uint8_t(INK[channel] + (255 - INK[channel]) * cell.letter[from] / 255);
                }
        }
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        image.width = png_uint_32(m_width);
        image.height = png_uint_32(m_height);
        image.format = PNG_FORMAT_RGBA;
        if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr))
            throw std::runtime_error("cannot write \"" + path + "\": " + image.message);
    }

    void writeFont(const std::string& path) const {
        std::string out;
        auto u16 = [&](uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); };
        auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
        auto f32 = [&](float v) {
            uint32_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            u32(bits);
        };
        // Ranges are the runs of consecutive characters; glyph records follow character order.
        std::vector<cRange> runs;
        for (const cGlyphCell& cell : m_cells)
            if (!runs.empty() && runs.back().last + 1 == cell.character)
                runs.back().last = cell.character;
            else
                runs.push_back({cell.character, cell.character});
        u32(FONT_MAGIC);
        u32(uint32_t(runs.size()));
        uint32_t glyph = 0;
        for (const cRange& run : runs) {
            u16(run.first), u16(run.last), u16(glyph);
            glyph += run.last - run.first + 1;
        }
        const float w = float(m_width), h = float(m_height);
        const int lineHeight = m_ascent + m_descent;
        u32(uint32_t(m_cells.size()));
        for (const cGlyphCell& cell : m_cells) {
            // v grows upwards from the picture's bottom edge.
            f32(float(cell.x) / w);
            f32(1.0f - float(cell.y) / h);
            f32(float(cell.x + cell.width()) / w);
            f32(1.0f - float(cell.y + lineHeight) / h);
            f32(float(cell.advance) / w);
        }
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(out.data(), std::streamsize(out.size()));
        if (!file.flush())
            throw std::runtime_error("cannot write \"" + path + "\"");
    }

    size_t glyphCount() const { return m_cells.size(); }
    // Characters of the ranges that the font lacks (counted once per range that names them).
    int missingCount() const { return m_missing; }
    int spaceWidth() const { return m_spaceWidth; }
    int lineHeight() const { return m_ascent + m_descent; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    std::vector<cGlyphCell> m_cells;
    int m_outline = 0;
    int m_ascent = 0, m_descent = 0, m_spaceWidth = 0, m_missing = 0;
    int m_width = 0, m_height = 0;
};

int usage() {
    std::fprintf(stderr, "usage: fontgen FONT.ttf PIXEL_SIZE OUT RANGE... [--padding N] [--outline N]\n"
                         "  writes OUT.fnt and OUT.png; RANGE is FIRST-LAST or CHAR (hex 0x.. or decimal)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int padding = 2, outline = 0;
    try {
        for (auto [name, value] : {std::pair<const char*, int*>{"--padding", &padding}, {"--outline", &outline}}) {
            auto option = std::find(args.begin(), args.end(), name);
            if (option == args.end())
                continue;
            if (option + 1 == args.end())
                return usage();
            *value = std::stoi(*(option + 1));
            args.erase(option, option + 2);
        }
        if (args.size() < 4 || padding < 0 || outline < 0 || outline > 16)
            return usage();
        const int pixelSize = std::stoi(args[1]);
        if (pixelSize <= 0 || pixelSize > 512)
            return usage();
        std::vector<cRange> ranges;
        for (size_t i = 3; i < args.size(); ++i)
            ranges.push_back(parseRange(args[i]));

        cFontGen gen(args[0], pixelSize, outline);
        gen.render(ranges);
        gen.pack(padding);
        gen.writePicture(args[2] + ".png");
        gen.writeFont(args[2] + ".fnt");
        std::printf("%s: %zu glyphs (%d characters not in the font), line height %d, picture %dx%d\nSpaceWidth: %d\n",
                    args[2].c_str(), gen.glyphCount(), gen.missingCount(), gen.lineHeight(), gen.width(), gen.height(),
                    gen.spaceWidth());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fontgen: %s\n", error.what());
        return 1;
    }
}
