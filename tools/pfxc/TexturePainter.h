#pragma once

// Paints the small white particle textures the effects tint (soft glow, star, puff, dot) and
// writes them as PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace Pfxc {

struct cPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba; // rows top first
};

class cTexturePainter {
public:
    // Kinds: "glow", "star", "puff", "dot". Throws a std::string for any other kind.
    static cPicture paint(const std::string& kind, int size);
    static std::vector<uint8_t> encodePng(const cPicture& picture);
};

} // namespace Pfxc
