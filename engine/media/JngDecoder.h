#pragma once

// JNG files (JPEG colour with an optional PNG or JPEG alpha channel) through libmng.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cJngDecoder {
public:
    // Throws a narrow cString when libmng cannot show the whole image.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);
};

} // namespace Engine
