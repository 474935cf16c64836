// Transformation rules: what matched figures pay and charge, and how a level's piece types
// and offered bonuses are chosen.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"
#include "game/model/RandomDraw.h"
#include "game/model/Signal.h"

#include <algorithm>

using Engine::cStringA;

int32_t cMeadowModel::applyTransformationRules(cMeadowFigure& figure) {
    const int32_t type = figure.getType();
    const int32_t amount = figure.getPositionCount();
    int32_t money, bonusPoints;
    if (amount >= 8) {
        // Long runs pay without a rule.
        money = bonusPoints = amount * amount;
    } else {
        const std::pair<int32_t, int32_t>* rule = findTransformationRule(type, amount);
        if (!rule)
            throw cStringA("cMeadowModel::applyTransformationRules(): rule was not found with a given id = " +
                           makeRuleKey(type, amount));
        money = rule->first;
        bonusPoints = rule->second;
    }
    addResourcePoints(1, money);
    const int32_t bonus = getBonusTypeForObjectType(type);
    if (bonus != -1)
        addBonusPoints(bonus, bonusPoints);
    return money;
}

void cMeadowModel::payFigures(tFigureList& figures) {
    for (cMeadowFigure& figure : figures) {
        const int32_t money = applyTransformationRules(figure);
        if (money > 0)
            m_pointsEarnedSignal(figure.getPosition(2), money);
        figure.setMatchedState();
    }
}

void cMeadowModel::addBonusPointsForObject(cMeadowObjectModel* piece) {
    if (!piece)
        return;
    const int32_t bonus = getBonusTypeForObjectType(piece->getType());
    if (bonus != -1)
        addBonusPoints(bonus, m_blastedBonusPrice);
}

namespace {

// Appends to a list that keeps at most limit entries, dropping the oldest.
void appendKeepingLast(std::vector<int32_t>& list, int32_t limit, int32_t type) {
    while (!list.empty() && int32_t(list.size()) >= limit)
        list.erase(list.begin());
    if (limit > 0)
        list.push_back(type);
}

} // namespace

void cMeadowModel::addLevelBonusType(int32_t type) {
    appendKeepingLast(m_levelBonusTypes, m_maxBonusesOnLevel, type);
}

void cMeadowModel::addLevelObjectType(int32_t type) {
    appendKeepingLast(m_levelObjectTypes, m_maxObjectsOnLevel - 1, type);
}

void cMeadowModel::defineLevelTypesFromChoices(std::vector<bool>& groupFlags) {
    for (int32_t type : m_levelBonusTypes) {
        if (isLevelTypeListFull())
            return;
        if (!isLevelType(type)) {
            addBonus(getBonusTypeForObjectType(type));
            takeLevelType(groupFlags, type);
        }
    }
    for (int32_t type : m_levelObjectTypes) {
        if (isLevelTypeListFull())
            return;
        takeLevelType(groupFlags, type);
    }
    for (int32_t type : m_allowedTypes) {
        if (isLevelTypeListFull())
            return;
        if (!isLevelType(type) && !isColourGroupFlagSet(groupFlags, type))
            takeLevelType(groupFlags, type);
    }
    // Random allowed types for the rest, as long as an allowed type is left to draw.
    while (!isLevelTypeListFull()) {
        if (std::all_of(m_allowedTypes.begin(), m_allowedTypes.end(), [this](int32_t t) { return isLevelType(t); }))
            return;
        const int32_t type = getRandomAllowedType();
        if (!isLevelType(type))
            m_levelTypes.push_back(type);
    }
}

void cMeadowModel::addRandomLevelBonus(std::vector<bool>& groupFlags) {
    if (isLevelTypeListFull())
        return;
    std::vector<int32_t> candidates;
    for (const cGameResource* bonus : getAvailableBonuses()) {
        const int32_t objectType = getObjectTypeForResource(bonus->type);
        if (!isLevelType(objectType) && !isColourGroupFlagSet(groupFlags, objectType))
            candidates.push_back(objectType);
    }
    const int32_t i = RandomDraw::index(int32_t(candidates.size()));
    if (i < 0)
        return;
    takeLevelType(groupFlags, candidates[size_t(i)]);
}

void cMeadowModel::addUnitTypesToAllowed() {
    for (int32_t i = 0; i < m_units->getUnitCount(); ++i) {
        cMeadowUnit* unit = m_units->getUnit(i);
        if (!m_units->isUnitUpgraded(unit))
            continue;
        const int32_t type = unit->getObjectType();
        if (type != -1 && getTypeCategory(type) == 1)
            m_allowedTypes.push_back(type);
    }
}

void cMeadowModel::takeUnlockedTypes(std::vector<bool>& groupFlags) {
    while (pruneUnlockedTypes()) {
    }
    int32_t bonusTypes = 0;
    for (int32_t type : m_unlockedTypes) {
        if (isLevelTypeListFull())
            break;
        if (isColourGroupFlagSet(groupFlags, type))
            continue;
        takeLevelType(groupFlags, type);
        if (getBonusTypeForObjectType(type) != -1)
            ++bonusTypes;
    }
    m_unlockedTypes.clear();
    if (bonusTypes == 0 && m_maxBonusesOnLevel > 0)
        addRandomLevelBonus(groupFlags);
}

bool cMeadowModel::pruneUnlockedTypes() {
    for (size_t i = 0; i < m_unlockedTypes.size(); ++i) {
        const int32_t a = m_unlockedTypes[i];
        const int32_t category = getTypeCategory(a);
        if (category <= 1)
            continue;
        for (size_t j = i + 1; j < m_unlockedTypes.size(); ++j) {
            const int32_t c = m_unlockedTypes[j];
            if (getTypeCategory(c) != category)
                continue;
            m_unlockedTypes.erase(m_unlockedTypes.begin() + std::ptrdiff_t(a <= c ? i : j));
            return true;
        }
    }
    return false;
}
