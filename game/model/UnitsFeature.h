#pragma once

// All units of the model description: purchases, the bonuses and object types upgrades bring,
// upgrade groups and the units' levels kept in the player profile.

#include "game/model/MeadowUnit.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class cMeadowModel;
namespace Engine {
class IXmlNode;
}

class cUnitsFeature {
public:
    explicit cUnitsFeature(cMeadowModel* model);
    ~cUnitsFeature();
    cUnitsFeature(const cUnitsFeature&) = delete;
    cUnitsFeature& operator=(const cUnitsFeature&) = delete;

    // Reads "Units" of the model description's root element.
    void loadUnits(Engine::IXmlNode* root);

    cMeadowUnit* getUnit(int32_t i) const;
    int32_t getUnitCount() const { return int32_t(m_units.size()); }
    bool isUnitUpgraded(const cMeadowUnit* unit) const { return unit && unit->getLevel() > 0; }
    bool isUnitUpgraded(int32_t i) const { return isUnitUpgraded(getUnit(i)); }

    // Buys the unit's next upgrade; true when that completed the current group.
    bool upgradeUnit(cMeadowUnit* unit, int32_t variant);
    bool buyUpgrade(cMeadowUnit* unit, int32_t variant) { return upgradeUnit(unit, variant); }
    // Offers on the level the bonuses of the upgraded units' object types.
    void addUnitBonuses();
    bool isGroupComplete() const;
    // Every (unit, upgrade) pair, the unreached first (by group, then price), then the reached by price.
    std::vector<std::pair<cMeadowUnit*, const cUnitUpgrade*>> getUnitLevelTargets() const;
    bool isFullyUpgraded() const;

    // The units' levels and variants in the current profile's Int properties.
    void saveProgress() const;
    void loadProgress();

private:
    cMeadowModel* m_model;
    std::vector<std::unique_ptr<cMeadowUnit>> m_units;
};
