#include "game/development/DevelopmentView.h"

#include "engine/core/Constants.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/InputSystem.h"
#include "engine/media/SoundChannel.h"
#include "game/development/Butterfly.h"
#include "game/development/CatPersonModel.h"
#include "game/development/CatPersonView.h"
#include "game/development/GameObjectTip.h"
#include "game/development/Graph.h"
#include "game/development/LugTip.h"
#include "game/development/MapNeighbours.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageView.h"
#include "game/development/UnitPreview.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/ModelXml.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/ActionGroup.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/Easing.h"
#include "game/shell/GameSounds.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/ParticleEmitter.h"
#include "game/shell/ParticleSprite.h"
#include "game/shell/PictureSequence.h"
#include "game/shell/RandomFloat.h"
#include "game/shell/Tip.h"
#include "game/shell/TipManager.h"
#include "game/shell/YesNoFrame.h"

using Engine::cVector2;

namespace {

enum eUnitId {
    BUTTERFLY_FACTORY = 23,
    CATS_FACTORY = 24,
};

ILevelScreenFactory* g_levelScreenFactory = nullptr;

template <class Widget> void loadChild(const Engine::IXmlNode* node, const char* name, Widget* widget) {
    Engine::IXmlNode* child = nullptr;
    if (widget && node->findNode(name, child) && child)
        widget->loadXML(child);
}

} // namespace

cDevelopmentView::cDevelopmentView(Engine::cWidget* parent, bool editorMode)
    : cGroupFader(parent), m_mainMenuButton(new Engine::cTextButton(this)),
      m_nextLevelButton(new Engine::cTextButton(this)), m_moneyText(new Engine::cLabel(this)),
      m_frame(new Engine::cPanel(this)), m_levelButtonProto(new Engine::cTextButton(this)), m_editorMode(editorMode),
      m_unitDustEffect(new cParticleEmitter(nullptr)), m_showAllButton(new Engine::cFrameButton(this)),
      m_slideQueue(new cActionQueue(nullptr)) {
    loadLayoutFile(*this, LAYOUT);
    m_upgradeButtons = new cUpgradeButtonsPanel(this);
    m_upgradeButtons->hide();
    m_upgradePanel = m_upgradeButtons;
    if (Engine::cConstants* constants = Engine::getConstants()) {
        bool tips = m_tipsEnabled;
        if (constants->getValue(L"game", L"show_tips", tips))
            m_tipsEnabled = tips;
    }
    hide();
}

cDevelopmentView::~cDevelopmentView() {
    releaseTutorial();
    // The panel's buttons hand their previews back to this screen: it goes while the screen is
    // whole, not with the children.
    if (m_upgradeButtons && Engine::isWidgetAlive(m_upgradeButtons)) {
        if (m_model) {
            m_upgradeButtons->closeVariants();
            m_upgradeButtons->resetScroll();
        }
        delete m_upgradeButtons;
    }
    m_upgradeButtons = nullptr;
    m_upgradePanel = nullptr;
    m_releasedPreviews.clear();
    m_previews.clear();
    destroyPimbrel();
    destroyCat();
    // The butterflies go with the screen as its children: the program's count must follow.
    s_butterflyCount -= int(m_butterflies.size());
    m_butterflies.clear();
    delete m_music;
    m_music = nullptr;
    try {
        saveGame(m_levelRunning);
    } catch (...) {
        // A failed write at shut-down is already in the error log; nothing may leave a destructor.
    }
    if (m_savedLevelPrompt)
        Engine::deleteWidgetLater(m_savedLevelPrompt);
    m_slideFinishedConnection.disconnect();
    delete m_slideQueue;
    delete m_unitDustEffect;
    delete m_controller;
    delete m_model;
}

void cDevelopmentView::setLevelScreenFactory(ILevelScreenFactory* factory) {
    g_levelScreenFactory = factory;
}

ILevelScreenFactory* cDevelopmentView::getLevelScreenFactory() {
    return g_levelScreenFactory;
}

void cDevelopmentView::loadXML(const Engine::IXmlNode* node) {
    cGroupFader::loadXML(node);
    readShowHideTimes(node);
    Engine::IXmlNode* message = nullptr;
    if (node->findNode("PlaySavedLevelMessage", message) && message)
        m_savedLevelMessage = message->asWString();
    Engine::parseVector2(m_levelButtonsOrigin, node->getAttribute(L"initial_lvl_btn_pos"));
    Engine::parseVector2(m_levelButtonsOffset, node->getAttribute(L"lvl_btns_offset"));
    Engine::parseInt(m_levelButtonsInRow, node->getAttribute(L"lvl_btns_in_row"));
    Engine::parseFloat(m_nextUpgradeAlpha, node->getAttribute(L"next_upgrade_alpha"));
    Engine::parseFloat(m_butterflyPossibility, node->getAttribute(L"butterfly_possibility"));
    Engine::parseInt(m_butterflyMaximum, node->getAttribute(L"butterfly_maximum"));
    Engine::parseFloat(m_clicksBufferTime, node->getAttribute(L"clicks_buffer_time"));
    Engine::parseInt(m_maxClicksNumber, node->getAttribute(L"max_clicks_number"));
    Engine::parseFloat(m_variantAlpha, node->getAttribute(L"variant_alpha"));
    Engine::parseFloat(m_hideInterfaceTime, node->getAttribute(L"hide_interface_time"));

    Engine::IXmlNode* waves = nullptr;
    if (node->findNode("Waves", waves) && waves) {
        const std::vector<Engine::IXmlNode*> children = ModelXml::children(waves);
        m_waves.assign(children.size(), nullptr);
        for (size_t i = 0; i < children.size(); ++i) {
            m_waves[i] = new cPictureSequence(this);
            m_waves[i]->loadXML(children[i]);
        }
    }
    Engine::IXmlNode* movables = nullptr;
    if (node->findNode("MovableInterfaces", movables) && movables) {
        const std::vector<Engine::IXmlNode*> children = ModelXml::children(movables);
        m_movableInterfaces.assign(children.size(), nullptr);
        for (size_t i = 0; i < children.size(); ++i) {
            m_movableInterfaces[i] = new Engine::cPanel(this);
            m_movableInterfaces[i]->loadXML(children[i]);
        }
    }
    loadChild(node, "Frame", m_frame);
    loadChild(node, "MoneyText", m_moneyText);
    loadChild(node, "MainMenuButton", m_mainMenuButton);
    loadChild(node, "NextLevelButton", m_nextLevelButton);
    loadChild(node, "ShowAllButton", m_showAllButton);
    m_mainMenuButton->disable();
    m_nextLevelButton->disable();
    m_showAllButton->disable();
    if (m_editorMode)
        loadChild(node, "LevelButtonProto", m_levelButtonProto);
    m_levelButtonProto->hide();
    loadChild(node, "UnitDustEffect", m_unitDustEffect);

    m_visualStates.clear();
    Engine::IXmlNode* states = nullptr;
    if (node->findNode("States", states) && states)
        for (Engine::IXmlNode* child : ModelXml::children(states)) {
            Engine::cVisual look;
            look.loadXML(child);
            m_visualStates[ModelXml::readWord(child, L"id")] = look;
        }
}

const Engine::cVisual& cDevelopmentView::getVisualState(const std::string& id) const {
    auto it = m_visualStates.find(id);
    if (it == m_visualStates.end())
        throw Engine::cStringA("cDevelopmentView::getVisualState(): visual state for a given id was not found: id = " +
                               id);
    return it->second;
}

const Engine::cSprite* cDevelopmentView::getShownTip() const {
    cTipManager* tips = cTipManager::getInstance();
    return tips ? tips->getShownTip() : nullptr;
}

// ---- Opening and closing ----

void cDevelopmentView::open() {
    m_model = new cMeadowModel();
    m_model->setEditorMode(m_editorMode);
    createPimbrel();
    m_pimbrelModel->reset();
    if (m_catModel)
        throw Engine::cStringA("cDevelopmentView::open(): cat is already created");
    createCatModel();
    createUnits();
    if (m_unitViews.empty())
        throw Engine::cStringA("cDevelopmentView::open(): units list is empty");
    m_model->loadProgressFromProfile();
    m_controller = new cMeadowController(m_model, this, m_editorMode);
    if (m_editorMode) {
        createLevelButtons();
        m_nextLevelButton->disable();
    } else {
        m_nextLevelButton->setClickCallback(onNextLevelButton);
    }
    updateMoneyText();
    startMusic();
    placePimbrel(Engine::gIntProps.count("PimbrelNode") ? Engine::gIntProps["PimbrelNode"] : 0);
    if (m_upgradePanel) {
        m_upgradePanel->setModel(m_model);
        m_upgradePanel->resetScrolling();
        m_upgradePanel->updateButtons(true);
        m_upgradePanel->setShown(!m_model->getUnitsFeature()->isFullyUpgraded() && !m_editorMode);
    }
    // The tutorial of the player who is current now: it asks this map for its model and its lock.
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->setOwner(this);
    enable();
}

void cDevelopmentView::releaseTutorial() {
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        if (tutorial->getOwner() == this)
            tutorial->setOwner(nullptr);
}

void cDevelopmentView::placePimbrel(int32_t node) {
    if (!m_pimbrelModel)
        return;
    m_pimbrelModel->setCurrentPoint(node);
    m_pimbrelView->placeAtCurrentPoint();
    m_pimbrelView->enable();
    m_pimbrelView->show();
}

void cDevelopmentView::storePimbrelNode() {
    if (!m_pimbrelModel || !m_pimbrelView)
        return;
    int32_t node = m_pimbrelModel->getCurrentPoint();
    // While she walks her point is where she is going: she comes back at the node nearest to her.
    if (m_pimbrelView->isMoving()) {
        const cVector2& at = m_pimbrelView->getPosition();
        if (cGraphNode* nearest = m_pimbrelModel->getGraph()->getClosestNode(at.x, at.y))
            node = nearest->getIndex();
    }
    Engine::gIntProps["PimbrelNode"] = node;
}

void cDevelopmentView::createPimbrel() {
    if (m_pimbrelModel)
        throw Engine::cStringA("cDevelopmentView::createPimbrel(): pimbrel is already created");
    m_pimbrelModel = new cPersonageModel();
    m_pimbrelView = new cPersonageView(this, this, m_pimbrelModel);
    loadLayoutFile(*m_pimbrelView, "Meadow/View/Pimbrel.xml");
    m_pimbrelView->enable();
    m_pimbrelView->show();
}

void cDevelopmentView::destroyPimbrel() {
    if (m_pimbrelView) {
        m_pimbrelView->hide();
        m_pimbrelView->disable();
        Engine::deleteWidgetLater(m_pimbrelView);
    }
    delete m_pimbrelModel;
    m_pimbrelView = nullptr;
    m_pimbrelModel = nullptr;
}

void cDevelopmentView::createCatModel() {
    m_catModel = new cCatPersonModel();
}

// Both pointers are cleared, so the next level's end and the next open find no cat.
void cDevelopmentView::destroyCat() {
    if (m_catView)
        Engine::deleteWidgetLater(m_catView);
    delete m_catModel;
    m_catView = nullptr;
    m_catModel = nullptr;
}

void cDevelopmentView::createUnits() {
    cUnitsFeature* units = m_model->getUnitsFeature();
    if (!m_unitViews.empty() && !m_editorMode)
        throw Engine::cStringA("cDevelopmentView::createUnits(): vector of units view is not empty");
    m_unitViews.assign(size_t(units->getUnitCount()), nullptr);
    for (int32_t i = 0; i < units->getUnitCount(); ++i) {
        cMeadowUnit* unit = units->getUnit(i);
        const int32_t id = unit->getId();
        if (id < 0 || id >= int32_t(m_unitViews.size()) || m_unitViews[size_t(id)])
            throw Engine::cStringA("cDevelopmentView::createUnits(): duplicated unit id: " + std::to_string(id));
        auto* view = new cUnitView(this, unit);
        m_unitViews[size_t(id)] = view;
        if (m_pimbrelModel)
            m_pimbrelModel->addUnitPoint(view->getPoint(), view);
    }
}

cUnitView* cDevelopmentView::getUnitView(cMeadowUnit* unit) const {
    if (!unit)
        throw Engine::cStringA("cDevelopmentView::getUnitView(): model unit is 0");
    const int32_t id = unit->getId();
    if (id < 0 || id >= int32_t(m_unitViews.size()) || !m_unitViews[size_t(id)])
        throw Engine::cStringA("cDevelopmentView::getUnitView(): list of units views hasn't view with id = " +
                               std::to_string(id));
    return m_unitViews[size_t(id)];
}

void cDevelopmentView::setUnitSkinShown(cMeadowUnit* unit, bool shown) {
    // While a level runs the building views are gone: there is no look to show or hide.
    if (m_unitViews.empty())
        return;
    cUpgradeVariant* variant = getUnitView(unit)->getCurrentVariant();
    if (variant)
        variant->setShown(shown, 1.0f);
}

const Engine::cVisual& cDevelopmentView::getUpgradeIcon(cMeadowUnit* unit, int32_t index) const {
    return getUnitView(unit)->getUpgradeIcon(index);
}

IUpgradePreview* cDevelopmentView::createPreview(std::unique_ptr<cMeadowUnit> copy) {
    m_previews.push_back(std::make_unique<cUnitPreview>(this, std::move(copy)));
    return m_previews.back().get();
}

// The dialogs may still read the preview in this frame: it goes on the next one.
void cDevelopmentView::releasePreview(IUpgradePreview* preview) {
    for (auto it = m_previews.begin(); it != m_previews.end(); ++it)
        if (it->get() == preview) {
            (*it)->release();
            m_releasedPreviews.push_back(std::move(*it));
            m_previews.erase(it);
            return;
        }
}

// A second call for the same factory (its level restored after an upgrade) keeps the cat it made.
bool cDevelopmentView::createCatView(cMeadowUnit* unit) {
    if (!unit || unit->getId() != CATS_FACTORY || !m_catModel || m_catView)
        return false;
    m_catView = new cCatPersonView(this, this, m_catModel, unit->getVariant());
    m_catView->disable();
    m_catView->hide();
    for (cUnitView* view : m_unitViews)
        if (view)
            m_catModel->addUnitPoint(view->getPoint(), view);
    m_catModel->reset();
    m_catView->placeAtCurrentPoint();
    m_catView->enable();
    m_catView->show();
    return true;
}

void cDevelopmentView::removeUnitViews() {
    for (cUnitView* view : m_unitViews)
        if (view)
            Engine::deleteWidgetLater(view);
    m_unitViews.clear();
    if (Engine::cResourceManager* resources = Engine::getResourceManager())
        resources->purgeUnused();
}

void cDevelopmentView::setUnitViewsEnabled(bool enabled) {
    for (cUnitView* view : m_unitViews)
        Engine::setWidgetEnabled(view, enabled);
}

void cDevelopmentView::close() {
    setLevelRunning(false);
    if (m_upgradePanel) {
        m_upgradePanel->closeVariants();
        // The buttons let go of the buildings and their previews before the model goes.
        m_upgradePanel->resetScrolling();
        m_upgradePanel->setShown(false);
    }
    destroyCat();
    // The heroine's place is stored while she still exists.
    if (m_levelScreen) {
        saveGame(true);
        closeLevel();
    } else if (!m_editorMode && Engine::getProfileManager()) {
        if (m_model)
            m_model->saveProgressToProfile(m_savedLevelPrompt != nullptr);
        if (m_pimbrelModel)
            m_pimbrelModel->storePoint();
        storePimbrelNode();
        Engine::getProfileManager()->save();
    }
    closePrompt();
    releaseTutorial();
    destroyPimbrel();
    removeUnitViews();
    removeButterflies();
    disable();
    hide();
    delete m_controller;
    delete m_model;
    m_controller = nullptr;
    m_model = nullptr;
    m_levelScreen = nullptr;
    m_mainMenuButton->setClickCallback(nullptr);
    m_showAllButton->setClickCallback(nullptr);
    m_nextLevelButton->setClickCallback(nullptr);
    delete m_music;
    m_music = nullptr;
    if (Engine::cResourceManager* resources = Engine::getResourceManager())
        resources->purgeUnused();
}

void cDevelopmentView::setButtonsEnabled(bool enabled) {
    Engine::setWidgetEnabled(m_mainMenuButton, enabled);
    Engine::setWidgetEnabled(m_showAllButton, enabled);
    if (m_upgradePanel)
        m_upgradePanel->setEnabled(enabled);
    setUnitViewsEnabled(enabled);
}

void cDevelopmentView::lockInterface(bool locked) {
    if (locked) {
        m_nextLevelButton->disable();
        setButtonsEnabled(false);
        return;
    }
    unlockInterface();
}

void cDevelopmentView::unlockInterface() {
    if (m_editorMode)
        m_nextLevelButton->disable();
    else if (!m_levelScreen)
        m_nextLevelButton->enable();
    setButtonsEnabled(true);
}

void cDevelopmentView::lockInput(bool locked) {
    if (m_levelScreen)
        return;
    Engine::setWidgetEnabled(this, !locked);
}

void cDevelopmentView::setLevelButtonsEnabled(bool enabled) {
    for (Engine::cTextButton* button : m_levelButtons)
        Engine::setWidgetEnabled(button, enabled);
}

void cDevelopmentView::startMusic() {
    delete m_music;
    m_music = nullptr;
    if (cGameSounds* sounds = cGameSounds::getInstance())
        m_music = sounds->playMusic("game_music");
}

void cDevelopmentView::resumeMusic() {
    if (m_music)
        m_music->resume();
    else
        startMusic();
}

// ---- Layout: money, level buttons, slide, dust, butterflies ----

void cDevelopmentView::updateMoneyText() {
    const bool shown = !m_levelRunning;
    Engine::setWidgetShown(m_moneyText, shown);
    Engine::setWidgetShown(m_mainMenuButton, shown);
    Engine::setWidgetShown(m_showAllButton, shown);
    if (shown && m_model)
        m_moneyText->setText(Engine::narrowToWide(std::to_string(m_model->getResourcePoints(1))));
}

void cDevelopmentView::createLevelButtons() {
    // Buttons of an earlier open would stay drawn under the new ones.
    for (Engine::cTextButton* button : m_levelButtons)
        if (button)
            Engine::deleteWidgetLater(button);
    m_levelButtons.assign(size_t(m_model ? m_model->getLevelCount() : 0), nullptr);
    cVector2 p = m_levelButtonsOrigin;
    int32_t column = 0;
    for (size_t i = 0; i < m_levelButtons.size(); ++i) {
        auto* button = new Engine::cTextButton(*m_levelButtonProto);
        button->setParent(this);
        button->setPosition(p);
        p.x += m_levelButtonsOffset.x;
        button->setText(Engine::narrowToWide(std::to_string(i)));
        button->setClickCallback(onLevelButtonClicked);
        button->enable();
        button->show();
        button->setUserData(int32_t(i));
        m_levelButtons[i] = button;
        if (++column == m_levelButtonsInRow) {
            column = 0;
            p.x = m_levelButtonsOrigin.x;
            p.y += m_levelButtonsOffset.y;
        }
    }
}

void cDevelopmentView::onLevelButtonClicked(Engine::cButton* button) {
    if (cDevelopmentView* view = getInstance())
        view->openLevel(button->getUserData());
}

void cDevelopmentView::onShowAllClicked(Engine::cButton*) {
    if (cDevelopmentView* view = getInstance())
        view->hideInterface();
}

void cDevelopmentView::hideInterface() {
    m_showAllButton->setClickCallback(nullptr);
    if (!m_interfaceActivated) {
        m_interfaceActivated = true;
        unlockInterface();
    }
    m_slideQueue->clear();
    const float h = Engine::getGraphicsDevice() ? float(Engine::getGraphicsDevice()->getScreenHeight()) : 768.0f;
    auto* group = new cActionGroup();
    auto slide = [&](Engine::cSprite* widget, bool up) {
        if (!widget)
            return;
        const cVector2 at = widget->getPosition();
        const cVector2 to(at.x, up ? -at.y : 2 * h - at.y);
        group->addAction(
            new cActionMoveTween(widget, at, to, m_hideInterfaceTime, EASING_QUART, EASE_IN_OUT, 0, group));
    };
    slide(m_mainMenuButton, true);
    slide(m_showAllButton, true);
    slide(m_moneyText, true);
    slide(m_nextLevelButton, false);
    if (m_upgradePanel)
        slide(m_upgradePanel->getSlidingWidget(), false);
    for (Engine::cPanel* panel : m_movableInterfaces)
        if (panel)
            slide(panel, panel->getPosition().y < h / 2);
    m_slideQueue->addAction(group);
    m_interfaceReturning = false;
    m_slideFinishedConnection.disconnect();
    m_slideFinishedConnection = m_slideQueue->connectFinished([this] { onSlideFinished(); });
    m_slideQueue->start();
    m_interfaceHidden = true;
}

void cDevelopmentView::onSlideFinished() {
    if (m_interfaceReturning) {
        m_slideFinishedConnection.disconnect();
        m_showAllButton->setClickCallback(onShowAllClicked);
        return;
    }
    m_anyInputHook.addKey(Engine::INPUT_ANY, onAnyInputEvent, this);
}

void cDevelopmentView::onAnyInputEvent(void* user) {
    static_cast<cDevelopmentView*>(user)->onAnyInput();
}

void cDevelopmentView::onAnyInput() {
    m_interfaceReturning = true;
    m_anyInputHook.removeAll();
    m_slideQueue->playBackward();
    m_interfaceHidden = false;
}

void cDevelopmentView::showShowAllTip() {
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (!tutorial || !tutorial->checkAndShow(25, cTutorialManager::TIP_ACTION, m_showAllButton, nullptr,
                                             m_showAllButton->getPosition(), false))
        return;
    // Only the show-all button answers until the player has slid the interface out once.
    m_interfaceActivated = false;
    lockInterface(true);
    m_showAllButton->enable();
}

cTip* cDevelopmentView::createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) {
    auto* tip = new cGameObjectTip(variant);
    tip->setUnit(unit);
    return tip;
}

cTip* cDevelopmentView::createUpgradeTip(Engine::cWidget* owner) {
    return new cLugTip(owner);
}

void cDevelopmentView::prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t level) {
    auto* lugTip = dynamic_cast<cLugTip*>(tip);
    if (!lugTip)
        return;
    lugTip->setUnit(unit);
    lugTip->setLugPosition(Engine::cVector2(lugX, lugTip->getLugPosition().y));
    lugTip->setUpgradeIndex(level);
    // The body and the lug take their places for this button before the tip shows.
    lugTip->placeAt(Engine::cVector2(lugX, lugTip->getLugPosition().y));
}

void cDevelopmentView::setTutorialTipsShown(bool shown) {
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->setTutorialEnabled(shown);
}

void cDevelopmentView::checkUpgradeHint(const cVector2& position) {
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->checkAndShow(2, cTutorialManager::TIP_ARROW, nullptr, nullptr, position, false);
}

void cDevelopmentView::startUnitDust(const cVector2& position, float depth, float width, float heightOffset) {
    auto* dust = new cParticleEmitter(*m_unitDustEffect);
    const float period = m_unitDustEffect->getPeriod();
    if (period > 0 && width > 0)
        dust->setFrequency(1.0f / period * width / 100.0f);
    dust->setWidth(width);
    dust->setHeightOffset(heightOffset);
    dust->getPrototype()->setDepth(depth);
    dust->setParent(this);
    dust->setOrigin(position);
    dust->setMaxCount(int32_t(width / 8) + 4);
    dust->setEmitting(true);
    dust->show();
    dust->enable();
}

void cDevelopmentView::process() {
    m_releasedPreviews.clear();
    cGroupFader::process();
    if (!m_model)
        return;
    checkNextLevelHint();
    cUnitsFeature* units = m_model->getUnitsFeature();
    if (units && units->getUnitCount() > BUTTERFLY_FACTORY && units->isUnitUpgraded(BUTTERFLY_FACTORY) &&
        s_butterflyCount < m_butterflyMaximum && randomFloat(0, 1) < m_butterflyPossibility) {
        m_butterflies.push_back(new cButterfly(this));
        ++s_butterflyCount;
    }
}

void cDevelopmentView::checkNextLevelHint() {
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    // The hint points at the next-level button: not while it takes no click (a switch still
    // fading in, a question open).
    if (!tutorial || m_levelScreen || (m_upgradePanel && m_upgradePanel->isScrolling()) || m_slideQueue->isRunning() ||
        m_unitUpgrading || m_interfaceHidden || !m_nextLevelButton->isEnabled())
        return;
    tutorial->checkAndShow(0, cTutorialManager::TIP_ARROW, m_nextLevelButton, nullptr, cVector2(0, 0), false);
}

void cDevelopmentView::removeButterflies() {
    for (cButterfly* butterfly : m_butterflies) {
        butterfly->hide();
        Engine::deleteWidgetLater(butterfly);
        --s_butterflyCount;
    }
    m_butterflies.clear();
}

void cDevelopmentView::removeButterfly(cButterfly* butterfly) {
    for (auto it = m_butterflies.begin(); it != m_butterflies.end(); ++it)
        if (*it == butterfly) {
            m_butterflies.erase(it);
            --s_butterflyCount;
            Engine::deleteWidgetLater(butterfly);
            return;
        }
}
