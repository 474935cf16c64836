#pragma once

// What the building views and their animations need of the development screen: besides the
// characters' share, the money text, the drop-in flag, the cat made by the cats factory, the
// seed bed's tip, the landing dust and the controller that counts the awards.

#include "engine/core/Vector2.h"
#include "game/development/PersonageScreen.h"

class cMeadowController;
class cMeadowUnit;
class cTip;

class IBuildingScreen : public IPersonageScreen {
public:
    virtual void updateMoneyText() = 0;
    // True while a building drops in; the first tutorial hint waits for it.
    virtual void setUnitUpgrading(const bool& upgrading) = 0;
    // True when the unit is the cats factory and the cat has just been made.
    virtual bool createCatView(cMeadowUnit* unit) = 0;
    virtual void showShowAllTip() = 0;
    virtual void startUnitDust(const Engine::cVector2& position, float depth, float width, float heightOffset) = 0;
    // The tool-tip of a building's variant (its widget parent) describing the unit; none when the
    // map shows no tool-tips.
    virtual cTip* createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) = 0;
    // None while the map is closed.
    virtual cMeadowController* getController() const = 0;
};
