#include "engine/media/ImageDecoder.h"

#include "engine/core/String.h"
#include "engine/media/BmpRleDecoder.h"
#include "engine/media/DdsDecoder.h"
#include "engine/media/JngDecoder.h"
#include "engine/media/JpegDecoder.h"
#include "engine/media/PngDecoder.h"
#include "engine/media/StbDecoder.h"

#include <cstring>

namespace Engine {

namespace {

bool startsWith(const uint8_t* bytes, size_t size, const char* signature, size_t length) {
    return size >= length && std::memcmp(bytes, signature, length) == 0;
}

} // namespace

bool cImageDecoder::isPvr(const uint8_t* bytes, size_t size) {
    return bytes && size > 48 && std::memcmp(bytes + 44, "PVR!", 4) == 0;
}

eImageFormat cImageDecoder::detectFormat(const uint8_t* bytes, size_t size) {
    if (startsWith(bytes, size, "\x89PNG", 4))
        return IMAGE_PNG;
    if (startsWith(bytes, size, "\x8BJNG", 4))
        return IMAGE_JNG;
    if (isPvr(bytes, size))
        return IMAGE_PVR;
    if (startsWith(bytes, size, "\xFF\xD8\xFF", 3))
        return IMAGE_JPEG;
    if (startsWith(bytes, size, "DDS ", 4))
        return IMAGE_DDS;
    if (startsWith(bytes, size, "BM", 2))
        return IMAGE_BMP;
    return IMAGE_TGA;
}

void cImageDecoder::allocate(cImage& image, long width, long height, const char* format) {
    if (width <= 0 || height <= 0)
        throw cImageError(std::string(format) + " image has no pixels");
    if (width > MAX_SIDE || height > MAX_SIDE || size_t(width) * size_t(height) > MAX_PIXELS)
        throw cImageError(std::string(format) + " image is too large (" + std::to_string(width) + "x" +
                          std::to_string(height) + ")");
    image.width = int(width);
    image.height = int(height);
    image.pixels.assign(size_t(width) * size_t(height), 0u);
}

void cImageDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    image = cImage();
    if (!bytes || size == 0)
        throw cImageError("Image file is empty");
    switch (detectFormat(bytes, size)) {
    case IMAGE_PNG:
        cPngDecoder::decode(bytes, size, image);
        break;
    case IMAGE_JNG:
        cJngDecoder::decode(bytes, size, image);
        break;
    case IMAGE_PVR:
        throw cImageError("PowerVR textures are not supported");
    case IMAGE_JPEG:
        cJpegDecoder::decode(bytes, size, image);
        break;
    case IMAGE_DDS:
        cDdsDecoder::decode(bytes, size, image);
        break;
    case IMAGE_BMP:
        if (cBmpRleDecoder::isRle(bytes, size))
            cBmpRleDecoder::decode(bytes, size, image);
        else
            cStbDecoder::decode(bytes, size, image);
        break;
    case IMAGE_TGA:
        cStbDecoder::decode(bytes, size, image);
        break;
    }
}

} // namespace Engine
