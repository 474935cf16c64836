#include "TexturePainter.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Pfxc {

namespace {

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

float smooth(float edge0, float edge1, float x) {
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// A fixed pseudo-random value per lattice point, for the puff's soft lumps.
float lattice(int x, int y) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float valueNoise(float x, float y) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy), b = lattice(ix + 1, iy), c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

// Coverage of one kind at (u, v) in [-1, 1], four samples per pixel by the caller.
float coverage(const std::string& kind, float u, float v) {
    const float r = std::sqrt(u * u + v * v);
    if (kind == "glow") {
        // A bright core that fades smoothly to nothing at the edge.
        float fall = clamp01(1 - r);
        return fall * fall * (0.6f + 0.4f * fall);
    }
    if (kind == "dot")
        return 1 - smooth(0.7f, 0.95f, r);
    if (kind == "star") {
        // Five rounded points with a soft glow behind them.
        const float angle = std::atan2(v, u) + 3.14159265f / 2;
        const float points = 0.5f + 0.5f * std::cos(5 * angle);
        const float edge = 0.42f + 0.5f * std::pow(points, 3.0f);
        const float body = 1 - smooth(edge - 0.08f, edge, r);
        const float halo = 0.35f * clamp01(1 - r) * clamp01(1 - r);
        return std::max(body, halo);
    }
    if (kind == "puff") {
        // A round cloud with soft lumps at its rim.
        const float lumps = valueNoise(u * 3 + 7, v * 3 + 3) * 0.5f + valueNoise(u * 6 + 1, v * 6 + 9) * 0.25f;
        const float edge = 0.6f + 0.3f * lumps;
        return (1 - smooth(edge - 0.35f, edge, r)) * (0.75f + 0.25f * lumps);
    }
    throw std::string("unknown texture kind \"" + kind + "\"");
}

} // namespace

cPicture cTexturePainter::paint(const std::string& kind, int size) {
    if (size < 4 || size > 256)
        throw std::string("texture size out of range");
    cPicture picture;
    picture.width = picture.height = size;
    picture.rgba.resize(size_t(size) * size * 4);
    uint8_t* out = picture.rgba.data();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float sum = 0;
            for (int s = 0; s < 4; ++s) {
                float u = (float(x) + 0.25f + 0.5f * float(s & 1)) / float(size) * 2 - 1;
                float v = (float(y) + 0.25f + 0.5f * float(s >> 1)) / float(size) * 2 - 1;
                sum += coverage(kind, u, v);
            }
            // White texels: the particle's colour keys tint them.
            out[0] = out[1] = out[2] = 255;
            out[3] = uint8_t(std::lround(clamp01(sum / 4) * 255));
            out += 4;
        }
    return picture;
}

std::vector<uint8_t> cTexturePainter::encodePng(const cPicture& picture) {
    std::vector<uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::string("PNG encoding failed");
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            out->insert(out->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
        png_write_row(png, const_cast<png_bytep>(picture.rgba.data() + size_t(y) * picture.width * 4));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

} // namespace Pfxc
