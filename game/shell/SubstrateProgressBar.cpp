#include "game/shell/SubstrateProgressBar.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <algorithm>
#include <cmath>

using namespace Engine;

cSubstrateProgressBar::cSubstrateProgressBar(cWidget* parent, bool inverse)
    : cProgressBar(parent), m_substrate(new cPanel(this)), m_inverse(inverse) {}

cSubstrateProgressBar::cSubstrateProgressBar(const cSubstrateProgressBar& other)
    : cProgressBar(other), m_substrate(new cPanel(*other.m_substrate)), m_depthValue(other.m_depthValue),
      m_inverse(other.m_inverse) {
    m_substrate->setParent(this);
}

void cSubstrateProgressBar::loadXML(const IXmlNode* node) {
    float depth = NAN;
    parseFloat(depth, node->getAttribute(L"deep"));
    if (!std::isnan(depth))
        m_depthValue = depth;
    cProgressBar::loadXML(node);
    IXmlNode* substrate = nullptr;
    if (node->findNode("Substrate", substrate))
        m_substrate->loadXML(substrate);
    if (m_inverse) {
        m_currentValue = m_maxValue - m_currentValue;
        updateLid();
    }
}

void cSubstrateProgressBar::setDepth(float) {
    cProgressBar::setDepth(m_depthValue);
}

void cSubstrateProgressBar::setInverseX(bool inverse) {
    cProgressBar::setInverseX(inverse);
    m_substrate->setInverseX(inverse);
}

void cSubstrateProgressBar::setValue(float value) {
    float shown = std::min(value, m_maxValue);
    if (m_inverse)
        shown = m_maxValue - shown;
    m_currentValue = shown;
    updateLid();
}

float cSubstrateProgressBar::getValue() const {
    return m_inverse ? m_maxValue - m_currentValue : m_currentValue;
}

void cSubstrateProgressBar::setMaximum(float maximum) {
    // Taken before the maximum changes: an inverse bar stores its value against the maximum.
    const float value = getValue();
    m_maxValue = maximum;
    updateLid();
    if (value > maximum || m_inverse)
        setValue(value);
}
