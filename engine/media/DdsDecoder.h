#pragma once

// DirectDraw surface files: the first level of uncompressed RGB(A), luminance or alpha
// surfaces described by bit masks, and of DXT1, DXT3 and DXT5 compressed surfaces.

#include "engine/media/ImageDecoder.h"

namespace Engine {

class cDdsDecoder {
public:
    // Throws a narrow cString for a short or damaged file or a surface kind it does not read.
    static void decode(const uint8_t* bytes, size_t size, cImage& image);

    // One 4x4 block into 16 pixels (rows of four). Alpha blocks are the 8 bytes in front of the
    // colour block in DXT3 and DXT5.
    static void decodeDxt1Block(const uint8_t* block, uint32_t* out);
    static void decodeDxt3Block(const uint8_t* block, uint32_t* out);
    static void decodeDxt5Block(const uint8_t* block, uint32_t* out);
};

} // namespace Engine
