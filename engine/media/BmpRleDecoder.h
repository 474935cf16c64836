#pragma once

// BMP files whose palette indices are run-length encoded (RLE8 and RLE4), which paint programs
// still write and stb_image does not read.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cBmpRleDecoder {
public:
    // A BMP with a Windows info header and RLE8 or RLE4 compression.
    static bool isRle(const uint8_t* bytes, size_t size);
    // Pixels the runs skip take palette entry 0. Throws a cImageError naming BMP when the data is
    // truncated or corrupt.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);
};

} // namespace Engine
