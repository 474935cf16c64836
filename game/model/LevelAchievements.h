#pragma once

// The named values the results view shows after a level; the fourth one is their sum.

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {
class IXmlNode;
}

struct cLevelAchievement {
    std::wstring name;
    int32_t id = 0;
    int32_t value = 0;
    bool show = true;
};

class cLevelAchievements {
public:
    // Reads "LevelAchievements" of the model description's root element.
    void loadXML(Engine::IXmlNode* root);
    void reset();
    void setValue(int32_t id, int32_t value);
    void addValue(int32_t id, int32_t amount);
    int32_t getValue(int32_t id) const;
    // The fourth record becomes the sum of all records but the last (and but itself).
    void updateSummary();

    const std::vector<cLevelAchievement>& getAchievements() const { return m_achievements; }

private:
    cLevelAchievement* find(int32_t id);

    std::vector<cLevelAchievement> m_achievements;
};
