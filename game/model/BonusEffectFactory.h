#pragma once

// Makes and disposes of the level screen's bonus effects (bear, cat, chicken, instant), which
// the controller chooses by bonus type but cannot build itself: they are widgets.

class cMeadowModel;
class ILevelView;
class IBonusEffect;

class IBonusEffectFactory {
public:
    enum Kind { CHICKEN_EFFECT, BEAR_EFFECT, CAT_EFFECT, INSTANT_EFFECT };

    virtual ~IBonusEffectFactory() = default;

    virtual IBonusEffect* createBonusEffect(Kind kind, ILevelView* view, cMeadowModel* model, int bonusType) = 0;
    // Hands the effect to the deferred deletion at the end of the frame.
    virtual void deleteBonusEffect(IBonusEffect* effect) = 0;
};
