#include "game/shell/ParticleEmitter.h"

#include "engine/core/MathFunctions.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/shell/ParticleSprite.h"
#include "game/shell/RandomFloat.h"

#include <cmath>

using namespace Engine;

namespace {

bool isDead(cSprite* sprite) {
    return static_cast<cParticleSprite*>(sprite)->isDead();
}

} // namespace

cParticleEmitter::cParticleEmitter(cWidget* parent)
    : cEmitter(parent, nullptr, isDead, 15.0f), m_prototype(new cParticleSprite(this)) {
    m_prototype->disable();
    m_prototype->hide();
}

cParticleEmitter::cParticleEmitter(const cParticleEmitter& other)
    : cEmitter(other), m_prototype(new cParticleSprite(*other.m_prototype)), m_lifeTimeRange(other.m_lifeTimeRange),
      m_randomAngle(other.m_randomAngle), m_effectTime(other.m_effectTime), m_heightOffset(other.m_heightOffset) {
    m_prototype->setParent(this);
    m_prototype->disable();
    m_prototype->hide();
}

void cParticleEmitter::loadXML(const IXmlNode* node) {
    cEmitter::loadXML(node);
    m_prototype->loadXML(node);
    m_prototype->disable();
    m_prototype->hide();
    parseFloat(m_randomAngle, node->getAttribute(L"RandAngle"));
    parseVector2(m_lifeTimeRange, node->getAttribute(L"LiveTime"));
    parseFloat(m_effectTime, node->getAttribute(L"EffectTime"));
    float frequency = 0;
    parseFloat(frequency, node->getAttribute(L"Frequency"));
    m_period = 1.0f / frequency;
}

cSprite* cParticleEmitter::spawn() {
    auto* particle = new cParticleSprite(*m_prototype);
    cVector2 speed = m_prototype->getSpeed();
    speed.rotate(randomFloat(0, m_randomAngle));
    const int c = int(std::trunc(float(randomNext()) / 32768.0f * 200.0f - 100.0f));
    speed.x *= c >= 1 ? 1.0f : (c < 0 ? -1.0f : 0.0f);
    particle->setSpeed(speed);
    particle->setLifeTime(randomFloat(m_lifeTimeRange.x, m_lifeTimeRange.y));
    const float half = m_width / 2;
    const float f = randomFloat(-half, half);
    // Rounding may leave the radicand a little below 0; the root of 0 is 0, not 0 × infinity.
    const float g = half * half - f * f;
    const float root = g > 0 ? g * approxInvSqrt(g) : 0.0f;
    particle->setPosition(cVector2(m_origin.x + f, m_origin.y + randomFloat(0, root - m_heightOffset)));
    particle->setDepth(m_prototype->getDepth());
    particle->show();
    particle->enable();
    return particle;
}
