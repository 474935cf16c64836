#include "engine/media/ImageOutput.h"

#include "engine/core/String.h"
#include "engine/media/JpegErrors.h"

#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <filesystem>
#include <memory>
#include <vector>

namespace Engine {

namespace {

uint32_t expand5(uint32_t k) {
    return k == 0 ? 0 : k == 31 ? 255 : 8 * k + 8;
}

// Everything the compression touches lives here, outside the setjmp frame, so a longjmp
// leaves nothing behind: the destructor releases the compressor and closes the file.
struct cJpegWriter {
    jpeg_compress_struct info;
    bool created = false;
    FILE* file = nullptr;
    std::vector<uint8_t> pixelRows;
    std::vector<uint8_t*> rows;

    bool closeFile() {
        bool ok = true;
        if (file) {
            ok = std::fflush(file) == 0 && !std::ferror(file);
            ok = std::fclose(file) == 0 && ok;
            file = nullptr;
        }
        return ok;
    }
    ~cJpegWriter() {
        if (created)
            jpeg_destroy_compress(&info);
        closeFile();
    }
};

void removeIfRegularFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error))
        std::filesystem::remove(path, error);
}

} // namespace

uint32_t rgb555ToRgb(uint16_t color) {
    return expand5((color >> 10) & 0x1F) << 16 | expand5((color >> 5) & 0x1F) << 8 | expand5(color & 0x1F);
}

bool bitmapToRgbRows(const cBitmapInfoHeader* header, const uint8_t* pixels, int rowLength, uint8_t** rows,
                     std::string* errorText) {
    if (!header || rowLength <= 0 || !errorText || !pixels || !rows || header->width <= 0 || header->height <= 0) {
        if (errorText)
            *errorText = "Invalid input data";
        return false;
    }
    errorText->clear();
    const int bits = header->bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        *errorText = "Invalid bitmap bit count";
        return false;
    }
    if (bits < 16) {
        *errorText = "Unsupported bitmap bit count";
        return false;
    }
    const size_t width = size_t(header->width);
    const size_t height = size_t(header->height);
    size_t sourceRow = 0;
    if (bits == 16)
        sourceRow = (width + 1) / 2 * 2 * 2;
    else if (bits == 24)
        sourceRow = (width * 3 + 3) / 4 * 4;
    else
        sourceRow = width * 4;
    for (size_t i = 0; i < height; ++i) {
        const uint8_t* source = pixels + (height - 1 - i) * sourceRow;
        uint8_t* out = rows[i];
        for (size_t x = 0; x < width; ++x, out += 3) {
            if (bits == 16) {
                const uint32_t rgb = rgb555ToRgb(uint16_t(source[2 * x] | source[2 * x + 1] << 8));
                out[0] = uint8_t(rgb >> 16);
                out[1] = uint8_t(rgb >> 8);
                out[2] = uint8_t(rgb);
            } else {
                const uint8_t* p = source + x * size_t(bits / 8);
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
            }
        }
    }
    return true;
}

bool writeJpeg(const cBitmapInfoHeader* header, const uint8_t* pixels, int quality, const std::wstring& fileName,
               std::string* errorText) {
    if (quality < 0 || quality > 100 || !header || !errorText || fileName.empty() || !pixels || header->width <= 0 ||
        header->height <= 0) {
        if (errorText)
            *errorText = "Invalid input data";
        return false;
    }
    errorText->clear();
    const std::string path = wideToNarrow(fileName);
    // Held through pointers set before setjmp: what they point to is still valid after a longjmp.
    auto errorsHolder = std::make_unique<cJpegErrors>();
    auto writerHolder = std::make_unique<cJpegWriter>();
    cJpegErrors& errors = *errorsHolder;
    cJpegWriter& writer = *writerHolder;
    writer.info.err = errors.install(false);
    if (setjmp(errors.jump)) {
        *errorText = std::string("Cannot write ") + path + ": " + errors.message;
        writer.closeFile();
        removeIfRegularFile(path);
        return false;
    }
    jpeg_create_compress(&writer.info);
    writer.created = true;

    // Convert before touching the disk, so a bitmap that cannot be converted leaves no file.
    const size_t width = size_t(header->width);
    const size_t height = size_t(header->height);
    writer.pixelRows.resize(width * 3 * height);
    writer.rows.resize(height);
    for (size_t i = 0; i < height; ++i)
        writer.rows[i] = &writer.pixelRows[i * width * 3];
    if (!bitmapToRgbRows(header, pixels, int(width * 3), writer.rows.data(), errorText))
        return false;

    writer.file = std::fopen(path.c_str(), "wb");
    if (!writer.file) {
        *errorText = "Cannot open " + path;
        return false;
    }
    jpeg_stdio_dest(&writer.info, writer.file);
    writer.info.image_width = JDIMENSION(width);
    writer.info.image_height = JDIMENSION(height);
    writer.info.input_components = 3;
    writer.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&writer.info);
    jpeg_set_quality(&writer.info, quality, TRUE);
    jpeg_start_compress(&writer.info, TRUE);
    jpeg_write_scanlines(&writer.info, writer.rows.data(), JDIMENSION(height));
    jpeg_finish_compress(&writer.info);
    if (!writer.closeFile()) {
        *errorText = "Cannot write " + path;
        removeIfRegularFile(path);
        return false;
    }
    return errorText->empty();
}

} // namespace Engine
