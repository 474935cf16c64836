#pragma once

// A panel whose picture is cut to the current fraction of a maximum: one edge ("Side": 0 left,
// 1 right, 2 top, 3 bottom) moves, the opposite one stays; an optional lid sits on the moving
// edge.

#include "engine/gui/Panel.h"

namespace Engine {

class cProgressBar : public cPanel {
public:
    enum eSide {
        SIDE_LEFT = 0,
        SIDE_RIGHT = 1,
        SIDE_TOP = 2,
        SIDE_BOTTOM = 3,
    };

    explicit cProgressBar(cWidget* parent);
    // The values and side; a copy of the lid under the new bar; then updateLid.
    cProgressBar(const cProgressBar& other);

    // The panel keys, "ProgressMaxValue", "ProgressCurrentValue", "Side" (0 when missing) and
    // the "Lid" element; then updateLid.
    void loadXML(const IXmlNode* node) override;
    // The cut quad, only when dirty.
    void prepareDraw() override;

    virtual unsigned& getSide() { return m_side; }
    virtual void setSide(unsigned side) { m_side = side; }

    // Rebuilds the quad at once and moves the lid to the middle of the moving edge.
    void updateLid();
    float getMaxValue() const { return m_maxValue; }
    void setMaxValue(float value) { m_maxValue = value; }
    float getCurrentValue() const { return m_currentValue; }
    void setCurrentValue(float value) { m_currentValue = value; }
    cPanel* getLid() const { return m_lid; }

protected:
    float m_maxValue = 100;
    float m_currentValue = 0;
    unsigned m_side = SIDE_TOP;
    cPanel* m_lid = nullptr;
};

} // namespace Engine
