#pragma once

// The map's tool-tips made from the game's tips: a building's variant gets a game-object tip,
// an upgrade button a tip with a lug. The program registers one with the map.

#include "game/development/MapTips.h"

class cMapTips : public IMapTips {
public:
    cTip* createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) override;
    cTip* createUpgradeTip(Engine::cWidget* button) override;
    void prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t upgradeIndex) override;
};
