#include "game/shell/AwardInfoPanel.h"

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/Award.h"
#include "game/shell/AwardManager.h"
#include "game/shell/Easing.h"
#include "game/shell/GameSounds.h"

using namespace Engine;

cAwardInfoPanel::cAwardInfoPanel(cAwardManager* manager)
    : cTextureButton(nullptr), m_manager(manager), m_infoText(new cMultilineText(this)),
      m_actions(new cActionQueue(nullptr)) {
    loadLayoutFile(*this, "Awards/AwardInfoPanel.xml");
    setPosition(m_srcPos);
}

cAwardInfoPanel::~cAwardInfoPanel() {
    releaseConnections();
    m_actions->clear();
    deleteWidgetLater(m_actions);
}

void cAwardInfoPanel::loadXML(const IXmlNode* node) {
    cTextureButton::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("InfoText", element))
        m_infoText->loadXML(element);
    parseVector2(m_srcPos, node->getAttribute(L"src_pos"));
    parseVector2(m_dstPos, node->getAttribute(L"dst_pos"));
    parseFloat(m_moveDownTime, node->getAttribute(L"move_down_time"));
    parseFloat(m_waitTime, node->getAttribute(L"wait_time"));
}

void cAwardInfoPanel::releaseConnections() {
    m_arrivedConnection.disconnect();
    m_finishedConnection.disconnect();
}

void cAwardInfoPanel::showAward(cAward* award) {
    // The last announcement's connections go first: left connected, its end would be reported
    // once more for every award shown since.
    releaseConnections();
    m_actions->clear();
    const cVector2 legs[3][2] = {{m_srcPos, m_dstPos}, {m_dstPos, m_dstPos}, {m_dstPos, m_srcPos}};
    const float times[3] = {m_moveDownTime, m_waitTime, m_moveDownTime};
    for (int leg = 0; leg < 3; ++leg) {
        auto* group = new cActionGroup();
        // Tweens that report their end to their group, so that each group and the queue finish.
        group->addAction(
            new cActionMoveTween(this, legs[leg][0], legs[leg][1], times[leg], EASING_QUART, EASE_IN_OUT, 0, group));
        if (leg == 0)
            m_arrivedConnection = group->connectFinished([this] { onArrived(); });
        m_actions->addAction(group);
    }
    m_finishedConnection = m_actions->connectFinished([this] { onEffectFinished(); });
    m_actions->start();
    setClickCallback(onClicked);
    if (m_currentAward)
        deleteWidgetLater(m_currentAward);
    m_currentAward = award;
    if (award) {
        // The award was made wherever the panel stood then (it may have been sliding): put it
        // back in its slot on the panel.
        award->setPosition(award->getHome() + (getPosition() - m_srcPos));
        award->show();
        m_infoText->setText(award->getDescText(), true);
    }
    m_infoText->show();
}

void cAwardInfoPanel::onArrived() {
    if (cGameSounds* sounds = cGameSounds::getInstance())
        sounds->play("award_given");
}

void cAwardInfoPanel::onEffectFinished() {
    m_infoText->hide();
    releaseConnections();
    setClickCallback(nullptr);
    if (!m_currentAward)
        throw "cAwardInfoPanel::onEffectFinished(): current award is 0";
    deleteWidgetLater(m_currentAward);
    m_currentAward = nullptr;
    m_manager->onInfoPanelFinished();
}

void cAwardInfoPanel::onClicked(cButton* button) {
    auto* panel = static_cast<cAwardInfoPanel*>(button);
    panel->setClickCallback(nullptr);
    panel->m_manager->openAwardTip();
}
