#include "game/model/MeadowModel.h"

#include "engine/core/String.h"
#include "game/model/RandomDraw.h"
#include "game/model/Signal.h"

#include <algorithm>

using Engine::cStringA;

cMeadowModel::~cMeadowModel() {
    destroyBoard();
    // Features refer back to the model; drop them while it is still whole.
    m_vehicles.reset();
    m_units.reset();
    m_levels.clear();
}

void cMeadowModel::createFeatures() {
    m_units = std::make_unique<cUnitsFeature>(this);
    m_vehicles = std::make_unique<cVehiclesFeature>(this);
    m_achievements = std::make_unique<cLevelAchievements>();
    m_triggerTable.assign(TRIGGER_COUNT, 0);
}

cLevelInfo* cMeadowModel::getCurrentLevelInfo() {
    if (m_currentLevel < 0 || m_currentLevel >= int32_t(m_levels.size()))
        return nullptr;
    return &m_levels[size_t(m_currentLevel)];
}

bool cMeadowModel::isGameFinished() {
    if (m_finished) {
        m_finished = false;
        return true;
    }
    if (m_vehicles->hasVehicles())
        return false;
    for (auto it = m_complexCells.begin(); it != m_complexCells.end();) {
        cCellModel* cell = *it;
        if (!cell)
            throw cStringA("cMeadowModel::isGameFinished(): cell is 0");
        if (cell->isComplex())
            ++it;
        else
            it = m_complexCells.erase(it);
    }
    return m_complexCells.empty() && m_goldPrizesLeft == 0;
}

void cMeadowModel::completeLevel() {
    m_achievements->setValue(1, m_vehicles->getProcessedMoney());
    m_achievements->updateSummary();
    int32_t next = m_nextAvailableLevel + 1;
    if (next == getLevelCount())
        m_randomLevel = true;
    m_nextAvailableLevel = next < getLevelCount() ? next : 0;
}

// ---- Type lists and random draws ----

namespace {

// A random type of the list; `operation` and `list` name the caller and the list in its errors.
int32_t drawType(const std::vector<int32_t>& types, const std::string& operation, const char* list) {
    int32_t i = RandomDraw::index(int32_t(types.size()));
    if (i < 0)
        throw cStringA(operation + "(): there are no " + list + " types");
    int32_t type = types[size_t(i)];
    if (uint32_t(type) > 256u)
        throw cStringA(operation + "(): wrong object type");
    return type;
}

} // namespace

int32_t cMeadowModel::getRandomAllowedType() const {
    return drawType(m_allowedTypes, "cMeadowModel::getRandomAllowedType", "allowed");
}

int32_t cMeadowModel::getRandomLevelType() const {
    return drawType(m_levelTypes, "cMeadowModel::getRandomLevelType", "level");
}

bool cMeadowModel::isLevelType(int32_t type) const {
    return std::find(m_levelTypes.begin(), m_levelTypes.end(), type) != m_levelTypes.end();
}

int32_t cMeadowModel::getTypeCategory(int32_t type) const {
    auto it = m_typeCategories.find(type);
    if (it == m_typeCategories.end())
        throw cStringA("cMeadowModel::getTypeCategory(): unknown type: " + std::to_string(type));
    return it->second;
}

int32_t cMeadowModel::getColourGroup(int32_t type) const {
    auto it = m_colourGroups.find(type);
    return it == m_colourGroups.end() ? -1 : it->second;
}

void cMeadowModel::setColourGroupFlag(std::vector<bool>& flags, int32_t type) const {
    int32_t group = getColourGroup(type);
    if (group >= 0 && group < int32_t(flags.size()))
        flags[size_t(group)] = true;
}

bool cMeadowModel::isColourGroupFlagSet(const std::vector<bool>& flags, int32_t type) const {
    int32_t group = getColourGroup(type);
    return group >= 0 && group < int32_t(flags.size()) && flags[size_t(group)];
}

const std::vector<int32_t>& cMeadowModel::getTypesOfCategory(int32_t category) const {
    static const std::vector<int32_t> none;
    if (category < 0 || category >= int32_t(m_typesByCategory.size()))
        return none;
    return m_typesByCategory[size_t(category)];
}

std::string cMeadowModel::makeRuleKey(int32_t type, int32_t amount) {
    return std::to_string(type) + "_" + std::to_string(amount);
}

const std::pair<int32_t, int32_t>* cMeadowModel::findTransformationRule(int32_t type, int32_t amount) const {
    auto it = m_transformationRules.find(makeRuleKey(type, amount));
    return it == m_transformationRules.end() ? nullptr : &it->second;
}

// ---- Triggers ----

bool cMeadowModel::isTriggerFired(int32_t trigger) const {
    return std::find(m_firedTriggers.begin(), m_firedTriggers.end(), trigger) != m_firedTriggers.end();
}
