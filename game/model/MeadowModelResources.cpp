// Resource and bonus records: money and other resources, the charge and use of bonuses.

#include "game/model/MeadowModel.h"

#include "engine/core/String.h"
#include "game/model/RandomDraw.h"

#include <algorithm>

using Engine::cStringA;

namespace {

cStringA withType(const char* message, int32_t type) {
    return cStringA(message) + std::to_string(type);
}

// The first record of the type; none when the list has no such record.
cGameResource* findByType(const std::vector<cGameResource*>& records, int32_t type) {
    auto it = std::find_if(records.begin(), records.end(), [type](const cGameResource* r) { return r->type == type; });
    return it == records.end() ? nullptr : *it;
}

} // namespace

void cMeadowModel::addResourcePoints(int32_t type, int32_t amount) {
    if (type == 1)
        m_achievements->addValue(0, amount);
    cGameResource* resource = findByType(m_resources, type);
    if (!resource)
        throw withType("cMeadowModel::addResourcePoints(): resource type was not found: type = ", type);
    resource->points += amount;
}

int32_t cMeadowModel::getResourcePoints(int32_t type) const {
    const cGameResource* resource = findByType(m_resources, type);
    if (!resource)
        throw withType("cMeadowModel::getResourcePoints(): resource type was not found: type = ", type);
    return resource->points;
}

void cMeadowModel::resetResourcePoints() {
    for (cGameResource* resource : m_resources)
        resource->points = 0;
}

void cMeadowModel::addBonus(int32_t type) {
    cGameResource* bonus = findByType(m_bonuses, type);
    if (!bonus)
        throw withType("cMeadowModel::addBonus(): bonus with a given type was not found: type = ", type);
    bonus->points = 0;
    bonus->available = 1;
}

void cMeadowModel::addBonusPoints(int32_t type, int32_t points) {
    cGameResource* bonus = findByType(m_bonuses, type);
    if (!bonus)
        throw withType("cMeadowModel::addBonusPoints(): bonus type was not found: type = ", type);
    if (bonus->points < bonus->price) {
        bonus->points += points;
        if (bonus->points >= bonus->price)
            bonus->charged = true;
    } else {
        bonus->points = bonus->price;
    }
}

cGameResource* cMeadowModel::getBonus(int32_t type) const {
    cGameResource* bonus = findByType(m_bonuses, type);
    if (!bonus)
        throw withType("cMeadowModel::getBonus(): bonus with a given type was not found: type = ", type);
    return bonus;
}

bool cMeadowModel::useBonus(int32_t type) {
    cGameResource* bonus = getBonus(type);
    bonus->points -= bonus->price;
    ++bonus->uses;
    return true;
}

bool cMeadowModel::isBonusType(int32_t type) const {
    return findByType(m_bonuses, type) != nullptr;
}

int32_t cMeadowModel::getBonusTypeForObjectType(int32_t objectType) const {
    int32_t result = -1;
    for (const cGameResource* bonus : m_bonuses)
        if (bonus->objectType == objectType)
            result = bonus->type;
    return result;
}

int32_t cMeadowModel::getObjectTypeForResource(int32_t type) const {
    if (const cGameResource* bonus = findByType(m_bonuses, type))
        return bonus->objectType;
    throw withType("cMeadowModel::getObjectTypeForResource(): object that gives a needed resource was not found, "
                   "resource type = ",
                   type);
}

std::vector<cGameResource*> cMeadowModel::getAvailableBonuses() const {
    std::vector<cGameResource*> result;
    for (cGameResource* bonus : m_bonuses) {
        if (bonus->available < 1)
            continue;
        auto kept = std::find_if(result.begin(), result.end(),
                                 [bonus](const cGameResource* b) { return b->category == bonus->category; });
        if (kept == result.end())
            result.push_back(bonus);
        else if (bonus->type > (*kept)->type)
            *kept = bonus;
    }
    return result;
}

cGameResource* cMeadowModel::chooseVehicleBonus() {
    std::vector<cGameResource*> offered = getAvailableBonuses();
    cGameResource* chosen = nullptr;
    if (offered.size() == 1) {
        chosen = offered[0];
    } else if (offered.size() == 2) {
        chosen = offered[1]->points < offered[0]->points ? offered[1] : offered[0];
    } else if (offered.size() > 2) {
        std::vector<cGameResource*> candidates;
        for (cGameResource* bonus : offered)
            if (!isLevelType(bonus->objectType))
                candidates.push_back(bonus);
        int32_t i = RandomDraw::index(int32_t(candidates.size()));
        if (i >= 0)
            chosen = candidates[size_t(i)];
    }
    if (chosen)
        chosen->points = chosen->price;
    return chosen;
}
