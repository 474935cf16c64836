#pragma once

// Decodes image files held in memory into 32-bit pixels. The format is told by the bytes:
// PNG, JNG, JPEG, BMP and DDS by their signatures, anything else is tried as TGA. PowerVR
// textures are recognised and refused.

#include "engine/core/String.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine {

// The reason an image cannot be decoded; a narrow cString, so every handler of those sees it.
class cImageError : public cStringA {
public:
    using cStringA::cStringA;
    explicit cImageError(const std::string& text) : cStringA(text) {}
};

// A decoded image: width x height words 0xAARRGGBB, rows top first.
struct cImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

enum eImageFormat { IMAGE_PNG, IMAGE_JNG, IMAGE_JPEG, IMAGE_BMP, IMAGE_DDS, IMAGE_PVR, IMAGE_TGA };

class cImageDecoder {
public:
    // Largest side and pixel count a decoder accepts, so a forged header cannot ask for
    // gigabytes.
    static constexpr int MAX_SIDE = 16384;
    static constexpr size_t MAX_PIXELS = size_t(1) << 26;

    static eImageFormat detectFormat(const uint8_t* bytes, size_t size);
    // A PowerVR texture: more than 48 bytes with "PVR!" at offset 44.
    static bool isPvr(const uint8_t* bytes, size_t size);
    // Decodes the bytes into the image. Throws cImageError naming the format and what is wrong
    // when the bytes are empty, truncated, corrupt or of a refused kind.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);

    // For the format decoders: sizes the image after checking the limits; throws otherwise.
    static void allocate(cImage& image, long width, long height, const char* format);
};

} // namespace Engine
