#include "engine/platform/freetype/FreeTypeFontRasteriser.h"

#include "engine/platform/System.h"

#include FT_SYNTHESIS_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace Platform {

namespace {

// Surrogate pairs become one code point; a lone surrogate stays as it is (no glyph).
std::vector<char32_t> toCodePoints(const std::wstring& text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = char32_t(text[i]) & 0xFFFF;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
            char32_t low = char32_t(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        out.push_back(unit);
    }
    return out;
}

int roundUp26(FT_Pos value) {
    return int((value + 63) >> 6);
}

} // namespace

cFreeTypeFontRasteriser::cFreeTypeFontRasteriser(const std::string& path, int faceIndex, const cFontDesc& desc) {
    if (FT_Init_FreeType(&m_library) != 0)
        throw std::string("Cannot start the font library.");
    if (FT_New_Face(m_library, path.c_str(), faceIndex, &m_face) != 0) {
        FT_Done_FreeType(m_library);
        throw "Cannot open font file " + path;
    }
    if (FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(std::max(1, desc.pixelHeight))) != 0) {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
        throw "Cannot size font file " + path;
    }
    m_embolden = desc.bold && !(m_face->style_flags & FT_STYLE_FLAG_BOLD);
    m_ascent = roundUp26(m_face->size->metrics.ascender);
    m_height = m_ascent + roundUp26(-m_face->size->metrics.descender);
}

cFreeTypeFontRasteriser::~cFreeTypeFontRasteriser() {
    FT_Done_Face(m_face);
    FT_Done_FreeType(m_library);
}

bool cFreeTypeFontRasteriser::loadGlyph(char32_t codePoint, bool render) {
    FT_UInt index = FT_Get_Char_Index(m_face, codePoint);
    if (FT_Load_Glyph(m_face, index, FT_LOAD_DEFAULT) != 0)
        return false;
    if (m_embolden)
        FT_GlyphSlot_Embolden(m_face->glyph);
    if (render && FT_Render_Glyph(m_face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    return true;
}

void cFreeTypeFontRasteriser::measure(const std::wstring& text, int& width, int& height) {
    int pen = 0;
    for (char32_t c : toCodePoints(text))
        if (loadGlyph(c, false))
            pen += int((m_face->glyph->advance.x + 32) >> 6);
    width = pen;
    height = m_height;
}

void cFreeTypeFontRasteriser::render(const std::wstring& text, uint8_t* coverage, int width, int height) {
    int pen = 0;
    for (char32_t c : toCodePoints(text)) {
        if (!loadGlyph(c, true))
            continue;
        const FT_GlyphSlot slot = m_face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = pen + slot->bitmap_left;
        const int top = m_ascent - slot->bitmap_top;
        for (int row = 0; row < int(bitmap.rows); ++row) {
            const int y = top + row;
            if (y < 0 || y >= height)
                continue;
            const uint8_t* source = bitmap.buffer + row * bitmap.pitch;
            for (int column = 0; column < int(bitmap.width); ++column) {
                const int x = left + column;
                if (x < 0 || x >= width)
                    continue;
                uint8_t& target = coverage[size_t(y) * size_t(width) + size_t(x)];
                target = std::max(target, source[column]);
            }
        }
        pen += int((slot->advance.x + 32) >> 6);
    }
}

std::string cFreeTypeFontRasteriser::findFontFile(const cFontDesc& desc, int& faceIndex) {
    faceIndex = 0;
    if (!FcInit())
        return std::string();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(desc.face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, desc.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, double(desc.pixelHeight));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            path = reinterpret_cast<const char*>(file);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            faceIndex = index;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

const char* getPinnedFontFile() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

std::unique_ptr<IFontRasteriser> createFontRasteriserFromFile(const std::string& path, const cFontDesc& desc) {
    return std::make_unique<cFreeTypeFontRasteriser>(path, 0, desc);
}

std::unique_ptr<IFontRasteriser> createFontRasteriser(const cFontDesc& desc) {
    if (isHeadless())
        return createFontRasteriserFromFile(getPinnedFontFile(), desc);
    int faceIndex = 0;
    std::string path = cFreeTypeFontRasteriser::findFontFile(desc, faceIndex);
    if (path.empty())
        path = getPinnedFontFile();
    return std::make_unique<cFreeTypeFontRasteriser>(path, faceIndex, desc);
}

} // namespace Platform
