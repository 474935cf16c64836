#pragma once

// A pair of ints for sizes in whole pixels (texture and image sizes, screen sizes).

#include <cstdint>

namespace Engine {

struct cIntPair {
    int32_t x = 0, y = 0;

    cIntPair() = default;
    cIntPair(int32_t x_, int32_t y_) : x(x_), y(y_) {}
    bool operator==(const cIntPair& o) const { return x == o.x && y == o.y; }
    bool operator!=(const cIntPair& o) const { return !(*this == o); }
};

} // namespace Engine
