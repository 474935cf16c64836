#include "game/development/UpgradeVariant.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "game/development/AnimationSet.h"
#include "game/development/BuildingScreen.h"
#include "game/development/DropAnimation.h"
#include "game/development/UnitView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/ModelXml.h"

#include <string>

namespace {

void releaseLater(Engine::cWidget* widget) {
    if (widget && Engine::isWidgetAlive(widget))
        Engine::deleteWidgetLater(widget);
}

std::vector<Engine::IXmlNode*> childrenOf(Engine::IXmlNode* element, const char* name) {
    Engine::IXmlNode* list = nullptr;
    if (!element->findNode(name, list) || !list)
        return {};
    return ModelXml::children(list);
}

} // namespace

cUpgradeVariant::cUpgradeVariant(cUnitView* owner)
    : cTextureButton(owner), m_unitView(owner), m_layer(owner->getLayer()), m_screen(owner->getScreen()) {}

// The screen may be deleting its children, these among them: only those still alive are handed over.
cUpgradeVariant::~cUpgradeVariant() {
    for (Engine::cPanel* skin : m_skins)
        releaseLater(skin);
    releaseParts();
    for (cAnimationSet* set : m_animals)
        delete set;
    for (Engine::cPanel* work : m_works)
        releaseLater(work);
}

void cUpgradeVariant::releaseParts() {
    for (cDropAnimation* part : m_parts)
        releaseLater(part);
    m_parts.clear();
    m_fallingParts.clear();
}

void cUpgradeVariant::load(Engine::IXmlNode* element, bool withoutParts) {
    cTextureButton::loadXML(element);
    Engine::IXmlNode* tip = nullptr;
    if (!m_tip && element->findNode("Tip", tip) && tip)
        createTip();
    cTipClient::loadXML(element);
    Engine::IXmlNode* icon = nullptr;
    if (element->findNode("Icon", icon) && icon)
        m_icon.loadXML(icon);
    for (Engine::IXmlNode* child : childrenOf(element, "Skins")) {
        auto* skin = new Engine::cPanel(m_layer);
        m_skins.push_back(skin);
        skin->loadXML(child);
        skin->hide();
    }
    for (Engine::cPanel* skin : m_skins)
        skin->setAnimPosition(0);
    for (Engine::IXmlNode* child : childrenOf(element, "Pyro")) {
        auto* effect = new Engine::cPyroEffect(this, std::string());
        m_pyroEffectList.push_back(effect);
        effect->loadXML(child);
        effect->play();
    }
    releaseParts();
    if (!withoutParts) {
        const std::vector<Engine::IXmlNode*> parts = childrenOf(element, "Parts");
        m_parts.assign(parts.size(), nullptr);
        for (size_t i = 0; i < parts.size(); ++i) {
            m_parts[i] = new cDropAnimation(m_layer);
            m_parts[i]->loadXML(parts[i]);
            m_parts[i]->hide();
        }
    }
    for (Engine::IXmlNode* child : childrenOf(element, "Animals")) {
        m_animals.push_back(new cAnimationSet(m_layer, m_screen));
        m_animals.back()->loadXML(child);
    }
    for (Engine::cPanel* work : m_works)
        if (work)
            Engine::deleteWidgetLater(work);
    const std::vector<Engine::IXmlNode*> works = childrenOf(element, "Works");
    m_works.assign(works.size(), nullptr);
    for (size_t i = 0; i < works.size(); ++i) {
        m_works[i] = new Engine::cPanel(m_layer);
        m_works[i]->loadXML(works[i]);
        m_works[i]->hide();
    }
    hide();
}

void cUpgradeVariant::setShown(bool show, float alpha) {
    for (Engine::cPanel* skin : m_skins) {
        if (show) {
            skin->setAlpha(alpha);
            skin->show();
        } else {
            skin->hide();
        }
    }
    if (show) {
        this->show();
        enable();
    } else {
        hide();
        disable();
    }
}

void cUpgradeVariant::updateAnimals(float dt) {
    if (m_working)
        return;
    for (cAnimationSet* set : m_animals)
        set->update(dt);
}

bool cUpgradeVariant::updateDrop(float dt) {
    m_dropTime += dt;
    if (m_parts.empty())
        return true;
    for (cDropAnimation* part : m_parts)
        if (!part->isStarted() && part->getTime() <= m_dropTime) {
            part->start();
            m_fallingParts.push_back(part);
        }
    if (m_fallingParts.empty())
        return false;
    for (auto it = m_fallingParts.begin(); it != m_fallingParts.end();) {
        cDropAnimation* part = *it;
        if (!part->update(dt)) {
            ++it;
            continue;
        }
        it = m_fallingParts.erase(it);
        if (IGameSounds* sounds = GameServices::getGameSounds())
            sounds->playSingle("part_fall", 0.1f, 0);
        if (m_screen)
            m_screen->startUnitDust(part->getPosition() + part->getDustOffset(), part->getDepth(), part->getSize().x,
                                    part->getDustHeight());
    }
    if (!m_fallingParts.empty())
        return false;
    releaseParts();
    if (Engine::cResourceManager* resources = Engine::getResourceManager())
        resources->purgeUnused();
    playVoices();
    return true;
}

Engine::cVector2 cUpgradeVariant::getPosition() const {
    if (m_skins.empty())
        throw Engine::cStringA("cUpgradeVariant::getPosition(): variant has not skin pictures");
    return m_skins.front()->getPosition();
}

float cUpgradeVariant::getWorkTime() const {
    return m_works.empty() || !m_works.front() ? 0.0f : m_works.front()->getAnimLength();
}

void cUpgradeVariant::startWork() {
    m_working = true;
    showAnimals(false);
    for (Engine::cPanel* work : m_works) {
        work->setAnimPosition(0);
        work->show();
    }
}

void cUpgradeVariant::stopWork() {
    m_working = false;
    showAnimals(true);
    for (Engine::cPanel* work : m_works)
        work->hide();
}

void cUpgradeVariant::showAnimals(bool show) {
    for (cAnimationSet* set : m_animals)
        set->showCurrent(show);
}

void cUpgradeVariant::playVoices() {
    for (cAnimationSet* set : m_animals)
        set->playVoice();
}

void cUpgradeVariant::clicked() {
    cTextureButton::clicked();
    m_unitView->playUnitSound();
}

void cUpgradeVariant::createTip() {
    m_tip = m_screen ? m_screen->createBuildingTip(this, m_unitView->getUnit()) : nullptr;
    if (m_tip)
        registerTip();
}

void cUpgradeVariant::setShowing() {
    if (m_screen && m_screen->isLevelScreenOpen())
        return;
    cTipClient::setShowing();
}

void cUpgradeVariant::draw() {
    if (getPicture())
        cTextureButton::draw();
}
