#pragma once

// The font rasteriser over FreeType; fontconfig picks the file for a family name.

#include "engine/platform/FontRasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace Platform {

class cFreeTypeFontRasteriser : public IFontRasteriser {
public:
    // Opens the face at index of the file at the description's size. Throws a narrow
    // std::string naming the file when it cannot be opened.
    cFreeTypeFontRasteriser(const std::string& path, int faceIndex, const cFontDesc& desc);
    ~cFreeTypeFontRasteriser() override;
    cFreeTypeFontRasteriser(const cFreeTypeFontRasteriser&) = delete;
    cFreeTypeFontRasteriser& operator=(const cFreeTypeFontRasteriser&) = delete;

    void measure(const std::wstring& text, int& width, int& height) override;
    void render(const std::wstring& text, uint8_t* coverage, int width, int height) override;

    // The file fontconfig matches for the description; empty when none.
    static std::string findFontFile(const cFontDesc& desc, int& faceIndex);

private:
    // Loads the glyph of a code point into the face's slot; false when it has none.
    bool loadGlyph(char32_t codePoint, bool render);

    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    bool m_embolden = false;
    int m_ascent = 0;
    int m_height = 0;
};

} // namespace Platform
