#include "game/development/DropAnimation.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <cmath>

cDropAnimation::cDropAnimation(Engine::cWidget* parent) : cPanel(parent) {}

cDropAnimation::~cDropAnimation() = default;

void cDropAnimation::loadXML(const Engine::IXmlNode* node) {
    cPanel::loadXML(node);
    Engine::parseFloat(m_time, node->getAttribute(L"time"));
    Engine::parseVector2(m_srcPos, node->getAttribute(L"src_pos"));
    Engine::parseVector2(m_dstPos, node->getAttribute(L"dst_pos"));
    Engine::parseFloat(m_speed, node->getAttribute(L"speed"));
    Engine::parseFloat(m_accel, node->getAttribute(L"accel"));
    Engine::parseVector2(m_dustOffset, node->getAttribute(L"dust_offset"));
    Engine::parseFloat(m_dustHeight, node->getAttribute(L"dust_height"));
}

void cDropAnimation::start() {
    m_currentSpeed = m_speed;
    setPosition(m_srcPos);
    show();
    m_started = true;
}

bool cDropAnimation::update(float dt) {
    const Engine::cVector2 d = m_dstPos - getPosition();
    const float length2 = d.x * d.x + d.y * d.y;
    if (length2 == 0)
        return true;
    m_currentSpeed += m_accel * dt;
    const float scale = m_currentSpeed * dt / std::sqrt(length2);
    const Engine::cVector2 step(d.x * scale, d.y * scale);
    setPosition(getPosition() + step);
    const Engine::cVector2 rest = m_dstPos - getPosition();
    if (rest.x * step.x + rest.y * step.y <= 0) {
        setPosition(m_dstPos);
        return true;
    }
    return false;
}
