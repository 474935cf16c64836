#pragma once

// JPEG files through libjpeg-turbo; a truncated or damaged stream is an error, never a
// half-grey picture.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cJpegDecoder {
public:
    // Throws a narrow cString when the data is not a whole, valid JPEG image.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);
};

} // namespace Engine
