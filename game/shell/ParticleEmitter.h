#pragma once

// The emitter of sprite particles: copies of its prototype particle, spread over a half-disc of
// its width above the origin, with a randomly turned speed and a random life time.

#include "game/shell/Emitter.h"

class cParticleSprite;

class cParticleEmitter : public cEmitter {
public:
    explicit cParticleEmitter(Engine::cWidget* parent);
    // Life-time range, random angle, effect time, height offset and a copy of the prototype;
    // not the width.
    cParticleEmitter(const cParticleEmitter& other);

    Engine::cSprite* spawn() override;
    // The widget keys and the prototype's keys from the same element, then "RandAngle",
    // "LiveTime", "EffectTime" and "Frequency".
    void loadXML(const Engine::IXmlNode* node) override;

    virtual float& getWidthRef() { return m_width; }
    virtual void setWidth(float width) { m_width = width; }

    cParticleSprite* getPrototype() const { return m_prototype; }
    float getEffectTime() const { return m_effectTime; }
    void setLifeTimeRange(const Engine::cVector2& range) { m_lifeTimeRange = range; }
    void setRandomAngle(float degrees) { m_randomAngle = degrees; }
    void setHeightOffset(float offset) { m_heightOffset = offset; }

private:
    cParticleSprite* m_prototype;
    Engine::cVector2 m_lifeTimeRange;
    float m_randomAngle = 0;
    float m_effectTime = 0;
    float m_width = 0;
    float m_heightOffset = 0;
};
