#pragma once

// An axis-aligned rectangle by its top-left and bottom-right corners; also the texture
// coordinate rectangle of a sprite.

#include "engine/core/Point.h"
#include "engine/core/Vector2.h"

namespace Engine {

class cRect {
public:
    cVector2 topLeft, bottomRight;

    cRect() = default;
    cRect(const cVector2& first, const cVector2& second) : topLeft(first), bottomRight(second) {}
    cRect(float left, float top, float right, float bottom) : topLeft(left, top), bottomRight(right, bottom) {}

    void assign(const cVector2& first, const cVector2& second) {
        topLeft = first;
        bottomRight = second;
    }
    void clear() {
        topLeft.clear();
        bottomRight.clear();
    }
    // (0, 0) - (1, 1): the whole texture.
    void setUnit() { assign(cVector2(0.0f, 0.0f), cVector2(1.0f, 1.0f)); }
    // The sums are taken in integers, then converted.
    void setFromPointAndSize(const cPoint& p, int w, int h) { assign(cVector2(p.x, p.y), cVector2(p.x + w, p.y + h)); }

    float getX() const { return topLeft.x; }
    float getY() const { return topLeft.y; }
    const cVector2& getCorner() const { return bottomRight; }
    float getWidth() const { return bottomRight.x - topLeft.x; }
    float getHeight() const { return bottomRight.y - topLeft.y; }
    // Left and top edges inside, right and bottom edges outside.
    bool contains(const cVector2& p) const {
        return topLeft.x <= p.x && p.x < bottomRight.x && topLeft.y <= p.y && p.y < bottomRight.y;
    }

    bool operator==(const cRect& o) const { return topLeft == o.topLeft && bottomRight == o.bottomRight; }
    bool operator!=(const cRect& o) const { return !(*this == o); }
};

} // namespace Engine
