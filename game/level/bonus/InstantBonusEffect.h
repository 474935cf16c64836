#pragma once

// The instant bonus: the board's pieces are mixed at once; it takes no target and has no icons.

#include "game/level/bonus/BonusEffect.h"

class cInstantBonusEffect : public cBonusEffect {
public:
    cInstantBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType);

    // No visible piece may be moving.
    bool canApply() override;
    void apply() override;
};
