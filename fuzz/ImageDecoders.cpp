// libFuzzer target: image file bytes through every decoder. The first byte picks the decoder,
// so each one sees the whole range of inputs, not only those carrying its signature; the rest
// goes through the format detection as a texture file would.

#include "engine/media/DdsDecoder.h"
#include "engine/media/ImageDecoder.h"
#include "engine/media/JngDecoder.h"
#include "engine/media/JpegDecoder.h"
#include "engine/media/PngDecoder.h"
#include "engine/media/StbDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint8_t* bytes = data + 1;
    const size_t count = size - 1;
    Engine::cImage image;
    try {
        switch (data[0] % 6) {
        case 0:
            Engine::cPngDecoder::decode(bytes, count, image);
            break;
        case 1:
            Engine::cJpegDecoder::decode(bytes, count, image);
            break;
        case 2:
            Engine::cJngDecoder::decode(bytes, count, image);
            break;
        case 3:
            Engine::cDdsDecoder::decode(bytes, count, image);
            break;
        case 4:
            Engine::cStbDecoder::decode(bytes, count, image);
            break;
        default:
            Engine::cImageDecoder::decode(bytes, count, image);
            break;
        }
    } catch (const Engine::cImageError&) {
        return 0;
    }
    // A decoded image always holds exactly its pixels.
    if (image.pixels.size() != size_t(image.width) * size_t(image.height))
        __builtin_trap();
    return 0;
}
