#pragma once

// The graphics device's image readers: an image file decoded into plain memory instead of a
// texture, as colours or as an alpha mask for pixel-exact hit tests.

#include "engine/core/BitMask.h"
#include "engine/core/Color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {

class cImageReader {
public:
    // Colours of the image, row i column j at i x width + j. A PowerVR file fills nothing.
    // Returns 0; a missing or undecodable file throws, naming the file.
    int loadImagePixels(const std::string& path, std::vector<cColor>& pixels, int& width, int& height);
    // The mask gets the image's width and height; a cell holds the pixel's alpha, so it is set
    // where the alpha is not 0. A PowerVR file leaves the mask unchanged. Returns 0.
    int loadAlphaMask(const std::string& path, cBitMask& mask);

private:
    // Reads and decodes the file; false for a PowerVR file.
    bool decode(const std::string& path);

    std::vector<uint8_t> m_bytes;
    std::vector<uint32_t> m_pixels;
    int m_width = 0;
    int m_height = 0;
};

} // namespace Engine
