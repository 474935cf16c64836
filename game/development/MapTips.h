#pragma once

// The tool-tips of the map's controls: a building's tip (its upgrade's name and the piece it
// brings onto the board) and an upgrade button's tip with its lug. The game's tool-tips stand
// on the board's piece looks, which this library does not see, so the program makes them and
// registers this with the map; without it the map shows no tool-tips.

#include <cstdint>

namespace Engine {
class cWidget;
}
class cMeadowUnit;
class cTip;

class IMapTips {
public:
    virtual ~IMapTips() = default;

    // A tip owned by the variant (its widget parent), describing the unit.
    virtual cTip* createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) = 0;
    // A tip owned by the upgrade button.
    virtual cTip* createUpgradeTip(Engine::cWidget* button) = 0;
    // Before an upgrade tip shows: the building, the lug's x and the upgrade (-1: the next one).
    virtual void prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t upgradeIndex) = 0;
};
