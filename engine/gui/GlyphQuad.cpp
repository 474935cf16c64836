#include "engine/gui/GlyphQuad.h"

#include <algorithm>

namespace Engine {

cGlyphQuad::cGlyphQuad(cWidget* parent) : cPanel(parent) {}

void cGlyphQuad::setPackedColor(uint32_t color) {
    if (color != m_packedColor) {
        m_packedColor = color;
        invalidate();
    }
}

void cGlyphQuad::setTexRect(const float rect[4]) {
    if (!std::equal(rect, rect + 4, m_texRect)) {
        std::copy(rect, rect + 4, m_texRect);
        invalidate();
    }
}

void cGlyphQuad::prepareDraw() {
    if (!m_dirty)
        return;
    std::copy(m_texRect, m_texRect + 4, m_quad.textureRect);
    const float w = m_size.x * 0.5f, h = m_size.y * 0.5f;
    const cVector2 corners[4] = {cVector2(-w, -h), cVector2(w, -h), cVector2(-w, h), cVector2(w, h)};
    cColor tint;
    tint.fromARGB(m_packedColor);
    tint.a = getRootAlpha() * m_color.a;
    const uint32_t color = tint.toARGB();
    for (int i = 0; i < 4; ++i) {
        m_quad.vertices[i].position = m_position + corners[i];
        m_quad.vertices[i].color = color;
    }
    m_dirty = false;
}

} // namespace Engine
