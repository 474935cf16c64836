#pragma once

// A sprite that can travel in a straight line with a sinusoidal sideways wobble (a piece flying
// into a vehicle). The base of the piece view.

#include "engine/core/Matrix3.h"
#include "engine/gui/Button.h"

class cSinusSprite : public Engine::cButton {
public:
    explicit cSinusSprite(Engine::cWidget* parent);
    // Every field but the path transform, which starts as identity.
    cSinusSprite(const cSinusSprite& other);
    ~cSinusSprite() override;

    // The button keys, then "sinus_move_speed" (never 0), "sinus_amplitude", "sinus_seed",
    // "sinus_period".
    void loadXML(const Engine::IXmlNode* node) override;

    // Starts the move from the current position to the target.
    virtual void startSinusMove(const Engine::cVector2& target);
    // Advances the move by dt; true when it has arrived (then it stands on the target).
    virtual bool stepSinusMove(float dt);

    float getMoveSpeed() const { return m_moveSpeed; }
    float getMoveDuration() const { return m_moveDuration; }
    float getMoveDistance() const { return m_moveDistance; }

protected:
    Engine::cVector2 m_moveStart;
    Engine::cVector2 m_moveTarget;
    Engine::cVector2 m_moveDirection;
    float m_moveSpeed = 0;
    float m_amplitude = 0;
    float m_seed = 0;
    float m_period = 0;
    float m_moveTime = 0;
    float m_moveDuration = 0;
    float m_moveDistance = 0;
    Engine::cMatrix3 m_pathTransform;
};
