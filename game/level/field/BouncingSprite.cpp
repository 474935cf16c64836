#include "game/level/field/BouncingSprite.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/MathFunctions.h"

#include <cmath>

using namespace Engine;

namespace {

float dot(const cVector2& a, const cVector2& b) {
    return a.x * b.x + a.y * b.y;
}

} // namespace

cBouncingSprite::cBouncingSprite(cWidget* parent) : cSprite(parent) {}

cBouncingSprite::cBouncingSprite(const cBouncingSprite& other)
    : cSprite(other), m_jumpsLeft(other.m_jumpsLeft), m_start(other.m_start), m_end(other.m_end),
      m_speed(other.m_speed), m_acceleration(other.m_acceleration), m_elasticity(other.m_elasticity) {}

cBouncingSprite::~cBouncingSprite() = default;

void cBouncingSprite::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);
    cLayoutReader::readFloat(node, L"speed", m_speed);
    cLayoutReader::readFloat(node, L"acceleration", m_acceleration);
    cLayoutReader::readFloat(node, L"k_elasticity", m_elasticity);
    cLayoutReader::readInt(node, L"jumps_count", m_jumpsLeft);
}

void cBouncingSprite::start(const cVector2& from, const cVector2& to) {
    m_start = from;
    m_end = to;
    setPosition(from);
    m_moving = m_falling = m_firstLanding = true;
    cVector2 u = to - from;
    const float length = std::sqrt(dot(u, u));
    u = length > 0 ? u * (1.0f / length) : cVector2(0, 0);
    m_velocity = u * m_speed;
    m_accelerationVector = u * m_acceleration;
}

void cBouncingSprite::reset() {
    m_moving = false;
    setPosition(m_end);
}

void cBouncingSprite::process() {
    cSprite::process();
    step(frameDelta());
}

void cBouncingSprite::step(float dt) {
    if (!m_moving)
        return;
    setPosition(getPosition() + m_velocity * dt);
    m_velocity = m_velocity + m_accelerationVector * dt;
    if (m_falling) {
        if (dot(m_velocity, m_end - getPosition()) <= 0) {
            setPosition(m_end);
            --m_jumpsLeft;
            if (m_firstLanding) {
                m_firstLanding = false;
                onFirstLanding();
            }
            if (m_jumpsLeft == 0 || std::sqrt(dot(m_velocity, m_velocity)) < 10.0f) {
                m_moving = false;
                onStopped();
            } else {
                m_velocity = m_velocity * (-approxSqrt(m_elasticity));
                m_falling = false;
            }
        }
    } else if (dot(m_velocity, m_accelerationVector) > 0) {
        m_velocity = cVector2(0, 0);
        m_falling = true;
    }
}
