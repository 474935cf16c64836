#pragma once

// One letter of a label in the glyph-quad mode: a panel that draws a rectangle of the font
// picture, unturned, tinted with its own colour.

#include "engine/gui/Panel.h"

#include <cstdint>

namespace Engine {

class cGlyphQuad : public cPanel {
public:
    explicit cGlyphQuad(cWidget* parent);

    void prepareDraw() override;

    uint32_t getPackedColor() const { return m_packedColor; }
    virtual void setPackedColor(uint32_t color);
    // u-left, v-top, u-right, v-bottom.
    const float* getTexRect() const { return m_texRect; }
    virtual void setTexRect(const float rect[4]);

protected:
    float m_texRect[4] = {0, 0, 1, 1};
    uint32_t m_packedColor = 0xFFFFFFFFu;
};

} // namespace Engine
