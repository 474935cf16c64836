#include "game/model/LevelAchievements.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/ModelXml.h"

using Engine::cStringA;
using Engine::IXmlNode;

namespace {

// The record whose value is the sum of the others.
const size_t kSummaryIndex = 3;

} // namespace

void cLevelAchievements::loadXML(IXmlNode* root) {
    IXmlNode* list = nullptr;
    if (!root || !root->findNode("LevelAchievements", list) || !list)
        throw cStringA("cLevelAchievements::loadXML(): incorrect GameModel.xml: <LevelAchievements> tag is absent.");
    m_achievements.clear();
    for (IXmlNode* node : ModelXml::children(list)) {
        cLevelAchievement record;
        record.name = node->getAttribute(L"name");
        Engine::parseInt(record.id, node->getAttribute(L"id"));
        Engine::parseBool(record.show, node->getAttribute(L"show"));
        m_achievements.push_back(record);
    }
}

void cLevelAchievements::reset() {
    for (cLevelAchievement& record : m_achievements)
        record.value = 0;
}

cLevelAchievement* cLevelAchievements::find(int32_t id) {
    for (cLevelAchievement& record : m_achievements)
        if (record.id == id)
            return &record;
    return nullptr;
}

void cLevelAchievements::setValue(int32_t id, int32_t value) {
    if (cLevelAchievement* record = find(id))
        record->value = value;
}

void cLevelAchievements::addValue(int32_t id, int32_t amount) {
    if (cLevelAchievement* record = find(id))
        record->value += amount;
}

int32_t cLevelAchievements::getValue(int32_t id) const {
    for (const cLevelAchievement& record : m_achievements)
        if (record.id == id)
            return record.value;
    return 0;
}

void cLevelAchievements::updateSummary() {
    if (m_achievements.empty())
        throw cStringA("cLevelAchievements::updateSummary(): there are no any achievements");
    if (m_achievements.size() <= kSummaryIndex)
        throw cStringA("cLevelAchievements::updateSummary(): there is no summary achievement, achievements amount = " +
                       std::to_string(m_achievements.size()));
    // Every record but the last; the summary's own earlier value would count twice.
    int32_t sum = 0;
    for (size_t i = 0; i + 1 < m_achievements.size(); ++i)
        if (i != kSummaryIndex)
            sum += m_achievements[i].value;
    m_achievements[kSummaryIndex].value = sum;
}
