#pragma once

// A sprite particle: it flies with a speed and a gravity, and in the second half of its life
// fades out and grows to its end size; then it is dead.

#include "engine/gui/Panel.h"

class cParticleSprite : public Engine::cPanel {
public:
    explicit cParticleSprite(Engine::cWidget* parent);
    // Speed, gravity, both sizes and life time; age 0, not dead.
    cParticleSprite(const cParticleSprite& other);

    void process() override;
    // The panel keys, "LiveTime" (a range, one value drawn), "Speed", "Gravity", "EndSize".
    void loadXML(const Engine::IXmlNode* node) override;

    virtual Engine::cVector2& getSpeed() { return m_speed; }
    virtual void setSpeed(const Engine::cVector2& speed) { m_speed = speed; }
    virtual float& getLifeTime() { return m_lifeTime; }
    virtual void setLifeTime(float seconds) { m_lifeTime = seconds; }

    bool isDead() const { return m_dead; }
    float getAge() const { return m_age; }
    const Engine::cVector2& getGravity() const { return m_gravity; }
    void setGravity(const Engine::cVector2& gravity) { m_gravity = gravity; }
    void setEndSize(const Engine::cVector2& size) { m_endSize = size; }
    void setStartSize(const Engine::cVector2& size) { m_startSize = size; }

private:
    Engine::cVector2 m_speed;
    Engine::cVector2 m_gravity;
    Engine::cVector2 m_endSize;
    Engine::cVector2 m_startSize;
    bool m_dead = false;
    float m_lifeTime = 0;
    float m_age = 0;
};
