#include "engine/gui/RotatedLabel.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <cmath>

namespace Engine {

cRotatedLabel::cRotatedLabel(cWidget* parent) : cLabel(parent) {}

cRotatedLabel::cRotatedLabel(const cRotatedLabel& other) : cLabel(other), m_degreeOffset(other.m_degreeOffset) {}

void cRotatedLabel::loadXML(const IXmlNode* node) {
    cLabel::loadXML(node);
    float offset = NAN;
    parseFloat(offset, node->getAttribute(L"DegreeOffset"));
    if (!std::isnan(offset) && offset != m_degreeOffset) {
        m_degreeOffset = offset;
        invalidate();
        layoutLetters();
    }
}

void cRotatedLabel::buildMultiQuads(std::vector<cSpriteQuad>& quads, unsigned frame, float alphaFactor) {
    cLabel::buildMultiQuads(quads, frame, alphaFactor);
    // Quads pair with the letters they show (spaces and missing letters have none).
    const std::wstring& letters = getLaidOutLetters();
    if (quads.size() <= 3 || letters.size() != quads.size())
        return;
    unsigned run = 0;
    for (size_t j = quads.size(); j-- > 0;) {
        const wchar_t c = letters[j];
        if (c >= L'0' && c <= L'9') {
            const float shift = float(run % 3) / 3.0f * m_degreeOffset;
            for (cSpriteVertex& vertex : quads[j].vertices)
                vertex.position.x += shift;
            ++run;
        } else {
            run = 0;
        }
    }
}

} // namespace Engine
