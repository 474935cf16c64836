#include "engine/gui/ProgressBar.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {

const float DEGREES_TO_RADIANS = 3.14159265358979f / 180.0f;

cVector2 middle(const cVector2& a, const cVector2& b) {
    return cVector2((a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f);
}

} // namespace

cProgressBar::cProgressBar(cWidget* parent) : cPanel(parent) {}

cProgressBar::cProgressBar(const cProgressBar& other)
    : cPanel(other), m_maxValue(other.m_maxValue), m_currentValue(other.m_currentValue), m_side(other.m_side) {
    if (other.m_lid && other.getChildren().count(other.m_lid)) {
        m_lid = new cPanel(*other.m_lid);
        m_lid->setParent(this);
    }
    updateLid();
}

void cProgressBar::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    cLayoutReader::readFloat(node, L"ProgressMaxValue", m_maxValue);
    cLayoutReader::readFloat(node, L"ProgressCurrentValue", m_currentValue);
    m_side = SIDE_LEFT;
    parseUInt(m_side, node->getAttribute(L"Side"));
    IXmlNode* lid = nullptr;
    if (node->findNode("Lid", lid)) {
        if (!m_lid)
            m_lid = new cPanel(this);
        m_lid->loadXML(lid);
    }
    updateLid();
}

void cProgressBar::prepareDraw() {
    if (!m_dirty)
        return;
    m_animPosition = wrapAnimTime(m_animPosition, m_animLength, m_animLoop);

    // The sprite's quad, unturned and untiled; cut below, then turned.
    const float angle = m_angle;
    const cVector2 tile = m_tile;
    m_angle = 0;
    m_tile = cVector2();
    buildQuad(m_quad, unsigned(getAnimFrame()), 1.0f);
    m_angle = angle;
    m_tile = tile;

    // A maximum of 0 or less shows an empty bar.
    if (m_maxValue > 0)
        m_currentValue = std::clamp(m_currentValue, 0.0f, m_maxValue);
    else
        m_currentValue = 0;
    const float r = m_maxValue > 0 ? m_currentValue / m_maxValue : 0.0f;
    const float m = 1.0f - r;

    float* uv = m_quad.textureRect;
    const float stepU = uv[2] - uv[0], stepV = uv[3] - uv[1];
    cSpriteVertex* v = m_quad.vertices;
    const float width = v[1].position.x - v[0].position.x;
    const float height = v[2].position.y - v[0].position.y;
    switch (m_side) {
    case SIDE_LEFT:
        uv[0] += m * stepU;
        v[0].position.x += m * width;
        v[2].position.x += m * width;
        break;
    case SIDE_RIGHT:
        uv[2] -= m * stepU;
        v[1].position.x -= m * width;
        v[3].position.x -= m * width;
        break;
    case SIDE_TOP:
        uv[1] += m * stepV;
        v[0].position.y += m * height;
        v[1].position.y += m * height;
        break;
    case SIDE_BOTTOM:
        uv[3] -= m * stepV;
        v[2].position.y -= m * height;
        v[3].position.y -= m * height;
        break;
    default:
        break;
    }

    if (m_angle != 0) {
        const cVector2 centre = m_useOffset ? m_position + m_offset : m_position;
        const float a = m_angle * DEGREES_TO_RADIANS;
        const float c = std::cos(a), s = std::sin(a);
        for (cSpriteVertex& vertex : m_quad.vertices) {
            const cVector2 p = vertex.position - centre;
            vertex.position = centre + cVector2(p.x * c + p.y * s, -p.x * s + p.y * c);
        }
    }
    m_dirty = false;
}

void cProgressBar::updateLid() {
    invalidate(false);
    prepareDraw();
    if (!m_lid)
        return;
    const cSpriteVertex* v = m_quad.vertices;
    switch (m_side) {
    case SIDE_LEFT:
        m_lid->setPosition(v[0].position.x, middle(v[0].position, v[2].position).y);
        break;
    case SIDE_RIGHT:
        m_lid->setPosition(v[1].position.x, middle(v[1].position, v[3].position).y);
        break;
    case SIDE_TOP:
        m_lid->setPosition(middle(v[0].position, v[1].position).x, v[0].position.y);
        break;
    case SIDE_BOTTOM:
        m_lid->setPosition(middle(v[2].position, v[3].position).x, v[2].position.y);
        break;
    default:
        break;
    }
}

} // namespace Engine
