#pragma once

// A pair of ints: a cursor position in pixels, or a corner given in whole pixels.

namespace Engine {

struct cPoint {
    int x = 0, y = 0;

    bool operator==(const cPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const cPoint& o) const { return !(*this == o); }
};

} // namespace Engine
