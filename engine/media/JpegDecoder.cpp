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

uint32_t cmykToArgb(const uint8_t* ink, bool inverted) {
    uint32_t channel[3];
    for (int i = 0; i < 3; ++i) {
        // What is left of white once the ink and the black are laid down.
        uint32_t c = inverted ? ink[i] : 255u - ink[i];
        uint32_t k = inverted ? ink[3] : 255u - ink[3];
        channel[i] = (c * k + 127u) / 255u;
    }
    return 0xFF000000u | channel[0] << 16 | channel[1] << 8 | channel[2];
}

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
    // Print and scan programs write CMYK, or YCCK that the library turns into CMYK for us.
    const bool cmyk = reader.info.jpeg_color_space == JCS_CMYK || reader.info.jpeg_color_space == JCS_YCCK;
    cImageDecoder::allocate(image, long(reader.info.image_width), long(reader.info.image_height), "JPEG");
    reader.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&reader.info);
    if (int(reader.info.output_width) != image.width || int(reader.info.output_height) != image.height)
        throw cImageError("JPEG image changed size while decoding");
    // Adobe's files store the four inks inverted (255 = no ink).
    const bool inverted = reader.info.saw_Adobe_marker;
    while (reader.info.output_scanline < reader.info.output_height) {
        uint32_t* pixels = &image.pixels[size_t(reader.info.output_scanline) * size_t(image.width)];
        JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels);
        jpeg_read_scanlines(&reader.info, &row, 1);
        // Each CMYK pixel is four bytes, the size of the ARGB pixel it becomes in place.
        if (cmyk)
            for (int x = 0; x < image.width; ++x)
                pixels[x] = cmykToArgb(reinterpret_cast<const uint8_t*>(&pixels[x]), inverted);
    }
    jpeg_finish_decompress(&reader.info);
}

} // namespace Engine
