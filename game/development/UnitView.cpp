#include "game/development/UnitView.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/development/BuildingScreen.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/ModelXml.h"
#include "game/model/Signal.h"

namespace {

enum eUnitId {
    SEED_BED = 17,
    BIRD_HOUSE = 22,
    DOGS_FACTORY = 25,
};

const char* const kBuildingFiles[] = {
    "hen_house",       "cheese_house", "mill_house",    "bee_house",      "bakery_house",  "cake_house",
    "goat_house",      "wool_house",   "cow_house",     "spinning_house", "textile_house", "molding_house",
    "adornment_house", "warehouse",    "clothes_house", "stone_house",    "pier",          "seed_bed",
    "bench",           "water_pump",   "fountain",      "dog_house",      "bird_house",    "butterfly_factory",
    "cats_factory",    "dogs_factory"};

std::vector<Engine::IXmlNode*> childrenOf(Engine::IXmlNode* element, const char* name) {
    Engine::IXmlNode* list = nullptr;
    if (!element || !element->findNode(name, list) || !list)
        return {};
    return ModelXml::children(list);
}

IGameSounds* sounds() {
    return GameServices::getGameSounds();
}

} // namespace

cUnitView::cUnitView(IBuildingScreen* layer, cMeadowUnit* unit)
    : cPanel(layer ? layer->getWidget() : nullptr), m_unit(unit), m_screen(layer), m_layer(getParent()) {
    m_id = unit ? unit->getId() : -1;
    loadLayoutFile(*this, getXmlFilePath(m_id));
    if (m_unit) {
        m_upgradedConnection = m_unit->m_changedSignal.connect([this](cMeadowUnit* u) { onUnitUpgraded(u); });
        m_restoredConnection = m_unit->m_restoredSignal.connect([this](cMeadowUnit* u) { onUnitRestored(u); });
    }
    updatePlot();
}

cUnitView::~cUnitView() {
    // The variants are children of this view and go with it.
    m_upgradedConnection.disconnect();
    m_restoredConnection.disconnect();
}

void cUnitView::releaseUnit() {
    m_upgradedConnection.disconnect();
    m_restoredConnection.disconnect();
    m_unit = nullptr;
    updatePlot();
}

std::string cUnitView::getXmlFilePath(int32_t id) {
    if (id < 0 || id >= int32_t(sizeof(kBuildingFiles) / sizeof(kBuildingFiles[0])))
        throw Engine::cStringA("cUnitView::getXmlFilePath(): unknown unit's id: " + std::to_string(id));
    return std::string("Meadow/View/buildings/") + kBuildingFiles[id] + ".xml";
}

void cUnitView::loadXML(const Engine::IXmlNode* node) {
    cPanel::loadXML(node);
    Engine::parseInt(m_point, node->getAttribute(L"point"));
    Engine::parseString(m_unitSound, node->getAttribute(L"unit_sound"));
    Engine::parseVector2(m_silenceTimer, node->getAttribute(L"silence_timer"));
    Engine::IXmlNode* plot = nullptr;
    if (node->findNode("Plot", plot) && plot) {
        if (!m_plot)
            m_plot = new Engine::cPanel(this);
        m_plot->loadXML(plot);
    }
    m_upgradeIcons.clear();
    for (Engine::IXmlNode* upgrade : childrenOf(const_cast<Engine::IXmlNode*>(node), "Upgrades")) {
        const std::vector<Engine::IXmlNode*> variants = childrenOf(upgrade, "Variants");
        // An upgrade without variants keeps an empty icon, so the icons stay in upgrade order.
        Engine::cVisual icon;
        Engine::IXmlNode* iconNode = nullptr;
        if (!variants.empty() && variants.front()->findNode("Icon", iconNode) && iconNode)
            icon.loadXML(iconNode);
        m_upgradeIcons.push_back(icon);
    }
}

const Engine::cVisual& cUnitView::getUpgradeIcon(int32_t index) const {
    if (m_upgradeIcons.empty())
        throw Engine::cStringA("cUnitView::getUpgradeIcon(): number of variants in 0");
    if (index < 0 || index >= int32_t(m_upgradeIcons.size()))
        throw Engine::cStringA("cUnitView::getUpgradeIcon(): wrong upgrade level: " + std::to_string(index));
    return m_upgradeIcons[size_t(index)];
}

Engine::IXmlNode* cUnitView::upgradeElement(Engine::IXmlNode* root, int32_t level, const char* where) const {
    const std::vector<Engine::IXmlNode*> upgrades = childrenOf(root, "Upgrades");
    if (upgrades.empty())
        return nullptr;
    if (level < 1 || level > int32_t(upgrades.size()))
        throw Engine::cStringA(std::string("cUnitView::") + where + "(): skins for upgrade number = " +
                               std::to_string(level) + " was not found for unit with id = " + std::to_string(m_id));
    return upgrades[size_t(level - 1)];
}

void cUnitView::updateUpgradeSkin(bool withoutParts) {
    const int32_t level = m_unit ? m_unit->getLevel() : 0;
    if (level == 0)
        return;
    if (!m_currentVariant)
        m_currentVariant = new cUpgradeVariant(this);
    const Engine::cDocumentHold document(getXmlFilePath(m_id));
    Engine::IXmlNode* upgrade = upgradeElement(document.get(), level, "updateUpgradeSkin");
    if (!upgrade)
        return;
    const std::vector<Engine::IXmlNode*> variants = childrenOf(upgrade, "Variants");
    if (variants.empty())
        return;
    const int32_t variant = m_unit->getVariant();
    if (variant < 0 || variant >= int32_t(variants.size()))
        throw Engine::cStringA("cUnitView::updateUpgradeSkin(): skins for upgrade number = " + std::to_string(level) +
                               " and variant number " + std::to_string(variant) +
                               " was not found for unit with id = " + std::to_string(m_id));
    m_currentVariant->load(variants[size_t(variant)], withoutParts);
    // The skins lie on the screen, not under this view: only the view's own point moves.
    m_position = m_currentVariant->getPosition();
    invalidate();
}

void cUnitView::removeCurrentVariant() {
    if (m_currentVariant)
        Engine::deleteWidgetLater(m_currentVariant);
    m_currentVariant = nullptr;
}

void cUnitView::loadAllVariants() {
    const int32_t level = m_unit ? m_unit->getLevel() : 0;
    if (level == 0)
        return;
    if (!m_previewVariants.empty())
        throw Engine::cStringA("cUnitView::loadAllVariants(): garbage in unit's variants");
    const Engine::cDocumentHold document(getXmlFilePath(m_id));
    Engine::IXmlNode* upgrade = upgradeElement(document.get(), level, "loadAllVariants");
    if (!upgrade)
        return;
    Engine::IXmlNode* list = nullptr;
    if (!upgrade->findNode("Variants", list) || !list)
        return;
    const int count = list->getChildCount();
    const std::vector<Engine::IXmlNode*> variants = ModelXml::children(list);
    for (int i = 0; i < count; ++i) {
        if (size_t(i) >= variants.size())
            throw Engine::cStringA("cUnitView::loadAllVariants(): skins for upgrade number = " + std::to_string(level) +
                                   " and variant number " + std::to_string(i) +
                                   " was not found for unit with id = " + std::to_string(m_id));
        auto* preview = new cUpgradeVariant(this);
        m_previewVariants.push_back(preview);
        preview->load(variants[size_t(i)], false);
    }
}

void cUnitView::process() {
    cPanel::process();
    if (!m_unit)
        return;
    const float dt = Engine::frameDelta();
    if (m_dropping) {
        if (m_currentVariant && m_currentVariant->updateDrop(dt))
            onDropFinished();
    } else if (m_currentVariant) {
        m_currentVariant->updateAnimals(dt);
    }
}

void cUnitView::onUnitUpgraded(cMeadowUnit* unit) {
    const int32_t variant = unit->getVariant();
    if (variant == -1) {
        loadAllVariants();
        return;
    }
    // A level bought while the one before still drops in: the older skin goes now, or it would
    // stay drawn with nobody to release it.
    if (m_previousVariant)
        Engine::deleteWidgetLater(m_previousVariant);
    m_previousVariant = m_currentVariant;
    m_currentVariant = nullptr;
    updateUpgradeSkin(false);
    m_dropping = true;
    updatePlot();
    if (m_currentVariant)
        m_currentVariant->resetDrop();
    if (m_screen) {
        m_screen->setUnitUpgrading(true);
        if (m_screen->createCatView(unit))
            if (IGameSounds* s = sounds())
                s->play("cat_voice" + std::to_string(variant));
    }
    if (m_id == DOGS_FACTORY)
        if (IGameSounds* s = sounds())
            s->play("dog_voice" + std::to_string(variant));
}

void cUnitView::onUnitRestored(cMeadowUnit* unit) {
    removeCurrentVariant();
    updateUpgradeSkin(true);
    if (m_currentVariant) {
        m_currentVariant->setShown(true, 1);
        m_currentVariant->updateAnimals(Engine::frameDelta());
    }
    updatePlot();
    if (m_screen)
        m_screen->createCatView(unit);
}

void cUnitView::updatePlot() {
    if (!m_plot)
        return;
    if (m_unit && (m_unit->getLevel() == 0 || m_dropping))
        m_plot->show();
    else
        m_plot->hide();
}

void cUnitView::onDropFinished() {
    m_dropping = false;
    updatePlot();
    if (m_screen)
        m_screen->setUnitUpgrading(false);
    playUnitSound();
    if (m_previousVariant)
        Engine::deleteWidgetLater(m_previousVariant);
    m_previousVariant = nullptr;
    if (m_currentVariant) {
        m_currentVariant->setShown(true, 1);
        if (m_screen)
            m_screen->updateMoneyText();
        m_currentVariant->updateAnimals(Engine::frameDelta());
    }
    if (m_screen)
        if (cMeadowController* controller = m_screen->getController())
            if (m_unit && m_unit->getModel())
                controller->checkUnitsAward(m_unit->getModel()->getUnitsFeature());
    if (m_id == SEED_BED && m_screen)
        m_screen->showShowAllTip();
}

void cUnitView::playUnitSound() {
    if (m_unitSound.empty())
        return;
    if (IGameSounds* s = sounds())
        s->playSingle(m_unitSound, m_silenceTimer.x, m_silenceTimer.y);
}

void cUnitView::setWorking(bool on) {
    if (m_id == BIRD_HOUSE || m_id == DOGS_FACTORY || !m_currentVariant)
        return;
    if (on)
        m_currentVariant->startWork();
    else
        m_currentVariant->stopWork();
}

float cUnitView::getWorkTime() const {
    return m_currentVariant ? m_currentVariant->getWorkTime() : 0.0f;
}

void cUnitView::playVoices() {
    if (m_currentVariant)
        m_currentVariant->playVoices();
}
