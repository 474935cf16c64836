#include "app/MapTips.h"

#include "game/level/GameObjectTip.h"
#include "game/level/LugTip.h"

cTip* cMapTips::createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) {
    auto* tip = new cGameObjectTip(variant);
    tip->setUnit(unit);
    return tip;
}

cTip* cMapTips::createUpgradeTip(Engine::cWidget* button) {
    return new cLugTip(button);
}

void cMapTips::prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t upgradeIndex) {
    auto* lugTip = dynamic_cast<cLugTip*>(tip);
    if (!lugTip)
        return;
    lugTip->setUnit(unit);
    lugTip->setLugPosition(Engine::cVector2(lugX, lugTip->getLugPosition().y));
    lugTip->setUpgradeIndex(upgradeIndex);
    // The body and the lug take their places for this button before the tip shows.
    lugTip->placeAt(Engine::cVector2(lugX, lugTip->getLugPosition().y));
}
