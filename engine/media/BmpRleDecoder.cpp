#include "engine/media/BmpRleDecoder.h"

#include "engine/core/ByteOrder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace Engine {

namespace {

constexpr uint32_t RLE8 = 1;
constexpr uint32_t RLE4 = 2;

} // namespace

bool cBmpRleDecoder::isRle(const uint8_t* bytes, size_t size) {
    if (size < 34 || bytes[0] != 'B' || bytes[1] != 'M' || readUint32LE(bytes + 14) < 40)
        return false;
    const uint32_t compression = readUint32LE(bytes + 30);
    return compression == RLE8 || compression == RLE4;
}

void cBmpRleDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    if (size < 54)
        throw cImageError("BMP data is truncated");
    const uint32_t headerSize = readUint32LE(bytes + 14);
    const int64_t width = int32_t(readUint32LE(bytes + 18));
    const int64_t height = int32_t(readUint32LE(bytes + 22));
    const uint32_t bits = readUint16LE(bytes + 28);
    const uint32_t compression = readUint32LE(bytes + 30);
    if ((compression == RLE8 && bits != 8) || (compression == RLE4 && bits != 4) || width <= 0 || height == 0)
        throw cImageError("BMP data is corrupt: wrong run-length header");
    cImageDecoder::allocate(image, long(width), long(std::llabs(height)), "BMP");

    // The palette follows the info header: blue, green, red and a spare byte per entry.
    uint32_t colours = readUint32LE(bytes + 46);
    const uint32_t maxColours = 1u << bits;
    if (colours == 0 || colours > maxColours)
        colours = maxColours;
    const uint64_t paletteStart = 14 + uint64_t(headerSize);
    if (paletteStart + uint64_t(colours) * 4 > size)
        throw cImageError("BMP data is truncated");
    std::vector<uint32_t> palette(maxColours, 0xFF000000u);
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t* entry = bytes + paletteStart + i * 4;
        palette[i] = 0xFF000000u | uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
    }
    std::fill(image.pixels.begin(), image.pixels.end(), palette[0]);

    const uint64_t offset = readUint32LE(bytes + 10);
    if (offset >= size)
        throw cImageError("BMP data is truncated");
    const uint8_t* p = bytes + offset;
    const uint8_t* end = bytes + size;
    const int w = image.width, h = image.height;
    // Rows are stored bottom first unless the height is negative.
    auto put = [&](int x, int y, uint32_t index) {
        if (x < w && y < h)
            image.pixels[size_t(height > 0 ? h - 1 - y : y) * size_t(w) + size_t(x)] =
                palette[index & (maxColours - 1)];
    };
    int x = 0, y = 0;
    while (y < h) {
        if (end - p < 2)
            throw cImageError("BMP data is truncated");
        const uint32_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count; ++i, ++x)
                put(x, y, compression == RLE8 ? value : (i % 2 == 0 ? value >> 4 : value & 15u));
            x = std::min(x, w); // runs past the row's end are dropped
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (end - p < 2)
                throw cImageError("BMP data is truncated");
            x = std::min(x + p[0], w);
            y += p[1];
            p += 2;
        } else {
            // value pixels stored as they are, padded to a 16-bit boundary.
            const size_t stored = compression == RLE8 ? value : (value + 1) / 2;
            const size_t padded = (stored + 1) & ~size_t(1);
            if (size_t(end - p) < stored)
                throw cImageError("BMP data is truncated");
            for (uint32_t i = 0; i < value; ++i, ++x)
                put(x, y, compression == RLE8 ? p[i] : (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 15u));
            p += std::min(padded, size_t(end - p));
            x = std::min(x, w);
        }
    }
}

} // namespace Engine
