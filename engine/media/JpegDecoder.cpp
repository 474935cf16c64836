#include "engine/media/JpegDecoder.h"

#include "engine/core/String.h"
#include "engine/media/JpegErrors.h"

#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <string>

namespace Engine {

namespace {

struct cJpegReader {
    jpeg_decompress_struct info;
    bool created = false;
    ~cJpegReader() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

} // namespace

void cJpegDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    // Held through pointers set before setjmp: what they point to is still valid after a longjmp.
    auto errorsHolder = std::make_unique<cJpegErrors>();
    auto readerHolder = std::make_unique<cJpegReader>();
    cJpegErrors& errors = *errorsHolder;
    cJpegReader& reader = *readerHolder;
    reader.info.err = errors.install(true);
    if (setjmp(errors.jump))
        throw cImageError(std::string("JPEG data is corrupt: ") + errors.message);

    jpeg_create_decompress(&reader.info);
    reader.created = true;
    reader.info.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&reader.info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&reader.info, TRUE);
    if (reader.info.jpeg_color_space == JCS_CMYK || reader.info.jpeg_color_space == JCS_YCCK)
        throw cImageError("JPEG image in CMYK colours is not supported");
    cImageDecoder::allocate(image, long(reader.info.image_width), long(reader.info.image_height), "JPEG");
    reader.info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&reader.info);
    if (int(reader.info.output_width) != image.width || int(reader.info.output_height) != image.height)
        throw cImageError("JPEG image changed size while decoding");
    while (reader.info.output_scanline < reader.info.output_height) {
        JSAMPROW row =
            reinterpret_cast<JSAMPROW>(&image.pixels[size_t(reader.info.output_scanline) * size_t(image.width)]);
        jpeg_read_scanlines(&reader.info, &row, 1);
    }
    jpeg_finish_decompress(&reader.info);
}

} // namespace Engine
