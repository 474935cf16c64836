#pragma once

// Small image files written by the tests themselves, from 0xAARRGGBB pixels (rows top first).

#include <cstdint>
#include <string>
#include <vector>

namespace TestImages {

using Pixels = std::vector<uint32_t>;

// A w x h picture of smooth colour gradients (kind to JPEG) whose alpha varies from pixel to pixel.
Pixels pattern(int width, int height);

std::string png(int width, int height, const Pixels& pixels, bool alpha = true);
std::string bmp(int width, int height, const Pixels& pixels, int bits);
std::string tga(int width, int height, const Pixels& pixels, int bits, bool rle);
// 32-bit A8R8G8B8 surface described by masks.
std::string ddsArgb(int width, int height, const Pixels& pixels);
// An uncompressed surface of any layout: pixel-format flags, bit count, the red, green, blue and
// alpha masks, and the stored pixel bytes.
std::string ddsMasked(int width, int height, uint32_t flags, uint32_t bits, const uint32_t masks[4],
                      const std::string& data);
// A compressed surface: fourCC "DXT1", "DXT3" or "DXT5" and the blocks as they are stored.
std::string ddsBlocks(int width, int height, const char* fourCC, const std::string& blocks);
// Bottom-up 24-bit DIB rows, padded to four bytes.
std::vector<uint8_t> dib24(int width, int height, const Pixels& pixels);
// Baseline JPEG of quality 95 through the engine's writer.
std::string jpeg(int width, int height, const Pixels& pixels);
// A JPEG of one colour given as four ink bytes (C, M, Y, K as stored), in CMYK or YCCK, with or
// without the Adobe marker, written with libjpeg.
std::string jpegInks(int width, int height, const uint8_t ink[4], bool ycck, bool adobe);
// JNG: JPEG colour, with the alpha channel as PNG-compressed samples when alpha is set.
std::string jng(int width, int height, const Pixels& pixels, bool alpha);

// Largest difference of any channel between two pictures of equal size.
int maxChannelDifference(const Pixels& a, const Pixels& b, bool compareAlpha = true);

} // namespace TestImages
