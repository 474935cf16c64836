#include "game/model/UnitsFeature.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/MeadowModel.h"
#include "game/model/ModelXml.h"

#include <algorithm>
#include <list>

using Engine::cStringA;
using Engine::IXmlNode;

cUnitsFeature::cUnitsFeature(cMeadowModel* model) : m_model(model) {}

cUnitsFeature::~cUnitsFeature() = default;

void cUnitsFeature::loadUnits(IXmlNode* root) {
    IXmlNode* list = nullptr;
    if (!root || !root->findNode("Units", list) || !list)
        throw cStringA("cUnitsFeature::loadUnits(): incorrect GameModel.xml: <Units> tag is absent or units are not "
                       "defined.");
    m_units.clear();
    for (IXmlNode* node : ModelXml::children(list)) {
        auto unit = std::make_unique<cMeadowUnit>(m_model);
        unit->setIndex(int32_t(m_units.size()));
        unit->loadUnits(node);
        m_units.push_back(std::move(unit));
    }
}

cMeadowUnit* cUnitsFeature::getUnit(int32_t i) const {
    if (i < 0 || i >= int32_t(m_units.size()))
        throw cStringA("cUnitsFeature::getUnit(): wrong unit index: " + std::to_string(i));
    return m_units[size_t(i)].get();
}

bool cUnitsFeature::upgradeUnit(cMeadowUnit* unit, int32_t variant) {
    if (!unit)
        throw cStringA("cUnitsFeature::upgradeUnit(): unit is 0");
    unit->upgrade(variant);
    m_model->addResourcePoints(1, -unit->getPrice());
    addUnitBonuses();
    int32_t object = unit->getObjectType();
    if (object != -1) {
        m_model->getAllowedTypes().push_back(object);
        m_model->getUnlockedTypes().push_back(object);
    }
    bool complete = isGroupComplete();
    if (complete)
        m_model->setCurrentGroup(m_model->getCurrentGroup() + 1);
    return complete;
}

void cUnitsFeature::addUnitBonuses() {
    for (const auto& unit : m_units) {
        if (unit->getLevel() <= 0)
            continue;
        int32_t object = unit->getObjectType();
        if (object == -1)
            continue;
        int32_t bonus = m_model->getBonusTypeForObjectType(object);
        if (bonus != -1)
            m_model->addBonus(bonus);
    }
}

bool cUnitsFeature::isGroupComplete() const {
    int32_t group = m_model->getCurrentGroup();
    for (const auto& unit : m_units)
        if (unit->hasUpgradeInGroup(group) && unit->getLevel() < unit->getUpgradeInGroup(group).level)
            return false;
    return true;
}

std::vector<std::pair<cMeadowUnit*, const cUnitUpgrade*>> cUnitsFeature::getUnitLevelTargets() const {
    using tTarget = std::pair<cMeadowUnit*, const cUnitUpgrade*>;
    std::vector<tTarget> targets;
    for (const auto& unit : m_units)
        for (int32_t j = 1; j <= unit->getMaxLevel(); ++j)
            targets.emplace_back(unit.get(), &unit->getUpgrade(j));
    std::stable_sort(targets.begin(), targets.end(), [](const tTarget& a, const tTarget& b) {
        bool aOpen = a.first->getLevel() < a.second->level;
        bool bOpen = b.first->getLevel() < b.second->level;
        if (aOpen != bOpen)
            return aOpen;
        if (aOpen && a.second->group != b.second->group)
            return a.second->group < b.second->group;
        return a.second->price < b.second->price;
    });
    return targets;
}

bool cUnitsFeature::isFullyUpgraded() const {
    for (const auto& unit : m_units)
        for (int32_t j = 1; j <= unit->getMaxLevel(); ++j)
            if (unit->getLevel() < unit->getUpgrade(j).level)
                return false;
    return true;
}

void cUnitsFeature::saveProgress() const {
    for (const auto& unit : m_units) {
        Engine::gIntProps[unit->getLevelKey()] = unit->getLevel();
        Engine::gIntProps[unit->getVariantKey()] = unit->getVariant();
    }
}

void cUnitsFeature::loadProgress() {
    for (const auto& unit : m_units) {
        // A profile written by another version of the description may hold a level past the
        // unit's upgrades.
        int32_t value = cMeadowModel::readProfileInt(unit->getLevelKey(), 0, 0, unit->getMaxLevel());
        if (value > 0) {
            unit->setLevelAndVariant(
                value, cMeadowModel::readProfileInt(unit->getVariantKey(), 0, 0, cMeadowModel::PROFILE_COUNTER_MAX));
        } else {
            unit->setLevel(0);
        }
    }
}
