#include "game/level/bonus/BonusPanel.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/level/MeadowView.h"
#include "game/level/bonus/BonusTip.h"
#include "game/level/bonus/BonusView.h"
#include "game/model/GameResource.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/SubstrateProgressBar.h"
#include "game/shell/TutorialManager.h"

using namespace Engine;

namespace {
// The tutorial tip that points at a charged chicken bonus.
const int CHICKEN_TIP = 16;
} // namespace

cBonusPanel::cBonusPanel(cMeadowView* board, cMeadowModel* model, IDevelopmentView* owner)
    : cPanel(board), m_model(model), m_owner(owner) {
    loadLayoutFile(*this, "Meadow/View/BonusPanel.xml");
    createButtons();
}

cBonusPanel::~cBonusPanel() = default;

void cBonusPanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    cLayoutReader::readVector(node, L"first_icon_pos", m_firstIconPos);
    cLayoutReader::readVector(node, L"icons_offset", m_iconsOffset);
    IXmlNode* states = nullptr;
    if (!node->findNode("States", states))
        return;
    for (int i = 0; i < states->getChildCount(); ++i) {
        IXmlNode* element = nullptr;
        if (!states->getNodeAt(i, element))
            continue;
        cVisual look;
        look.loadXML(element);
        m_states[wideToNarrow(element->getAttribute(L"id"))] = look;
    }
}

void cBonusPanel::createButtons() {
    const std::vector<cGameResource*> records = m_model->getAvailableBonuses();
    m_buttons.reserve(records.size());
    cVector2 position = m_firstIconPos;
    for (cGameResource* record : records) {
        auto* button = new cBonusView(this);
        m_buttons.push_back(button);
        button->setRecord(record);
        button->setModel(m_model);
        if (auto* tip = dynamic_cast<cBonusTip*>(button->getTip()))
            tip->setBonusView(button);
        if (record->type == 11) {
            m_chickenButton = button;
            m_hasChickenButton = true;
        }
        // Assigned, not compared: looks from one atlas share a texture and compare equal.
        static_cast<cVisual&>(*button) = getVisualState("bonus" + std::to_string(record->type));
        button->invalidate();
        static_cast<cVisual&>(*button->getProgress()) = getVisualState("bonus_progress" + std::to_string(record->type));
        button->getProgress()->invalidate();
        button->setPosition(position);
        position += m_iconsOffset;
        if (record->available >= 1)
            button->show();
        else
            button->hide();
    }
}

const cVisual& cBonusPanel::getVisualState(const std::string& id) const {
    auto found = m_states.find(id);
    if (found == m_states.end())
        throw cStringA("cBonusPanel::getVisualState(): visual state for a given id was not found: id = " + id);
    return found->second;
}

void cBonusPanel::refresh() {
    for (cBonusView* button : m_buttons)
        button->update();
    cMeadowController* controller = cMeadowController::getInstance();
    if (controller && controller->getBonusEffect())
        for (cBonusView* button : m_buttons)
            if (button->isVisible())
                button->disable();
    cTutorialManager* tutorial = cTutorialManager::getInstance();
    if (m_chickenButton && tutorial && m_chickenButton->isEnabled())
        tutorial->checkAndShow(CHICKEN_TIP, cTutorialManager::TIP_ARROW, m_chickenButton, nullptr, cVector2(), false);
}

cBonusView* cBonusPanel::findButtonByType(int type) const {
    for (cBonusView* button : m_buttons)
        if (button->getRecord() && button->getRecord()->type == type)
            return button;
    return nullptr;
}
