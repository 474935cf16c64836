#include "tests/media/ImageFiles.h"

#include "engine/media/ImageOutput.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace TestImages {

namespace {

void put16(std::string& out, uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((v >> shift) & 0xFF);
}
uint8_t channel(uint32_t pixel, int shift) {
    return uint8_t((pixel >> shift) & 0xFF);
}

void appendPng(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void pngChunk(std::string& out, const char* type, const std::string& data) {
    putBig32(out, uint32_t(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    putBig32(out, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

} // namespace

Pixels pattern(int width, int height) {
    Pixels pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t a = uint32_t(255 - (x * 37 + y * 11) % 256);
            const uint32_t r = uint32_t(x * 255 / std::max(1, width - 1));
            const uint32_t g = uint32_t(y * 255 / std::max(1, height - 1));
            const uint32_t b = uint32_t((x + y) * 255 / std::max(1, width + height - 2));
            pixels[size_t(y) * size_t(width) + size_t(x)] = a << 24 | r << 16 | g << 8 | b;
        }
    return pixels;
}

std::string png(int width, int height, const Pixels& pixels, bool alpha) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendPng, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row;
    for (int y = 0; y < height; ++y) {
        row.clear();
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            row.push_back(channel(p, 16));
            row.push_back(channel(p, 8));
            row.push_back(channel(p, 0));
            if (alpha)
                row.push_back(channel(p, 24));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string bmp(int width, int height, const Pixels& pixels, int bits) {
    const size_t stride = (size_t(width) * size_t(bits / 8) + 3) / 4 * 4;
    std::string out = "BM";
    put32(out, uint32_t(54 + stride * size_t(height)));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put16(out, 1);
    put16(out, uint32_t(bits));
    put32(out, 0);
    put32(out, uint32_t(stride * size_t(height)));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            row += char(channel(p, 0));
            row += char(channel(p, 8));
            row += char(channel(p, 16));
            if (bits == 32)
                row += char(channel(p, 24));
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

std::string tga(int width, int height, const Pixels& pixels, int bits, bool rle) {
    std::string out;
    out += char(0);
    out += char(0);
    out += char(rle ? 10 : 2);
    out.append(5, '\0');
    put16(out, 0);
    put16(out, 0);
    put16(out, uint32_t(width));
    put16(out, uint32_t(height));
    out += char(bits);
    out += char(0x20 | (bits == 32 ? 8 : 0)); // top-left origin
    auto pixel = [&](uint32_t p) {
        std::string s;
        s += char(channel(p, 0));
        s += char(channel(p, 8));
        s += char(channel(p, 16));
        if (bits == 32)
            s += char(channel(p, 24));
        return s;
    };
    if (!rle) {
        for (uint32_t p : pixels)
            out += pixel(p);
        return out;
    }
    // Runs of equal pixels as run packets, everything else as one-pixel raw packets.
    for (size_t i = 0; i < pixels.size();) {
        size_t run = 1;
        while (i + run < pixels.size() && pixels[i + run] == pixels[i] && run < 128)
            ++run;
        if (run > 1) {
            out += char(0x80 | (run - 1));
            out += pixel(pixels[i]);
        } else {
            out += char(0);
            out += pixel(pixels[i]);
        }
        i += run;
    }
    return out;
}

static std::string ddsHeader(int width, int height, uint32_t pfFlags, const char* fourCC, uint32_t bits,
                             const uint32_t masks[4]) {
    std::string out = "DDS ";
    put32(out, 124);
    put32(out, 0x1007);
    put32(out, uint32_t(height));
    put32(out, uint32_t(width));
    put32(out, 0);
    put32(out, 0);
    put32(out, 1);
    out.append(44, '\0');
    put32(out, 32);
    put32(out, pfFlags);
    out += fourCC ? std::string(fourCC, 4) : std::string(4, '\0');
    put32(out, bits);
    for (int i = 0; i < 4; ++i)
        put32(out, masks ? masks[i] : 0);
    put32(out, 0x1000);
    out.append(16, '\0');
    return out;
}

std::string ddsArgb(int width, int height, const Pixels& pixels) {
    uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::string out = ddsHeader(width, height, 0x41, nullptr, 32, masks);
    for (uint32_t p : pixels)
        put32(out, p);
    return out;
}

std::string ddsMasked(int width, int height, uint32_t flags, uint32_t bits, const uint32_t masks[4],
                      const std::string& data) {
    return ddsHeader(width, height, flags, nullptr, bits, masks) + data;
}

std::string ddsBlocks(int width, int height, const char* fourCC, const std::string& blocks) {
    return ddsHeader(width, height, 0x4, fourCC, 0, nullptr) + blocks;
}

std::vector<uint8_t> dib24(int width, int height, const Pixels& pixels) {
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            uint8_t* d = &out[size_t(height - 1 - y) * stride + size_t(x) * 3];
            d[0] = channel(p, 0);
            d[1] = channel(p, 8);
            d[2] = channel(p, 16);
        }
    return out;
}

std::string jpegInks(int width, int height, const uint8_t ink[4], bool ycck, bool adobe) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, ycck ? JCS_YCCK : JCS_CMYK);
    info.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        std::copy(ink, ink + 4, &row[size_t(x) * 4]);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::string jpeg(int width, int height, const Pixels& pixels) {
    Engine::cBitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = 24;
    const std::vector<uint8_t> dib = dib24(width, height, pixels);
    const std::string path = "test-image.jpg";
    std::string error;
    if (!Engine::writeJpeg(&header, dib.data(), 95, std::wstring(path.begin(), path.end()), &error))
        throw std::runtime_error("cannot write test JPEG: " + error);
    std::string bytes = TestSupport::readFileBytes(path);
    std::remove(path.c_str());
    return bytes;
}

std::string jng(int width, int height, const Pixels& pixels, bool alpha) {
    std::string out = "\x8BJNG\r\n\x1A\n";
    std::string header;
    putBig32(header, uint32_t(width));
    putBig32(header, uint32_t(height));
    header += char(alpha ? 14 : 10); // colour, or colour with alpha
    header += char(8);               // sample depth
    header += char(8);               // Huffman-coded baseline JPEG
    header += char(0);               // not interlaced
    header += char(alpha ? 8 : 0);   // alpha sample depth
    header += char(0);               // alpha compressed as PNG samples
    header += char(0);
    header += char(0);
    pngChunk(out, "JHDR", header);
    pngChunk(out, "JDAT", jpeg(width, height, pixels));
    if (alpha) {
        std::string rows;
        for (int y = 0; y < height; ++y) {
            rows += char(0); // no filter
            for (int x = 0; x < width; ++x)
                rows += char(channel(pixels[size_t(y) * size_t(width) + size_t(x)], 24));
        }
        uLongf length = compressBound(uLong(rows.size()));
        std::string packed(length, '\0');
        compress(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(rows.data()),
                 uLong(rows.size()));
        packed.resize(length);
        pngChunk(out, "IDAT", packed);
    }
    pngChunk(out, "IEND", "");
    return out;
}

int maxChannelDifference(const Pixels& a, const Pixels& b, bool compareAlpha) {
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < (compareAlpha ? 32 : 24); shift += 8)
            worst = std::max(worst, std::abs(int(channel(a[i], shift)) - int(channel(b[i], shift))));
    return worst;
}

} // namespace TestImages
