#pragma once

// The cat bonus: every piece of the pointed piece's type is taken at once, and from each taken
// cell a cat springs up and runs off the screen. Once applied the effect lives on as a root widget
// until the last cat has gone. Layout: "Meadow/View/bonuses/CatBonus.xml".

#include "game/level/bonus/BonusEffect.h"

#include <list>

class cRunningCat;

class cCatBonusEffect : public cBonusEffect {
public:
    cCatBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType);
    ~cCatBonusEffect() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;
    using cBonusEffect::setTargetCell;
    bool setTargetCell(float row, float column) override;
    bool canApply() override;
    void apply() override;
    void onEffectFinished() override;

    cRunningCat* getCatPrototype() const { return m_catPrototype; }
    const std::list<cRunningCat*>& getRunningCats() const { return m_runningCats; }

private:
    void collectTargets(float row, float column);

    cRunningCat* m_catPrototype;
    std::list<cRunningCat*> m_runningCats;
};
