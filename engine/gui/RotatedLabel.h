#pragma once

// A label for numbers: runs of digits fall into groups of three from the right, each digit
// drawn a little closer to its right neighbour and each group set apart ("DegreeOffset").
// The grouping applies to the one-quad-per-letter mode.

#include "engine/gui/Label.h"

namespace Engine {

class cRotatedLabel : public cLabel {
public:
    explicit cRotatedLabel(cWidget* parent);
    cRotatedLabel(const cRotatedLabel& other);

    // The label's keys, then "DegreeOffset".
    void loadXML(const IXmlNode* node) override;

    float getDegreeOffset() const { return m_degreeOffset; }

protected:
    // The label's quads, then the digit groups; every rebuild keeps the grouping.
    void buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned frame, float alphaFactor) override;

    float m_degreeOffset = 4.0f;
};

} // namespace Engine
