#include "tests/support/PixelTest.h"

#include "engine/platform/GlContext.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace TestSupport {

std::unique_ptr<Platform::IRenderDevice> createPixelTestDevice(int width, int height, std::string& reason) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    try {
        Platform::cPresentParameters parameters;
        parameters.width = width;
        parameters.height = height;
        return Platform::createGlRenderDevice(Platform::createHeadlessGlContext(), parameters);
    } catch (const std::string& error) {
        reason = error;
    }
    return nullptr;
}

bool colorsDiffer(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return true;
    }
    return false;
}

::testing::AssertionResult pixelNear(Platform::IRenderDevice& device, int x, int y, uint32_t expected, int tolerance) {
    std::vector<uint32_t> pixel;
    if (!device.readBackBuffer(x, y, 1, 1, pixel))
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is outside the back buffer";
    uint32_t actual = pixel[0];
    if (colorsDiffer(actual, expected, tolerance)) {
        char text[96];
        std::snprintf(text, sizeof(text), "pixel (%d, %d) is %06X, expected %06X", x, y, actual & 0xFFFFFF,
                      expected & 0xFFFFFF);
        return ::testing::AssertionFailure() << text;
    }
    return ::testing::AssertionSuccess();
}

bool writeRgbPng(const std::string& path, const std::vector<uint32_t>& argb, int stride, int left, int top, int width,
                 int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(width) * 3);
    for (int y = top; y < top + height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = argb[size_t(y) * size_t(stride) + size_t(left + x)];
            row[size_t(x) * 3] = png_byte(pixel >> 16);
            row[size_t(x) * 3 + 1] = png_byte(pixel >> 8);
            row[size_t(x) * 3 + 2] = png_byte(pixel);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace TestSupport
