#include "game/level/MeadowView.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
#include "engine/gui/TextButton.h"
#include "game/level/BoardParts.h"
#include "game/level/field/AchievementsView.h"
#include "game/level/field/FlyingNumber.h"
#include "game/level/field/InfoPanel.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/Signal.h"
#include "game/shell/Clouds.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/TutorialManager.h"
#include "game/shell/VisualStates.h"

#include <algorithm>

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/MeadowView.xml";
const char* const OBJECTS = "Meadow/View/GameObjects.xml";
const char* const FLYING_NUMBER = "Meadow/View/FlyingNumber.xml";

} // namespace

cMeadowView::cMeadowView(IVisualStates* owner, cMeadowModel* model, cMeadowController* controller, bool editor,
                         bool noBackgroundEffects)
    : cGroupFader(nullptr), m_owner(owner), m_model(model), m_controller(controller), m_editorMode(editor),
      m_noBackgroundEffects(noBackgroundEffects), m_boardOwner(dynamic_cast<IBoardOwner*>(owner)) {
    m_editButton = new cTextButton(this);
    m_gameMenuButton = new cTextButton(this);
    m_moneyText = new cLabel(this);
    m_resultsView = new cAchievementsView(nullptr, model);
    m_resultsView->setBoard(this);
    m_resultsView->hide();
    m_resultsView->disable();
    m_vehicleIconProto = new cPanel(this);
    m_goldIconProto = new cPanel(this);
    m_triggerIconProto = new cPanel(this);
    m_triggerBaseIconProto = new cPanel(this);
    m_infoPanel = new cInfoPanel(this);
    try {
        loadLayoutFile(*this, LAYOUT);
    } catch (...) {
        // The children go with the base; the root widgets made so far are this board's.
        delete m_resultsView;
        delete m_clouds;
        throw;
    }
    connectModelSignals();
    // The switch back to the owner is started from the update step, which runs while hidden.
    enableAbsolute();
}

cMeadowView::~cMeadowView() {
    m_pointsEarnedConnection.disconnect();
    m_noMovesConnection.disconnect();
    // The results view and the clouds are root widgets of their own; close() hands them to the
    // deferred deletion, a board deleted without closing takes them along (unless a sweep of the
    // roots took them first).
    if (isWidgetAlive(m_resultsView))
        delete m_resultsView;
    if (isWidgetAlive(m_clouds))
        delete m_clouds;
}

void cMeadowView::loadXML(const IXmlNode* node) {
    cGroupFader::loadXML(node);

    if (m_objectProto)
        deleteWidgetLater(m_objectProto);
    m_objectProto = new cMeadowObjectView(this);
    IXmlNode* child = nullptr;
    if (node->findNode("GameObjectProto", child))
        m_objectProto->loadXML(child);
    cLayoutReader::readFloat(node, L"new_level_delta_time", m_newLevelDeltaTime);
    m_objectProto->setNewLevelMaxDelay(m_newLevelDeltaTime);
    m_objectProto->disable();
    m_objectProto->hide();

    cLayoutReader::readFloat(node, L"end_level_effect_time", m_endLevelEffectTime);
    float hintDelay = 30.0f;
    cLayoutReader::readFloat(node, L"show_next_move_time", hintDelay);
    if (m_controller)
        m_controller->setHintDelay(hintDelay);
    cLayoutReader::readVector(node, L"next_move_arrow_offset", m_nextMoveArrowOffset);

    if (m_moneyText && node->findNode("MoneyText", child))
        m_moneyText->loadXML(child);

    if (node->findNode("LevelBacks", child) && child->getNodeCount() > 0) {
        const int count = child->getNodeCount();
        int index = int(float(count) * float(randomNext()) / 32768.0f);
        IXmlNode* variant = nullptr;
        if (child->getNodeAt(index, variant)) {
            IXmlNode* pictures = nullptr;
            if (variant->findNode("Pictures", pictures))
                for (int i = 0; i < pictures->getNodeCount(); ++i) {
                    IXmlNode* picture = nullptr;
                    if (!pictures->getNodeAt(i, picture))
                        continue;
                    auto* panel = new cPanel(this);
                    panel->loadXML(picture);
                    m_backPictures.push_back(panel);
                }
            IXmlNode* group = nullptr;
            if (!m_noBackgroundEffects && variant->findNode("BackPyro", group))
                for (int i = 0; i < group->getNodeCount(); ++i) {
                    IXmlNode* entry = nullptr;
                    if (!group->getNodeAt(i, entry))
                        continue;
                    auto* effect = new cPyroEffect(this, "");
                    effect->loadXML(entry);
                    effect->play(false, 0, nullptr);
                    m_backPyro.push_back(effect);
                }
            if (!m_noBackgroundEffects && variant->findNode("Clouds", group)) {
                delete m_clouds;
                m_clouds = new cClouds(nullptr);
                m_clouds->loadXML(group);
                m_clouds->createStartClouds();
            }
        }
    }

    if (node->findNode("EditButton", child))
        m_editButton->loadXML(child);
    m_editButton->hide();
    if (node->findNode("GameMenuButton", child))
        m_gameMenuButton->loadXML(child);
    const std::pair<const char*, cPanel*> icons[] = {{"VehicleIconProto", m_vehicleIconProto},
                                                     {"GoldIconProto", m_goldIconProto},
                                                     {"TriggerIconProto", m_triggerIconProto},
                                                     {"TriggerBaseIconProto", m_triggerBaseIconProto}};
    for (const auto& icon : icons) {
        if (node->findNode(icon.first, child))
            icon.second->loadXML(child);
        icon.second->hide();
    }
    for (auto prompt : {std::make_pair("PromptHoriz", &m_promptHoriz), std::make_pair("PromptVert", &m_promptVert)}) {
        if (!node->findNode(prompt.first, child))
            continue;
        if (!*prompt.second)
            *prompt.second = new cPyroEffect(this, "");
        (*prompt.second)->loadXML(child);
        (*prompt.second)->play(false, 0, nullptr);
        (*prompt.second)->hide();
    }

    m_matchEffects.clear();
    if (node->findNode("MatchEffects", child)) {
        m_matchEffects.assign(size_t(child->getNodeCount()), nullptr);
        for (int index = 0; index < child->getNodeCount(); ++index) {
            IXmlNode* entry = nullptr;
            if (!child->getNodeAt(index, entry))
                continue;
            auto* effect = new cPyroEffect(this, "");
            effect->loadXML(entry);
            effect->hide();
            m_matchEffects[size_t(index)] = effect;
        }
    }
}

void cMeadowView::createGameObjectsPrototypes() {
    const cDocumentHold root(OBJECTS);
    std::vector<int> types = m_model->getLevelTypes();
    for (int category : {10, 11})
        for (int type : m_model->getTypesOfCategory(category))
            types.push_back(type);
    for (int type : types) {
        auto* prototype = new cMeadowObjectView(*m_objectProto);
        prototype->setParent(this);
        prototype->setFieldView(m_fieldView);
        prototype->setObjectVisualState(type, root.get());
        // The fire follows the blast piece's frames: a short list would end the game mid-level.
        if (type == cMeadowObjectModel::BLAST_BONUS && m_fieldView) {
            try {
                m_fieldView->checkBombFireFrames(std::max(1u, prototype->getFramesCount()));
            } catch (...) {
                delete prototype;
                throw;
            }
        }
        prototype->disable();
        prototype->hide();
        if (m_objectPrototypes.count(type)) {
            delete prototype;
            throw cStringA("cMeadowView::createGameObjectsPrototypes(): duplicated type in level objects: " +
                           std::to_string(type));
        }
        m_objectPrototypes[type] = prototype;
    }
}

void cMeadowView::createGameObjects() {
    for (int row = 0; row < m_model->getRows(); ++row)
        for (int column = 0; column < m_model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = m_model->getObject(row, column))
                if (!getGameObjectView(piece))
                    throw "cMeadowView::createGameObjects(): cannot create game object view";
}

cMeadowObjectView* cMeadowView::getGameObjectView(cMeadowObjectModel* piece) {
    const int type = piece->getType();
    cMeadowObjectView* view = nullptr;
    auto found = m_objectViews.find(piece);
    if (found != m_objectViews.end()) {
        view = found->second;
        if (!view)
            throw "cMeadowView::getGameObjectView(): game object view is null";
        cVisual look = getLevelObjectState(type);
        if (static_cast<const cVisual&>(*view) != look) {
            view->cVisual::operator=(look);
            view->invalidate();
        }
    } else {
        auto prototype = m_objectPrototypes.find(type);
        if (prototype == m_objectPrototypes.end())
            return nullptr;
        view = new cMeadowObjectView(*prototype->second);
        view->setParent(this);
        view->setFieldView(m_fieldView);
        m_objectViews[piece] = view;
        view->setModel(piece);
        view->restoreSize();
    }
    view->enable();
    view->setPlayAnimation(false);
    return view;
}

cVisual cMeadowView::getLevelObjectState(int type) const {
    auto found = m_objectPrototypes.find(type);
    if (found == m_objectPrototypes.end())
        throw cStringA("cMeadowView::getLevelObjectState(): there is no level object with a given type: " +
                       std::to_string(type));
    return static_cast<const cVisual&>(*found->second);
}

const cVisual& cMeadowView::getVisualState(const std::string& id) const {
    return m_owner->getVisualState(id);
}

cPyroEffect* cMeadowView::getCellCrushAnimation(int index) const {
    // The index is checked against the effects the layout has, not a fixed four.
    if (unsigned(index) >= m_matchEffects.size() || !m_matchEffects[size_t(index)])
        throw cStringA("cMeadowView::getCellCrushAnimation(): effect index is wrong: " + std::to_string(index));
    return new cPyroEffect(*m_matchEffects[size_t(index)]);
}

void cMeadowView::showNextMove(const cVector2& first, const cVector2& second) {
    // The tutorial's own move tip is on screen already.
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (tutorial && tutorial->getCurrentTipId() == 1)
        return;
    clearPrompts();
    const cVector2 pa = m_fieldView->getCellPosition(int(first.x), int(first.y));
    const cVector2 pb = m_fieldView->getCellPosition(int(second.x), int(second.y));
    m_currentPrompt = pa.y == pb.y ? m_promptHoriz : m_promptVert;
    if (!m_currentPrompt)
        return;
    m_currentPrompt->setOffset(cVector2((pa.x + pb.x) * 0.5f, (pa.y + pb.y) * 0.5f));
    m_currentPrompt->show();
    m_hintTipPending = true;
}

void cMeadowView::clearPrompts() {
    if (m_currentPrompt) {
        m_currentPrompt->hide();
        m_currentPrompt = nullptr;
    }
    if (cTutorialManager* tutorial = cTutorialManager::getInstance()) {
        tutorial->resetTipTimer(1);
        tutorial->cancelTip(1);
    }
    m_hintTipPending = false;
}

void cMeadowView::showFlyingNumber(const cVector2& position, int amount) {
    if (amount < 1)
        return;
    const cVector2 at = m_fieldView->getCellPosition(int(position.x), int(position.y));
    new cFlyingNumber(nullptr, at.x, at.y, amount, false, FLYING_NUMBER);
    updateMoneyText();
}

void cMeadowView::updateMoneyText() {
    const int money = m_model->getResourcePoints(1);
    if (money == m_shownMoney)
        return;
    m_shownMoney = money;
    if (m_moneyText)
        m_moneyText->setText(wstringFromInt(money));
}

void cMeadowView::hideInvalidObjectViews() {
    for (auto& entry : m_objectViews)
        if (!entry.first->isValid() && entry.first->getState() != cMeadowObjectModel::DESTROYING)
            entry.second->hide();
}

void cMeadowView::setObjectViewsEnabled(bool enabled) {
    for (auto& entry : m_objectViews) {
        if (enabled)
            entry.second->enable();
        else
            entry.second->disable();
    }
}

void cMeadowView::showBonusObject(cMeadowObjectModel* piece) {
    cMeadowObjectView* view = getGameObjectView(piece);
    if (!view)
        return;
    view->setPosition(m_fieldView->getCellPosition(int(piece->getPosition().x), int(piece->getPosition().y)));
    view->restoreSize();
    view->getOverlay()->hide();
    view->show();
    view->attachInput();
    // Blast, row, column and cross pieces each have a tip of their own (21 to 24).
    const int tag = piece->getBonusTag();
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (tutorial && tag >= 201 && tag <= 204 &&
        tutorial->checkAndShow(tag - 180, cTutorialManager::TIP_ARROW, view, nullptr, view->getPosition(), false)) {
        piece->setState(22);
        view->setHighlighted(true);
    }
}

void cMeadowView::shakeIdleObjects() {
    for (int row = 0; row < m_model->getRows(); ++row)
        for (int column = 0; column < m_model->getColumns(); ++column) {
            cMeadowObjectModel* piece = m_model->getObject(row, column);
            if (!piece || piece->getState() != cMeadowObjectModel::IDLE)
                continue;
            auto found = m_objectViews.find(piece);
            if (found != m_objectViews.end() && found->second)
                found->second->startShake();
        }
    if (m_fieldView)
        m_fieldView->shakeVisibleCells();
}

cPanel* cMeadowView::copyIcon(cPanel* prototype) {
    auto* icon = new cPanel(*prototype);
    icon->setParent(this);
    return icon;
}

cPanel* cMeadowView::createVehicleIcon() {
    return copyIcon(m_vehicleIconProto);
}
cPanel* cMeadowView::createGoldIcon() {
    return copyIcon(m_goldIconProto);
}
cPanel* cMeadowView::createTriggerIcon() {
    return copyIcon(m_triggerIconProto);
}
cPanel* cMeadowView::createTriggerBaseIcon() {
    return copyIcon(m_triggerBaseIconProto);
}
