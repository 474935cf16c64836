#include "game/level/field/SinusSprite.h"

#include "engine/core/LayoutReader.h"

#include <cmath>

using namespace Engine;

cSinusSprite::cSinusSprite(cWidget* parent) : cButton(parent) {}

cSinusSprite::cSinusSprite(const cSinusSprite& other)
    : cButton(other), m_moveStart(other.m_moveStart), m_moveTarget(other.m_moveTarget),
      m_moveDirection(other.m_moveDirection), m_moveSpeed(other.m_moveSpeed), m_amplitude(other.m_amplitude),
      m_seed(other.m_seed), m_period(other.m_period), m_moveTime(other.m_moveTime),
      m_moveDuration(other.m_moveDuration), m_moveDistance(other.m_moveDistance) {}

cSinusSprite::~cSinusSprite() = default;

void cSinusSprite::loadXML(const IXmlNode* node) {
    cButton::loadXML(node);
    cLayoutReader::readDivisor(node, L"sinus_move_speed", m_moveSpeed);
    cLayoutReader::readFloat(node, L"sinus_amplitude", m_amplitude);
    cLayoutReader::readFloat(node, L"sinus_seed", m_seed);
    cLayoutReader::readFloat(node, L"sinus_period", m_period);
}

void cSinusSprite::startSinusMove(const cVector2& target) {
    m_moveStart = getPosition();
    m_moveTarget = target;
    const float dx = target.x - m_moveStart.x, dy = target.y - m_moveStart.y;
    m_moveDistance = std::sqrt(dx * dx + dy * dy);
    if (!(m_moveDistance > 0)) {
        m_moveTime = -1;
        return;
    }
    m_moveDirection = cVector2(dx / m_moveDistance, dy / m_moveDistance);
    m_pathTransform = cMatrix3();
    m_pathTransform[0] = m_moveDirection.x;
    m_pathTransform[1] = m_moveDirection.y;
    m_pathTransform[3] = -m_moveDirection.y;
    m_pathTransform[4] = m_moveDirection.x;
    m_pathTransform[6] = m_moveStart.x;
    m_pathTransform[7] = m_moveStart.y;
    m_moveDuration = m_moveDistance / m_moveSpeed;
    m_moveTime = 0;
}

bool cSinusSprite::stepSinusMove(float dt) {
    const float t = m_moveTime += dt;
    if (!(m_moveDistance > 0) || t < 0 || t >= m_moveDuration)
        return true;
    const float s = t * m_moveDistance / m_moveDuration;
    const float envelope = (1.0f - std::fabs(2.0f * t / m_moveDuration - 1.0f)) * m_amplitude;
    const float o = m_period != 0 ? std::sin(s / m_period + m_seed) * envelope : 0.0f;
    const float dx = m_moveDirection.x, dy = m_moveDirection.y;
    setPosition(cVector2(m_moveStart.x + dx * s - dy * o, m_moveStart.y + dy * s + dx * o));
    return false;
}
