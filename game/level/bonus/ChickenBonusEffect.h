#pragma once

// The chicken: it pecks at one piece for the work icon's time, then that cell is hit, twice for
// the bigger chicken (type 12). Layout: "Meadow/View/bonuses/ChickenBonus.xml".

#include "game/level/bonus/BonusEffect.h"

class cChickenBonusEffect : public cBonusEffect {
public:
    cChickenBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType);

    void loadXML(const Engine::IXmlNode* node) override;
    using cBonusEffect::setTargetCell;
    bool setTargetCell(float row, float column) override;
    bool canApply() override;
    // Without a work icon the chicken finishes at once.
    void apply() override;
    void onEffectFinished() override;
};
