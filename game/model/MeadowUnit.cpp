#include "game/model/MeadowUnit.h"

#include "engine/core/String.h"
#include "engine/core/Strings.h"
#include "engine/core/XmlNode.h"
#include "game/model/ModelXml.h"
#include "game/model/RandomDraw.h"
#include "game/model/Signal.h"

using Engine::cStringA;
using Engine::IXmlNode;
using ModelXml::readInt;

namespace {

std::wstring translated(const std::wstring& text) {
    Engine::cStrings* strings = Engine::getStrings();
    return strings ? std::wstring(strings->translate(text)) : text;
}

std::wstring childText(IXmlNode* node, const char* name) {
    std::wstring text;
    node->getValue(name, text);
    return text;
}

} // namespace

cMeadowUnit::cMeadowUnit(cMeadowModel* model) : m_model(model) {}

cMeadowUnit::~cMeadowUnit() = default;

void cMeadowUnit::loadUnits(IXmlNode* node) {
    bool forbidden = false;
    Engine::parseBool(forbidden, node->getAttribute(L"forbidden"));
    m_forbidden = forbidden;
    m_upgrades.clear();
    IXmlNode* list = nullptr;
    if (!node->findNode("Upgrades", list) || !list)
        throw cStringA("cMeadowUnit::loadUnits(): incorrect GameModel.xml: some unit hasn't upgrades.");
    m_upgrades.emplace_back();
    for (IXmlNode* child : ModelXml::children(list)) {
        cUnitUpgrade upgrade;
        upgrade.level = readInt(child, L"level", upgrade.level);
        upgrade.price = readInt(child, L"price_gold", upgrade.price);
        upgrade.object = readInt(child, L"object", upgrade.object);
        upgrade.group = readInt(child, L"group_number", upgrade.group);
        upgrade.name = child->getAttribute(L"name");
        upgrade.description = child->getAttribute(L"descr");
        IXmlNode* phrases = nullptr;
        if (child->findNode("Phrases", phrases) && phrases) {
            upgrade.primaryPhrase = translated(childText(phrases, "Primary"));
            upgrade.regularPhrase = translated(childText(phrases, "Regular"));
            IXmlNode* randoms = nullptr;
            if (phrases->findNode("Randoms", randoms) && randoms) {
                Engine::tXmlNodeList nodes;
                randoms->getNodes("Random", nodes);
                for (IXmlNode* random : nodes)
                    upgrade.randomPhrases.push_back(translated(random->asWString()));
            }
        }
        m_upgrades.push_back(std::move(upgrade));
    }
}

std::wstring cMeadowUnit::getRandomPhrase() const {
    const std::vector<std::wstring>& phrases = current().randomPhrases;
    int32_t i = RandomDraw::index(int32_t(phrases.size()));
    return i < 0 ? std::wstring() : phrases[size_t(i)];
}

const cUnitUpgrade& cMeadowUnit::getUpgrade(int32_t i) const {
    if (i < 0 || i >= int32_t(m_upgrades.size()))
        throw cStringA("cMeadowUnit::getUpgrade(): wrong upgrade index: " + std::to_string(i));
    return m_upgrades[size_t(i)];
}

namespace {

// The first upgrade of the group; the unit's starting record (index 0) belongs to none.
const cUnitUpgrade* findInGroup(const std::vector<cUnitUpgrade>& upgrades, int32_t group) {
    for (size_t i = 1; i < upgrades.size(); ++i)
        if (upgrades[i].group == group)
            return &upgrades[i];
    return nullptr;
}

} // namespace

bool cMeadowUnit::hasUpgradeInGroup(int32_t group) const {
    return findInGroup(m_upgrades, group) != nullptr;
}

const cUnitUpgrade& cMeadowUnit::getUpgradeInGroup(int32_t group) const {
    if (const cUnitUpgrade* upgrade = findInGroup(m_upgrades, group))
        return *upgrade;
    throw cStringA("cMeadowUnit::getUpgradeInGroup(): there is no upgrade in this unit for a group: " +
                   std::to_string(group));
}

void cMeadowUnit::upgrade(int32_t variant) {
    // Past the last upgrade every getter of the current upgrade would fail later, far from here.
    if (!hasNextUpgrade())
        throw cStringA("cMeadowUnit::upgrade(): there is no next upgrade for unit " + std::to_string(m_index));
    ++m_level;
    m_variant = variant;
    m_changedSignal(this);
}

void cMeadowUnit::setLevelAndVariant(int32_t level, int32_t variant) {
    m_level = level;
    m_variant = variant;
    m_restoredSignal(this);
}

std::unique_ptr<cMeadowUnit> cMeadowUnit::clone() const {
    auto copy = std::make_unique<cMeadowUnit>(m_model);
    copy->m_index = m_index;
    copy->m_forbidden = m_forbidden;
    copy->m_level = m_level;
    copy->m_variant = m_variant;
    copy->m_upgrades = m_upgrades;
    return copy;
}
