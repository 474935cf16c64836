#include "engine/media/PngDecoder.h"

#include "engine/core/String.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <string>

namespace Engine {

namespace {

// Everything libpng's callbacks touch; they report through it and longjmp, never throw.
struct cPngSource {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    size_t position = 0;
    char message[256] = {};
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    cPngSource* source = static_cast<cPngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position)
        png_error(png, "data is truncated");
    std::memcpy(out, source->bytes + source->position, length);
    source->position += length;
}

void onError(png_structp png, png_const_charp message) {
    cPngSource* source = static_cast<cPngSource*>(png_get_error_ptr(png));
    std::strncpy(source->message, message ? message : "unknown error", sizeof(source->message) - 1);
    longjmp(png_jmpbuf(png), 1);
}

void onWarning(png_structp, png_const_charp) {}

struct cPngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
    ~cPngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

} // namespace

void cPngDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    // Held through pointers set before setjmp: what they point to is still valid after a longjmp.
    auto sourceHolder = std::make_unique<cPngSource>();
    auto readerHolder = std::make_unique<cPngReader>();
    cPngSource& source = *sourceHolder;
    cPngReader& reader = *readerHolder;
    source.bytes = bytes;
    source.size = size;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onError, onWarning);
    if (!reader.png)
        throw cImageError("PNG decoder cannot start");
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info)
        throw cImageError("PNG decoder cannot start");
    if (setjmp(png_jmpbuf(reader.png)))
        throw cImageError(std::string("PNG data is corrupt: ") + source.message);

    png_set_read_fn(reader.png, &source, readBytes);
    png_set_user_limits(reader.png, cImageDecoder::MAX_SIDE, cImageDecoder::MAX_SIDE);
    png_read_info(reader.png, reader.info);
    const png_uint_32 width = png_get_image_width(reader.png, reader.info);
    const png_uint_32 height = png_get_image_height(reader.png, reader.info);
    const int colorType = png_get_color_type(reader.png, reader.info);

    png_set_expand(reader.png);
    png_set_strip_16(reader.png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(reader.png);
    png_set_bgr(reader.png);
    png_set_add_alpha(reader.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    if (png_get_rowbytes(reader.png, reader.info) != size_t(width) * 4)
        png_error(reader.png, "unexpected row layout");

    cImageDecoder::allocate(image, long(width), long(height), "PNG");
    reader.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        reader.rows[y] = reinterpret_cast<png_bytep>(&image.pixels[size_t(y) * width]);
    png_read_image(reader.png, reader.rows.data());
    png_read_end(reader.png, nullptr);
}

} // namespace Engine
