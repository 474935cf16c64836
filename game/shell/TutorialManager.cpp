#include "game/shell/TutorialManager.h"

#include "engine/core/Constants.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/PieceView.h"
#include "game/shell/ActionTip.h"
#include "game/shell/AwardTipDlg.h"
#include "game/shell/TipManager.h"

#include <string>

using namespace Engine;

namespace {

std::string flagName(int id) {
    return "tut" + std::to_string(id);
}

bool isZero(const cVector2& point) {
    return point.x == 0 && point.y == 0;
}

cVector2 positionOf(cWidget* control) {
    if (auto* sprite = dynamic_cast<cSprite*>(control))
        return sprite->getPosition();
    return cVector2();
}

} // namespace

cTutorialManager::cTutorialManager() : cWidget(nullptr), m_fader(new cPanel(this)) {
    for (int id = 0; id < TIP_COUNT; ++id) {
        m_tips[id].id = id;
        m_tipStates[id] = gBoolProps[flagName(id)] ? 2 : 0;
    }
    loadLayoutFile(*this, "Meadow/View/Tutorial/Tutorial.xml");
    GameServices::setTutorialManager(this);
    setTutorialTips(this);
}

cTutorialManager::~cTutorialManager() {
    if (GameServices::getTutorialManager() == this)
        GameServices::setTutorialManager(nullptr);
    if (getTutorialTips() == this)
        setTutorialTips(nullptr);
    // A tip still on screen is a root widget of its own: it must not call back into us.
    if (m_currentTip && isWidgetAlive(m_currentTip)) {
        m_currentTip->hide();
        deleteWidgetLater(m_currentTip);
    }
}

void cTutorialManager::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    if (cConstants* constants = getConstants()) {
        bool enabled = m_enabled;
        if (constants->getValue(L"Tutorial", L"enable", enabled))
            m_enabled = enabled;
    }
    IXmlNode* tips = nullptr;
    if (node->findNode("Tips", tips)) {
        const int count = std::min(tips->getChildCount(), TIP_COUNT);
        for (int id = 0; id < count; ++id) {
            IXmlNode* element = nullptr;
            if (!tips->getNodeAt(id, element))
                continue;
            sTip& record = m_tips[id];
            element->getValue("Text", record.text);
            parseVector2(record.center, element->getAttribute(L"Center"));
            parseFloat(record.textMultiplier, element->getAttribute(L"TextMult"));
            parseFloat(record.textInterlinear, element->getAttribute(L"TextInterlinear"));
            parseFloat(record.timer, element->getAttribute(L"Timer"));
            record.countdown = record.timer;
        }
    }
    IXmlNode* fader = nullptr;
    if (node->findNode("Fader", fader))
        m_fader->loadXML(fader);
    m_fader->hide();
    parseFloat(m_showFadeTime, node->getAttribute(L"show_fade_time"));
    m_tips[25].doneCheck = isInterfaceActivated;
}

bool cTutorialManager::isInterfaceActivated(cWidget*) {
    cTutorialManager* tutorial = getInstance();
    return tutorial && tutorial->m_owner && tutorial->m_owner->isInterfaceActivated();
}

cTutorialManager::sTip* cTutorialManager::tip(int id) {
    return id >= 0 && id < TIP_COUNT ? &m_tips[id] : nullptr;
}

const cTutorialManager::sTip* cTutorialManager::tip(int id) const {
    return id >= 0 && id < TIP_COUNT ? &m_tips[id] : nullptr;
}

bool cTutorialManager::isTipShown(int id) const {
    return id >= 0 && id < TIP_COUNT && m_tipStates[id] == 2;
}

int cTutorialManager::getCurrentTipId() {
    return m_currentTip ? m_currentTip->getTipId() : -1;
}

float cTutorialManager::getTipTimer(int id) const {
    const sTip* record = tip(id);
    return record ? record->timer : 0.0f;
}

float cTutorialManager::getTipCountdown(int id) const {
    const sTip* record = tip(id);
    return record ? record->countdown : 0.0f;
}

bool cTutorialManager::isTipPending(int id) const {
    const sTip* record = tip(id);
    return record && record->pending;
}

const std::wstring& cTutorialManager::getTipText(int id) const {
    static const std::wstring none;
    const sTip* record = tip(id);
    return record ? record->text : none;
}

const cVector2& cTutorialManager::getTipCenter(int id) const {
    static const cVector2 none;
    const sTip* record = tip(id);
    return record ? record->center : none;
}

void cTutorialManager::startTipTimer(int id, float seconds) {
    if (sTip* record = tip(id)) {
        record->countdown = seconds;
        record->pending = true;
        m_tipStates[id] = 0;
    }
}

void cTutorialManager::resetTipTimer(int id) {
    if (sTip* record = tip(id))
        record->countdown = record->timer;
}

void cTutorialManager::cancelTip(int id) {
    if (sTip* record = tip(id))
        record->pending = false;
}

void cTutorialManager::writeTipFlag(int id) {
    gBoolProps[flagName(id)] = true;
}

void cTutorialManager::setTipShown(int tipId) {
    sTip* record = tip(tipId);
    // Tip 17 is shown again whenever it is asked for.
    if (!record || tipId == 17)
        return;
    m_tipStates[tipId] = 2;
    record->pending = false;
    writeTipFlag(tipId);
}

void cTutorialManager::lockOwner(bool locked) {
    if (m_owner)
        m_owner->lockInput(locked);
}

void cTutorialManager::hideFader() {
    if (m_fader->isVisible())
        m_fader->hide();
}

void cTutorialManager::holdTips(bool hold) {
    if (hold) {
        ++m_holds;
        return;
    }
    if (m_holds == 0 || --m_holds > 0)
        return;
    const sRequest request = m_heldRequest;
    m_heldRequest = sRequest();
    // The control may have gone while the tip waited.
    if (request.id >= 0 && (!request.control || isWidgetAlive(request.control)))
        checkAndShow(request.id, request.type, request.control, nullptr, request.position, request.followTarget);
}

bool cTutorialManager::checkAndShow(int id, int type, cWidget* control, void*, const cVector2& position,
                                    bool followTarget) {
    sTip* record = tip(id);
    if (!record || !m_enabled || m_blockTime > 0)
        return false;
    if (m_holds > 0) {
        if (m_heldRequest.id < 0 && m_tipStates[id] == 0)
            m_heldRequest = {id, type, control, position, followTarget};
        return false;
    }
    if (cMeadowController* controller = cMeadowController::getInstance())
        if (controller->isInputLocked() || controller->getBonusEffect())
            return false;
    if (cAwardTipDlg* dialog = cAwardTipDlg::getInstance())
        if (dialog->isVisible())
            return false;
    if (m_tipStates[id] != 0 || m_currentTip)
        return false;
    if (record->doneCheck && record->doneCheck(control)) {
        setTipShown(id);
        return false;
    }
    record->pending = true;
    if (record->countdown > 0)
        return false;
    lockOwner(true);
    if ((type == TIP_ARROW || type == TIP_ACTION) && !control && position.x == 0)
        throw "cTutorialManager::checkAndShow(): neither position nor control was specified for showing tip";
    cCommonHelpTip* shown = nullptr;
    switch (type) {
    case TIP_COMMON: {
        shown = new cCommonHelpTip();
        shown->loadLayout();
        shown->setTipPosition(record->center);
        break;
    }
    case TIP_ARROW: {
        auto* arrow = new cArrowHelpTip(this);
        arrow->loadLayout();
        arrow->setTarget(control);
        arrow->setFollowTarget(followTarget);
        arrow->setFixedPoint(isZero(position) ? positionOf(control) : position);
        shown = arrow;
        break;
    }
    case TIP_ACTION: {
        auto* action = new cActionTip(this);
        action->loadLayout();
        action->setTarget(control);
        action->setDoneCheck(record->doneCheck);
        action->setFollowTarget(isZero(position));
        action->setFixedPoint(isZero(position) ? record->center : position);
        shown = action;
        break;
    }
    default:
        throw "cTutorialManager::checkAndShow(): unknown type of tip: " + std::to_string(type);
    }
    shown->setTextLook(record->textMultiplier, record->textInterlinear);
    shown->setTipId(id);
    shown->showTip(record->text);
    m_currentTip = shown;
    if (type == TIP_ACTION)
        lockOwner(false);
    if (cTipManager* tips = cTipManager::getInstance())
        tips->hideAllClients();
    if (type == TIP_COMMON)
        return true;
    m_fader->setPosition(position.x == 0 ? positionOf(control) : position);
    m_fader->setAlpha(0);
    m_fader->show();
    m_fadeInLeft = m_showFadeTime;
    return true;
}

void cTutorialManager::releaseHeldPiece(cCommonHelpTip* closing) {
    cWidget* target = closing->getTarget();
    // The piece may have left the board while its tip showed: a dead view is not touched.
    if (!target || !isWidgetAlive(target))
        return;
    if (auto* held = dynamic_cast<ITutorialHeldPiece*>(target))
        held->releaseFromTip();
    if (auto* view = dynamic_cast<IPieceView*>(target))
        if (cMeadowObjectModel* piece = view->getObject()) {
            piece->setState(0);
            piece->setFlagB(false);
        }
}

void cTutorialManager::onTipClosed(cCommonHelpTip* closing, bool closed) {
    hideFader();
    if (!closed || !closing || !m_currentTip || closing->getTipId() != m_currentTip->getTipId())
        return;
    const int id = closing->getTipId();
    switch (id) {
    case 18:
    case 19:
    case 21:
    case 22:
    case 23:
    case 24:
        releaseHeldPiece(closing);
        break;
    default:
        break;
    }
    setTipShown(id);
    m_currentTip = nullptr;
    lockOwner(false);
    if (id == 0 || id == 2 || id == 25)
        m_blockTime = 3.0f;
}

void cTutorialManager::closeCurrentTip() {
    if (!m_currentTip)
        return;
    cCommonHelpTip* closing = m_currentTip;
    setTipShown(closing->getTipId());
    m_currentTip = nullptr;
    if (isWidgetAlive(closing)) {
        closing->hide();
        deleteWidgetLater(closing);
    }
    lockOwner(false);
    hideFader();
}

void cTutorialManager::process() {
    if (!m_owner || !m_owner->hasBoardModel())
        return;
    const float dt = frameDelta();
    if (m_fadeInLeft > 0) {
        m_fadeInLeft -= dt;
        if (m_fadeInLeft <= 0) {
            m_fadeInLeft = 0;
            m_fader->setAlpha(1);
        } else {
            m_fader->setAlpha(1 - m_fadeInLeft / m_showFadeTime);
        }
    }
    if (m_blockTime > 0)
        m_blockTime -= dt;
    if (m_currentTip && m_currentTip->getTarget())
        return;
    for (sTip& record : m_tips)
        if (record.pending && record.countdown > 0) {
            record.countdown -= dt;
            if (record.countdown < 0)
                record.countdown = 0;
        }
}
