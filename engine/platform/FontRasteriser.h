#pragma once

// Measures and draws one line of UTF-16 text into 8-bit coverage (0 background, 255 ink),
// for textures made from text. Headless runs use a pinned font file so that tests see the
// same glyphs on every machine.

#include <cstdint>
#include <memory>
#include <string>

namespace Platform {

struct cFontDesc {
    std::string face;    // family name, UTF-8; the nearest installed family is taken
    int pixelHeight = 0; // character height in pixels (the em size)
    bool bold = false;
};

class IFontRasteriser {
public:
    virtual ~IFontRasteriser() = default;
    // Advance width of the line and the font's cell height (ascent + descent), in pixels.
    virtual void measure(const std::wstring& text, int& width, int& height) = 0;
    // Draws the line with its top-left corner at (0, 0) into a zeroed buffer of width x height
    // bytes (rows top first, no padding); whatever falls outside is cut.
    virtual void render(const std::wstring& text, uint8_t* coverage, int width, int height) = 0;
};

// The font file every headless run uses.
const char* getPinnedFontFile();

// A rasteriser for the font: the installed family nearest to the description, or the pinned
// file when MEADOW_HEADLESS=1. Throws a narrow std::string when no font can be opened.
std::unique_ptr<IFontRasteriser> createFontRasteriser(const cFontDesc& desc);
// A rasteriser over a given font file (bold is synthesised when the face is not bold).
std::unique_ptr<IFontRasteriser> createFontRasteriserFromFile(const std::string& path, const cFontDesc& desc);

} // namespace Platform
