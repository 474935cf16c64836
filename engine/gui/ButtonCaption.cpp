#include "engine/gui/ButtonCaption.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/MathFunctions.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

namespace Engine {

namespace {

float centreY(const cSpriteQuad& quad) {
    return (quad.vertices[1].position.y + quad.vertices[2].position.y) * 0.5f;
}

void moveY(cSpriteQuad& quad, float dy) {
    for (auto& vertex : quad.vertices)
        vertex.position.y += dy;
}

} // namespace

cButtonCaption::cButtonCaption(cWidget* parent) : cLabel(parent) {
    for (cColor& color : m_stateColors)
        color = m_color;
}

cButtonCaption::cButtonCaption(const cButtonCaption& other)
    : cLabel(other), m_waveOn(other.m_waveOn), m_waveOffset(other.m_waveOffset), m_waveSpeed(other.m_waveSpeed) {
    for (int i = 0; i < STATE_COUNT; ++i) {
        m_stateColors[i] = other.m_stateColors[i];
        m_stateOffsets[i] = other.m_stateOffsets[i];
        m_stateMultipliers[i] = other.m_stateMultipliers[i];
    }
}

cButtonCaption::~cButtonCaption() = default;

void cButtonCaption::startWave() {
    m_waveOn = true;
    m_waveMoving = true;
}

void cButtonCaption::stopWave() {
    m_waveOn = false;
    m_waveMoving = true;
}

const cColor& cButtonCaption::getStateColor(int state) const {
    return m_stateColors[entry(state)];
}

const cVector2& cButtonCaption::getStateOffset(int state) const {
    return m_stateOffsets[entry(state)];
}

float cButtonCaption::getStateMultiplier(int state) const {
    return m_stateMultipliers[entry(state)];
}

void cButtonCaption::process() {
    cLabel::process();
    if (!m_waveMoving)
        return;
    const float dt = frameDelta();
    const float baseline = m_position.y;
    bool moved = false;
    float sign = 1.0f;
    for (cSpriteQuad& quad : m_quads) {
        const float target = m_waveOn ? baseline + sign * m_waveOffset : baseline;
        const float centre = centreY(quad);
        if (centre != target) {
            moved = true;
            const float direction = signOf(target - centre);
            moveY(quad, dt * m_waveSpeed * direction);
            // Past the place (or on it): the letter stops exactly there.
            const float rest = target - centreY(quad);
            if (signOf(rest) != direction)
                moveY(quad, rest);
        }
        sign = -sign;
    }
    m_waveMoving = moved;
}

void cButtonCaption::loadXML(const IXmlNode* node) {
    cLabel::loadXML(node);
    cLayoutReader::readFloat(node, L"Offset", m_waveOffset);
    cLayoutReader::readFloat(node, L"Speed", m_waveSpeed);

    for (cColor& color : m_stateColors)
        color = m_color;
    parseColor(m_stateColors[0], node->getAttribute(L"color_disabled"));
    parseColor(m_stateColors[2], node->getAttribute(L"color_hover"));
    parseColor(m_stateColors[3], node->getAttribute(L"color_pressed"));

    parseVector2(m_stateOffsets[1], node->getAttribute(L"offset"));
    for (cVector2& offset : m_stateOffsets)
        offset = m_stateOffsets[1];
    parseVector2(m_stateOffsets[0], node->getAttribute(L"offset_disabled"));
    parseVector2(m_stateOffsets[2], node->getAttribute(L"offset_hover"));
    parseVector2(m_stateOffsets[3], node->getAttribute(L"offset_pressed"));

    float multiplier = 0;
    cLayoutReader::readFloat(node, L"Multiplier", multiplier);
    for (float& each : m_stateMultipliers)
        each = multiplier;
    cLayoutReader::readFloat(node, L"Multiplier_disabled", m_stateMultipliers[0]);
    cLayoutReader::readFloat(node, L"Multiplier_hover", m_stateMultipliers[2]);
    cLayoutReader::readFloat(node, L"Multiplier_pressed", m_stateMultipliers[3]);
}

} // namespace Engine
