#pragma once

// TGA and BMP files (and the other simple formats stb_image reads) through stb_image.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cStbDecoder {
public:
    // Throws a narrow cString when stb_image cannot read the data.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);
};

} // namespace Engine
