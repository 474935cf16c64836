#include "game/shell/ParticleSprite.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/shell/RandomFloat.h"

using namespace Engine;

cParticleSprite::cParticleSprite(cWidget* parent) : cPanel(parent), m_endSize(getSize()), m_startSize(getSize()) {}

cParticleSprite::cParticleSprite(const cParticleSprite& other)
    : cPanel(other), m_speed(other.m_speed), m_gravity(other.m_gravity), m_endSize(other.m_endSize),
      m_startSize(other.m_startSize), m_lifeTime(other.m_lifeTime) {}

void cParticleSprite::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    m_startSize = getSize();
    m_endSize = getSize();
    cVector2 range;
    parseVector2(range, node->getAttribute(L"LiveTime"));
    m_lifeTime = randomFloat(range.x, range.y);
    parseVector2(m_speed, node->getAttribute(L"Speed"));
    parseVector2(m_gravity, node->getAttribute(L"Gravity"));
    parseVector2(m_endSize, node->getAttribute(L"EndSize"));
}

void cParticleSprite::process() {
    const float dt = frameDelta();
    advanceAnimation(dt);
    m_speed += m_gravity * dt;
    setPosition(getPosition() + m_speed * dt);
    m_age += dt;
    // A particle without a life is over at once instead of dividing by zero.
    float e = m_lifeTime > 0 ? 2 - 2 * m_age / m_lifeTime : 0.0f;
    if (e > 1)
        e = 1;
    if (e < 1) {
        setAlpha(e < 0 ? 0.0f : e);
        setSize(m_startSize + (m_endSize - m_startSize) * (1 - e));
    }
    m_dead = m_lifeTime < m_age || !(m_lifeTime > 0);
    cPanel::process();
}
