#pragma once

// The bear: it falls onto a square of cells around the target, eats the pieces there (the
// controller crashes the cells when the eating ends) and walks off the bottom of the screen.
// Layout: "Meadow/View/bonuses/BearBonus.xml".

#include "game/level/bonus/BonusEffect.h"

#include <string>
#include <vector>

class cBearBonusEffect : public cBonusEffect {
public:
    enum State { IDLE = 0, FALLING = 1, EATING = 2, LEAVING = 3 };

    cBearBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType);
    ~cBearBonusEffect() override;

    void process() override;
    // Ends the bear at once when the level has finished, also while it is hidden.
    void onUpdate() override;
    void loadXML(const Engine::IXmlNode* node) override;
    using cBonusEffect::setTargetCell;
    bool setTargetCell(float row, float column) override;
    bool canApply() override;
    void apply() override;
    void onEffectFinished() override;

    Engine::cPanel* getBear() const { return m_bear; }
    const std::vector<Engine::cPanel*>& getSplashes() const { return m_splashes; }
    int getState() const { return m_state; }
    float getSpeed() const { return m_speed; }
    float getTimer() const { return m_timer; }
    const Engine::cVector2& getTargetPosition() const { return m_targetPosition; }
    const Engine::cVector2& getStartPosition() const { return m_startPosition; }

private:
    void setBearState(const std::string& name);
    // One step towards the target position; true on arrival.
    bool stepTowardsTarget(float dt);
    void arriveFalling();
    void finish();
    // The level has finished: the bear goes at once.
    void finishWithLevel();

    Engine::cPanel* m_bear;
    Engine::cVector2 m_startPosition;
    Engine::cVector2 m_targetPosition;
    float m_speed = 0;
    float m_acceleration = 0;
    float m_timer = 0;
    float m_waitTime = 0;
    std::vector<Engine::cPanel*> m_splashes;
    int m_state = IDLE;
    float m_shakeDelay = 0;
    bool m_finished = false;
};
