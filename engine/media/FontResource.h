#pragma once

// A bitmap font: which rectangle of the font picture shows each character, and how far the
// character advances. A resource of kind RESOURCE_FONT ("fnt"); the picture is a texture named
// separately.

#include "engine/core/Resource.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Engine {

class IResourceManager;

// A letter's rectangle in the font picture in texture coordinates, v growing upwards from the
// picture's bottom edge (so vTop >= vBottom), and its advance as a fraction of the picture width.
struct cFontGlyph {
    float uLeft = 0.0f;
    float vTop = 0.0f;
    float uRight = 0.0f;
    float vBottom = 0.0f;
    float advance = 0.0f;
};

// Characters first..last (UTF-16 code units) map to consecutive glyphs from firstGlyph on.
struct cFontRange {
    uint16_t first = 0;
    uint16_t last = 0;
    uint16_t firstGlyph = 0;
};

class cFontResource : public cResource {
public:
    // Ranges keyed by their last character.
    using tRangeTable = std::map<uint16_t, cFontRange>;

    // Reads the file through the file system. Throws "Specified resourse (<path>) is not font."
    // for a file that is not a whole, consistent font.
    explicit cFontResource(const std::string& path);
    // The same from bytes already read; path only names the font in the message.
    cFontResource(const std::string& path, const uint8_t* bytes, size_t size);

    int getKind() const override { return RESOURCE_FONT; }

    // Copies the glyph of a UTF-16 code unit; false when no range covers it.
    bool findGlyph(wchar_t character, cFontGlyph& glyph) const;
    bool hasGlyph(wchar_t character) const;

    const tRangeTable& getRanges() const { return m_ranges; }
    const std::vector<cFontGlyph>& getGlyphs() const { return m_glyphs; }

    static constexpr uint32_t MAGIC = 0x666F6E74;

private:
    void read(const std::string& path, const uint8_t* bytes, size_t size);
    // The glyph index of the character, or -1.
    long glyphIndex(wchar_t character) const;

    tRangeTable m_ranges;
    std::vector<cFontGlyph> m_glyphs;
};

// Makes the manager create cFontResource for kind RESOURCE_FONT.
void registerFontLoader(IResourceManager& manager);

} // namespace Engine
