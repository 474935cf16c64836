#include "game/level/field/NoMovesPanel.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "game/level/MeadowView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/Easing.h"
#include "game/shell/TutorialManager.h"

using namespace Engine;

cNoMovesPanel::cNoMovesPanel(cMeadowView* board)
    : cPanel(nullptr), m_board(board), m_infoText(new cMultilineText(this)), m_queue(new cActionQueue(nullptr)) {
    loadLayoutFile(*this, "Meadow/View/NoMovesPanel.xml");
    setPosition(m_srcPos);
}

cNoMovesPanel::~cNoMovesPanel() {
    holdTips(false);
    if (m_queue)
        deleteWidgetLater(m_queue);
    m_queueFinishedConnection.disconnect();
    m_firstGroupConnection.disconnect();
}

void cNoMovesPanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("InfoText", element))
        m_infoText->loadXML(element);
    cLayoutReader::readVector(node, L"src_pos", m_srcPos);
    cLayoutReader::readVector(node, L"dst_pos", m_dstPos);
    cLayoutReader::readVector(node, L"dst_pos2", m_dstPos2);
    cLayoutReader::readFloat(node, L"move_down_time", m_moveDownTime);
    cLayoutReader::readFloat(node, L"move_down_time2", m_moveDownTime2);
    cLayoutReader::readFloat(node, L"wait_time", m_waitTime);
}

void cNoMovesPanel::start() {
    holdTips(true);
    m_queue->clear();
    auto move = [this](const cVector2& from, const cVector2& to, float time) {
        auto* group = new cActionGroup;
        group->addAction(new cActionMoveTween(this, from, to, time, EASING_QUART, EASE_IN_OUT, 0, group));
        return group;
    };
    cActionGroup* first = move(m_srcPos, m_dstPos, m_moveDownTime);
    m_firstGroupConnection = first->connectFinished([this] { onFirstGroupFinished(); });
    m_queue->addAction(first);
    m_queue->addAction(move(m_dstPos, m_dstPos, m_waitTime));
    m_queue->addAction(move(m_dstPos, m_dstPos2, m_moveDownTime2));
    m_queueFinishedConnection = m_queue->connectFinished([this] { onQueueFinished(); });
    m_queue->start();
}

void cNoMovesPanel::onFirstGroupFinished() {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play("no_moves");
    if (m_board)
        m_board->startMixBonus();
}

void cNoMovesPanel::onQueueFinished() {
    m_queueFinishedConnection.disconnect();
    m_firstGroupConnection.disconnect();
    holdTips(false);
    deleteWidgetLater(this);
}

void cNoMovesPanel::holdTips(bool hold) {
    if (hold == m_holdingTips)
        return;
    m_holdingTips = hold;
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->holdTips(hold);
}
