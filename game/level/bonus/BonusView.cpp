#include "game/level/bonus/BonusView.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/PyroEffect.h"
#include "game/level/bonus/BonusPanel.h"
#include "game/level/bonus/BonusTip.h"
#include "game/level/bonus/FlashingPanel.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/MeadowController.h"
#include "game/model/TutorialManagerLink.h"
#include "game/shell/SubstrateProgressBar.h"

using namespace Engine;

cBonusView::cBonusView(cBonusPanel* panel) : cFrameButton(panel), m_progress(new cSubstrateProgressBar(this, false)) {
    createTip();
    m_activationEffect = new cPyroEffect(this, std::string());
    m_readyFlash = new cFlashingPanel(this, "Meadow/View/effects/BonusViewEffect.xml");
    m_readyFlash->hide();
    loadLayoutFile(*this, "Meadow/View/BonusView.xml");
}

cBonusView::~cBonusView() = default;

void cBonusView::createTip() {
    m_tip = new cBonusTip(this);
    registerTip();
}

void cBonusView::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    cTipClient::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("Progress", element)) {
        m_progress->loadXML(element);
        m_progress->setPosition(getPosition() + m_progress->getPosition());
        m_progress->setMaximum(100);
    }
    disable();
    element = nullptr;
    if (node->findNode("ActivationEffect", element)) {
        m_activationEffect->loadXML(element);
        m_activationEffect->hide();
    }
}

void cBonusView::update() {
    if (!m_record)
        return;
    if (m_record->available == 0) {
        hide();
        return;
    }
    if (m_record->price == 0)
        throw cStringA("cBonusView::update(): bonus price = 0 (" + wideToNarrow(m_record->name) + ")");
    const float charge = float(m_record->points) / float(m_record->price) * 100.0f;
    if (m_record->points >= m_record->price) {
        m_progress->setValue(0);
        if (!isEnabled()) {
            enable();
            m_readyFlash->show();
            m_readyFlash->setFlashing(true);
            if (m_record->charged) {
                // Each burst deletes itself when it has played.
                auto* burst = new cPyroEffect(*m_activationEffect);
                burst->setParent(this);
                burst->setPosition(getPosition());
                burst->play(true, 0, nullptr);
                burst->show();
                if (IGameSounds* sounds = GameServices::getGameSounds())
                    sounds->play("fanfare_bonus");
                m_record->charged = false;
            }
        }
    } else {
        m_progress->setValue(charge);
        disable();
        m_readyFlash->setFlashing(false);
        m_readyFlash->hide();
    }
}

void cBonusView::clicked() {
    cFrameButton::clicked();
    if (ITutorialManager* tutorial = GameServices::getTutorialManager())
        if (tutorial->hasCurrentTip())
            return;
    if (!m_record)
        throw "cBonusView::clicked(): model object for this bonus is undefined";
    cMeadowController* controller = cMeadowController::getInstance();
    if (controller) {
        controller->createBonusEffect(m_record->type);
        if (m_record->byClick <= 0)
            controller->applyBonusImmediately();
    }
    if (auto* panel = dynamic_cast<cBonusPanel*>(getParent()))
        panel->refresh();
    m_readyFlash->setFlashing(false);
    m_readyFlash->hide();
}
