#pragma once

// A unit (a building of the development screen): its upgrades as read from the model
// description, the upgrade reached so far and the variant chosen for it.

#include "game/model/UnitUpgrade.h"

#include "game/model/SignalMember.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cMeadowModel;
namespace Engine {
class IXmlNode;
}

class cMeadowUnit {
public:
    explicit cMeadowUnit(cMeadowModel* model);
    virtual ~cMeadowUnit();
    cMeadowUnit(const cMeadowUnit&) = delete;
    cMeadowUnit& operator=(const cMeadowUnit&) = delete;

    virtual int32_t& getIndex() { return m_index; }
    virtual void setIndex(const int32_t& index) { m_index = index; }
    // The screens' names for the index.
    int32_t getId() const { return m_index; }
    void setId(int32_t id) { m_index = id; }

    // Reads "forbidden" and the upgrades of one unit element.
    void loadUnits(Engine::IXmlNode* node);

    int32_t getPrice() const { return current().price; }
    int32_t getObjectType() const { return current().object; }
    const std::wstring& getName() const { return current().name; }
    const std::wstring& getPrimaryPhrase() const { return current().primaryPhrase; }
    const std::wstring& getRegularPhrase() const { return current().regularPhrase; }
    // One of the current upgrade's random phrases; empty when it has none.
    std::wstring getRandomPhrase() const;

    bool hasNextUpgrade() const { return m_level < int32_t(m_upgrades.size()) - 1; }
    const cUnitUpgrade& getNextUpgrade() const { return getUpgrade(m_level + 1); }
    const cUnitUpgrade& getUpgrade(int32_t i) const;
    int32_t getUpgradeCount() const { return int32_t(m_upgrades.size()); }
    int32_t getMaxLevel() const { return m_upgrades.empty() ? 0 : int32_t(m_upgrades.size()) - 1; }
    bool hasUpgradeInGroup(int32_t group) const;
    const cUnitUpgrade& getUpgradeInGroup(int32_t group) const;

    void upgrade(int32_t variant);
    void setLevelAndVariant(int32_t level, int32_t variant);
    std::string getLevelKey() const { return "unit_lvl_" + std::to_string(m_index); }
    std::string getVariantKey() const { return "unit_var_" + std::to_string(m_index); }
    std::unique_ptr<cMeadowUnit> clone() const;

    int32_t getLevel() const { return m_level; }
    // Sets the level without telling the listeners.
    void setLevel(int32_t level) { m_level = level; }
    int32_t getVariant() const { return m_variant; }
    bool isForbidden() const { return m_forbidden; }
    cMeadowModel* getModel() const { return m_model; }

    cSignalMember<void(cMeadowUnit*)> m_changedSignal;
    cSignalMember<void(cMeadowUnit*)> m_restoredSignal;

private:
    const cUnitUpgrade& current() const { return getUpgrade(m_level); }

    cMeadowModel* m_model;
    int32_t m_index = -1;
    bool m_forbidden = false;
    int32_t m_level = 0;
    int32_t m_variant = 0;
    std::vector<cUnitUpgrade> m_upgrades;
};
