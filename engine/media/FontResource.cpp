#include "engine/media/FontResource.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"

#include <cstring>

namespace Engine {

namespace {

constexpr size_t RANGE_SIZE = 6;
constexpr size_t GLYPH_SIZE = 20;

float readFloatLE(const uint8_t* p) {
    const uint32_t bits = readUint32LE(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

cFontResource* IResourceManager::getFont(const std::string& path) {
    registerFontLoader(*this);
    return static_cast<cFontResource*>(getResource(path, RESOURCE_FONT));
}

void registerFontLoader(IResourceManager& manager) {
    manager.setLoader(RESOURCE_FONT, [](const std::string& path) -> cResource* { return new cFontResource(path); });
}

cFontResource::cFontResource(const std::string& path) : cResource(path) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw cStringA("Cannot load font \"" + path + "\": no file system.");
    std::vector<uint8_t> bytes;
    fileSystem->readFile(path, bytes);
    read(path, bytes.data(), bytes.size());
}

cFontResource::cFontResource(const std::string& path, const uint8_t* bytes, size_t size) : cResource(path) {
    read(path, bytes, size);
}

void cFontResource::read(const std::string& path, const uint8_t* bytes, size_t size) {
    const cStringA notFont("Specified resourse (" + path + ") is not font.");
    // Every count is checked against the bytes left before anything is reserved, so a lying
    // header neither reads past the buffer nor allocates for records that are not there.
    size_t offset = 0;
    auto take = [&](size_t count) {
        if (size - offset < count)
            throw notFont;
        const uint8_t* at = bytes + offset;
        offset += count;
        return at;
    };
    if (readUint32LE(take(4)) != MAGIC)
        throw notFont;
    const uint32_t rangeCount = readUint32LE(take(4));
    if (rangeCount > (size - offset) / RANGE_SIZE)
        throw notFont;
    std::vector<cFontRange> ranges(rangeCount);
    for (cFontRange& range : ranges) {
        const uint8_t* p = take(RANGE_SIZE);
        range.first = readUint16LE(p);
        range.last = readUint16LE(p + 2);
        range.firstGlyph = readUint16LE(p + 4);
        if (range.last < range.first)
            throw notFont;
    }
    const uint32_t glyphCount = readUint32LE(take(4));
    if (glyphCount > (size - offset) / GLYPH_SIZE)
        throw notFont;
    for (const cFontRange& range : ranges)
        if (uint32_t(range.firstGlyph) + (range.last - range.first) >= glyphCount)
            throw notFont;
    m_glyphs.resize(glyphCount);
    for (cFontGlyph& glyph : m_glyphs) {
        const uint8_t* p = take(GLYPH_SIZE);
        glyph.uLeft = readFloatLE(p);
        glyph.vTop = readFloatLE(p + 4);
        glyph.uRight = readFloatLE(p + 8);
        glyph.vBottom = readFloatLE(p + 12);
        glyph.advance = readFloatLE(p + 16);
    }
    // A later range with the same last character replaces the earlier one.
    for (const cFontRange& range : ranges)
        m_ranges[range.last] = range;
}

long cFontResource::glyphIndex(wchar_t character) const {
    if (character < 0 || character > 0xFFFF)
        return -1;
    auto found = m_ranges.lower_bound(uint16_t(character));
    if (found == m_ranges.end() || uint16_t(character) < found->second.first)
        return -1;
    return long(found->second.firstGlyph) + (uint16_t(character) - found->second.first);
}

bool cFontResource::findGlyph(wchar_t character, cFontGlyph& glyph) const {
    const long index = glyphIndex(character);
    if (index < 0)
        return false;
    glyph = m_glyphs[size_t(index)];
    return true;
}

bool cFontResource::hasGlyph(wchar_t character) const {
    return glyphIndex(character) >= 0;
}

} // namespace Engine
