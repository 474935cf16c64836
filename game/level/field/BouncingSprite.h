#pragma once

// A sprite that travels from one point to another with acceleration and bounces on the end
// point a given number of times (results view).

#include "engine/gui/Sprite.h"

class cBouncingSprite : public Engine::cSprite {
public:
    explicit cBouncingSprite(Engine::cWidget* parent);
    // The layout values and points; not moving.
    cBouncingSprite(const cBouncingSprite& other);
    ~cBouncingSprite() override;

    void process() override;
    // The sprite keys, then "speed", "acceleration", "k_elasticity", "jumps_count".
    void loadXML(const Engine::IXmlNode* node) override;

    virtual void start(const Engine::cVector2& from, const Engine::cVector2& to);
    virtual void onFirstLanding() {}
    virtual void onStopped() {}
    virtual void reset();

    bool isMoving() const { return m_moving; }
    bool isFalling() const { return m_falling; }
    int getJumpsLeft() const { return m_jumpsLeft; }
    const Engine::cVector2& getVelocity() const { return m_velocity; }
    // One step of dt seconds (process uses the frame time).
    void step(float dt);

private:
    bool m_moving = false;
    bool m_falling = true;
    int m_jumpsLeft = 0;
    Engine::cVector2 m_start;
    Engine::cVector2 m_end;
    float m_speed = 0;
    float m_acceleration = 0;
    float m_elasticity = 0;
    Engine::cVector2 m_velocity;
    Engine::cVector2 m_accelerationVector;
    bool m_firstLanding = true;
};
