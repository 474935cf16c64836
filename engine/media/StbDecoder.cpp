#include "engine/media/StbDecoder.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/String.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

namespace Engine {

namespace {

std::string failureReason() {
    const char* reason = stbi_failure_reason();
    return reason ? reason : "unknown error";
}

// stb_image reads zeros past the end of its input, so a cut file would decode as a picture
// with a black tail: the sizes its headers promise are checked first.
bool isBmpComplete(const uint8_t* bytes, size_t size) {
    if (size < 26)
        return false;
    const uint64_t offset = readUint32LE(bytes + 10);
    const uint32_t headerSize = readUint32LE(bytes + 14);
    uint64_t width, height, bitCount, compression = 0;
    if (headerSize == 12) {
        width = readUint16LE(bytes + 18);
        height = readUint16LE(bytes + 20);
        bitCount = readUint16LE(bytes + 24);
    } else {
        if (size < 34)
            return false;
        width = uint64_t(std::abs(int64_t(int32_t(readUint32LE(bytes + 18)))));
        height = uint64_t(std::abs(int64_t(int32_t(readUint32LE(bytes + 22)))));
        bitCount = readUint16LE(bytes + 28);
        compression = readUint32LE(bytes + 30);
    }
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // stb_image refuses these itself
    const uint64_t stride = (width * bitCount + 31) / 32 * 4;
    return offset + stride * height <= size;
}

bool isTgaComplete(const uint8_t* bytes, size_t size) {
    if (size < 18)
        return false;
    const uint32_t type = bytes[2];
    const uint64_t colorMapBytes = bytes[1] ? uint64_t(readUint16LE(bytes + 5)) * ((bytes[7] + 7u) / 8u) : 0;
    const uint64_t pixelCount = uint64_t(readUint16LE(bytes + 12)) * readUint16LE(bytes + 14);
    const uint64_t pixelSize = (bytes[16] + 7u) / 8u;
    uint64_t position = 18 + uint64_t(bytes[0]) + colorMapBytes;
    if (type < 8)
        return position + pixelCount * pixelSize <= size;
    // Run-length packets: a count byte, then one pixel for a run or count pixels for a raw packet.
    for (uint64_t done = 0; done < pixelCount;) {
        if (position >= size)
            return false;
        const uint8_t packet = bytes[position++];
        const uint64_t count = (packet & 0x7Fu) + 1u;
        position += (packet & 0x80) ? pixelSize : count * pixelSize;
        done += count;
    }
    return position <= size;
}

} // namespace

void cStbDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    if (size > size_t(INT_MAX))
        throw cImageError("Image file is too large");
    const char* format = cImageDecoder::detectFormat(bytes, size) == IMAGE_BMP ? "BMP" : "TGA";
    int width = 0, height = 0, components = 0;
    if (!stbi_info_from_memory(bytes, int(size), &width, &height, &components))
        throw cImageError(std::string(format) + " data is corrupt or of an unknown kind: " + failureReason());
    cImageDecoder::allocate(image, width, height, format);
    if (!(format[0] == 'B' ? isBmpComplete(bytes, size) : isTgaComplete(bytes, size)))
        throw cImageError(std::string(format) + " data is truncated");
    std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
        stbi_load_from_memory(bytes, int(size), &width, &height, &components, 4), stbi_image_free);
    if (!rgba)
        throw cImageError(std::string(format) + " data is corrupt: " + failureReason());
    if (width != image.width || height != image.height)
        throw cImageError(std::string(format) + " data is corrupt: size changed while decoding");
    const stbi_uc* p = rgba.get();
    for (uint32_t& pixel : image.pixels) {
        pixel = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
        p += 4;
    }
}

} // namespace Engine
