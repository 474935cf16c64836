#include "engine/media/DdsDecoder.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/String.h"

#include <string>

namespace Engine {

namespace {

constexpr size_t HEADER_SIZE = 128; // "DDS " and the 124-byte surface description
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_ALPHA = 0x2;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDPF_LUMINANCE = 0x20000;

constexpr uint32_t fourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// The four colours of a colour block; with fourColors false (DXT1 with colour0 <= colour1) the
// fourth is transparent black.
void colorPalette(const uint8_t* block, bool fourColors, uint32_t palette[4]) {
    uint32_t r[4], g[4], b[4];
    for (int i = 0; i < 2; ++i) {
        const uint16_t c = readUint16LE(block + 2 * i);
        r[i] = (c >> 11) & 0x1F;
        g[i] = (c >> 5) & 0x3F;
        b[i] = c & 0x1F;
        r[i] = (r[i] << 3) | (r[i] >> 2);
        g[i] = (g[i] << 2) | (g[i] >> 4);
        b[i] = (b[i] << 3) | (b[i] >> 2);
    }
    if (fourColors) {
        r[2] = (2 * r[0] + r[1]) / 3, g[2] = (2 * g[0] + g[1]) / 3, b[2] = (2 * b[0] + b[1]) / 3;
        r[3] = (r[0] + 2 * r[1]) / 3, g[3] = (g[0] + 2 * g[1]) / 3, b[3] = (b[0] + 2 * b[1]) / 3;
    } else {
        r[2] = (r[0] + r[1]) / 2, g[2] = (g[0] + g[1]) / 2, b[2] = (b[0] + b[1]) / 2;
        r[3] = g[3] = b[3] = 0;
    }
    for (int i = 0; i < 4; ++i)
        palette[i] = argb(i == 3 && !fourColors ? 0 : 255, r[i], g[i], b[i]);
}

void colorBlock(const uint8_t* block, bool fourColors, uint32_t* out) {
    uint32_t palette[4];
    colorPalette(block, fourColors, palette);
    const uint32_t indices = readUint32LE(block + 4);
    for (int i = 0; i < 16; ++i)
        out[i] = palette[(indices >> (2 * i)) & 3];
}

// A channel of a pixel picked by its bit mask and scaled to 0..255.
struct cMaskChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit cMaskChannel(uint32_t m) : mask(m) {
        if (!mask)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        max = mask >> shift;
    }
    uint32_t get(uint32_t pixel, uint32_t absent) const {
        if (!mask)
            return absent;
        return uint32_t((uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

void decodeUncompressed(const uint8_t* data, size_t available, uint32_t flags, uint32_t bitCount, const uint8_t* format,
                        cImage& image) {
    if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        throw cImageError("DDS image has an unsupported bit count (" + std::to_string(bitCount) + ")");
    const size_t bytesPerPixel = bitCount / 8;
    const size_t pitch = size_t(image.width) * bytesPerPixel;
    if (available / pitch < size_t(image.height))
        throw cImageError("DDS data is truncated");
    const bool luminance = (flags & DDPF_LUMINANCE) != 0;
    const bool alphaOnly = !(flags & (DDPF_RGB | DDPF_LUMINANCE)) && (flags & DDPF_ALPHA);
    const cMaskChannel red(alphaOnly ? 0 : readUint32LE(format + 16));
    const cMaskChannel green(alphaOnly || luminance ? 0 : readUint32LE(format + 20));
    const cMaskChannel blue(alphaOnly || luminance ? 0 : readUint32LE(format + 24));
    const cMaskChannel alpha(flags & (DDPF_ALPHAPIXELS | DDPF_ALPHA) ? readUint32LE(format + 28) : 0);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = data + size_t(y) * pitch;
        for (int x = 0; x < image.width; ++x) {
            uint32_t pixel = 0;
            for (size_t k = 0; k < bytesPerPixel; ++k)
                pixel |= uint32_t(row[size_t(x) * bytesPerPixel + k]) << (8 * k);
            const uint32_t r = red.get(pixel, 0);
            const uint32_t g = luminance ? r : green.get(pixel, 0);
            const uint32_t b = luminance ? r : blue.get(pixel, 0);
            image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = argb(alpha.get(pixel, 255), r, g, b);
        }
    }
}

void decodeCompressed(const uint8_t* data, size_t available, uint32_t codec, cImage& image) {
    const size_t blockSize = codec == fourCC('D', 'X', 'T', '1') ? 8 : 16;
    const size_t blocksWide = (size_t(image.width) + 3) / 4;
    const size_t blocksHigh = (size_t(image.height) + 3) / 4;
    if (available / blockSize / blocksWide < blocksHigh)
        throw cImageError("DDS data is truncated");
    uint32_t block[16];
    for (size_t by = 0; by < blocksHigh; ++by)
        for (size_t bx = 0; bx < blocksWide; ++bx) {
            const uint8_t* source = data + (by * blocksWide + bx) * blockSize;
            if (blockSize == 8)
                cDdsDecoder::decodeDxt1Block(source, block);
            else if (codec == fourCC('D', 'X', 'T', '3'))
                cDdsDecoder::decodeDxt3Block(source, block);
            else
                cDdsDecoder::decodeDxt5Block(source, block);
            for (size_t py = 0; py < 4 && by * 4 + py < size_t(image.height); ++py)
                for (size_t px = 0; px < 4 && bx * 4 + px < size_t(image.width); ++px)
                    image.pixels[(by * 4 + py) * size_t(image.width) + bx * 4 + px] = block[py * 4 + px];
        }
}

} // namespace

void cDdsDecoder::decodeDxt1Block(const uint8_t* block, uint32_t* out) {
    colorBlock(block, readUint16LE(block) > readUint16LE(block + 2), out);
}

void cDdsDecoder::decodeDxt3Block(const uint8_t* block, uint32_t* out) {
    colorBlock(block + 8, true, out);
    for (int i = 0; i < 16; ++i) {
        const uint32_t alpha = (block[i / 2] >> (4 * (i % 2))) & 0xF;
        out[i] = (out[i] & 0x00FFFFFF) | (alpha * 17) << 24;
    }
}

void cDdsDecoder::decodeDxt5Block(const uint8_t* block, uint32_t* out) {
    colorBlock(block + 8, true, out);
    uint32_t alphas[8];
    alphas[0] = block[0];
    alphas[1] = block[1];
    if (alphas[0] > alphas[1]) {
        for (uint32_t i = 1; i < 7; ++i)
            alphas[i + 1] = ((7 - i) * alphas[0] + i * alphas[1]) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i)
            alphas[i + 1] = ((5 - i) * alphas[0] + i * alphas[1]) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i)
        indices |= uint64_t(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        out[i] = (out[i] & 0x00FFFFFF) | alphas[(indices >> (3 * i)) & 7] << 24;
}

void cDdsDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    if (size < HEADER_SIZE)
        throw cImageError("DDS data is truncated");
    const uint8_t* header = bytes + 4;
    if (readUint32LE(header) != 124)
        throw cImageError("DDS header is corrupt");
    const uint32_t height = readUint32LE(header + 8);
    const uint32_t width = readUint32LE(header + 12);
    const uint8_t* format = header + 72;
    if (readUint32LE(format) != 32)
        throw cImageError("DDS pixel format is corrupt");
    const uint32_t flags = readUint32LE(format + 4);
    const uint32_t codec = readUint32LE(format + 8);
    const uint32_t bitCount = readUint32LE(format + 12);
    cImageDecoder::allocate(image, long(width), long(height), "DDS");
    const uint8_t* data = bytes + HEADER_SIZE;
    const size_t available = size - HEADER_SIZE;
    if (flags & DDPF_FOURCC) {
        if (codec != fourCC('D', 'X', 'T', '1') && codec != fourCC('D', 'X', 'T', '3') &&
            codec != fourCC('D', 'X', 'T', '5'))
            throw cImageError("DDS compression is not supported (only DXT1, DXT3 and DXT5)");
        decodeCompressed(data, available, codec, image);
    } else if (flags & (DDPF_RGB | DDPF_LUMINANCE | DDPF_ALPHA)) {
        decodeUncompressed(data, available, flags, bitCount, format, image);
    } else {
        throw cImageError("DDS pixel format is not supported");
    }
}

} // namespace Engine
