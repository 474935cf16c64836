#pragma once

// PNG files through libpng: every colour type and depth becomes 8-bit ARGB.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cPngDecoder {
public:
    // Throws a narrow cString when the data is not a whole, valid PNG image.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);
};

} // namespace Engine
