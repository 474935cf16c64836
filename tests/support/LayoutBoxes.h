#pragma once

// Laid-out rectangles of widgets in screen pixels, for tests that check that texts sit inside
// their frames and that nothing overlaps: a label's text box (from its alignment, text width and
// tallest letter) and a sprite's box (its size around its centre).

#include "engine/gui/Label.h"
#include "engine/gui/Sprite.h"

#include <cmath>
#include <ostream>

namespace TestSupport {

struct Box {
    float left = 0, top = 0, right = 0, bottom = 0;

    bool inside(const Box& outer) const {
        return left >= outer.left && right <= outer.right && top >= outer.top && bottom <= outer.bottom;
    }
    bool overlaps(const Box& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    Box shrunk(float by) const { return {left + by, top + by, right - by, bottom - by}; }
};

inline std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
}

inline Box centredBox(const Engine::cVector2& centre, const Engine::cVector2& size) {
    const float w = std::fabs(size.x) * 0.5f, h = std::fabs(size.y) * 0.5f;
    return {centre.x - w, centre.y - h, centre.x + w, centre.y + h};
}

inline Box spriteBox(const Engine::cSprite& sprite) {
    return centredBox(sprite.getPosition(), sprite.getSize());
}

inline Box textBox(Engine::cLabel& label) {
    const float width = label.getTextWidth(), height = label.getTextHeight();
    float left = label.getPosition().x;
    if (label.getAlign() == Engine::ALIGN_CENTER)
        left -= width * 0.5f;
    else if (label.getAlign() == Engine::ALIGN_RIGHT)
        left -= width;
    const float top = label.getPosition().y - height * 0.5f;
    return {left, top, left + width, top + height};
}

} // namespace TestSupport
