#include "game/shell/AwardManager.h"

#include "engine/core/ProfileManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/model/GameResource.h"
#include "game/model/GameServices.h"
#include "game/model/LevelAchievements.h"
#include "game/model/MainMenuLink.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/shell/Award.h"
#include "game/shell/AwardInfoPanel.h"
#include "game/shell/AwardTipDlg.h"

#include <string>

using namespace Engine;

const char* const gAwardTypeNames[AWARD_COUNT] = {
    "Award1xMoney",        "Award5xMoney",          "AwardNLevels",     "AwardAllLevels",   "AwardXmoneyOnLevel",
    "AwardXbonusesUsing",  "AwardNoBonusesOnLevel", "AwardNMatches",    "AwardXtimeInGame", "AwardFanOfGame",
    "AwardFiveMinutes",    "AwardChickenBonus",     "AwardAnimalsCare", "AwardBearBonus",   "AwardCatBonus",
    "AwardLightningBonus", "AwardBombBonus",        "AwardMixBonus",    "AwardMaxUpgrade",  "AwardXfiguresSeria",
    "AwardXinRow"};

cAwardManager::cAwardManager(cWidget* parent, cMeadowController* controller)
    : cWidget(parent), m_controller(controller), m_infoPanel(nullptr) {
    for (int32_t type = 0; type < AWARD_COUNT; ++type)
        m_awards[type].given = gBoolProps[gAwardTypeNames[type]];
    m_infoPanel = new cAwardInfoPanel(this);
    try {
        loadLayoutFile(*this, "Awards/Awards.xml");
    } catch (...) {
        // The panel has no parent: nothing else would delete it.
        delete m_infoPanel;
        throw;
    }
    show();
    disable();
}

cAwardManager::~cAwardManager() {
    // The queued awards are the panel's children; the panel has no parent and goes with us.
    m_queue.clear();
    delete m_infoPanel;
}

void cAwardManager::registerFactory() {
    GameServices::setAwardManagerFactory([]() -> std::unique_ptr<IAwardManager> {
        auto manager = std::make_unique<cAwardManager>(nullptr, cMeadowController::getInstance());
        manager->enable();
        return manager;
    });
}

void cAwardManager::loadXML(const IXmlNode* root) {
    cWidget::loadXML(root);
    IXmlNode* awards = nullptr;
    if (!root->findNode("Awards", awards))
        throw "cAwardManager::loadXML(): Awards is not found.";
    // A longer list would be written past the table: the file is refused instead.
    const int count = awards->getChildCount();
    if (count > AWARD_COUNT)
        throw std::string("cAwardManager::loadXML(): there are more than 21 awards: ") + std::to_string(count);
    for (int i = 0; i < count; ++i) {
        IXmlNode* entry = nullptr;
        if (!awards->getNodeAt(i, entry))
            continue;
        float threshold = m_awards[i].threshold;
        parseFloat(threshold, entry->getAttribute(L"AwardData"));
        m_awards[i].threshold = threshold;
    }
}

void cAwardManager::process() {
    cWidget::process();
    if (m_displayState == DISPLAY_IDLE && !m_queue.empty()) {
        m_displayState = DISPLAY_ANNOUNCING;
        showNextAward();
    }
}

void cAwardManager::showNextAward() {
    cAward* award = m_queue.front();
    m_queue.pop_front();
    m_infoPanel->showAward(award);
}

bool cAwardManager::giveAward(int32_t type) {
    if (type < 0 || type >= AWARD_COUNT)
        return false;
    if (m_controller && m_controller->isEditor())
        return false;
    m_awards[type].given = true;
    gBoolProps[gAwardTypeNames[type]] = true;
    auto* award = new cAward(m_infoPanel, type);
    award->hide();
    award->disable();
    m_queue.push_back(award);
    return true;
}

bool cAwardManager::isGiven(int32_t type) const {
    return type >= 0 && type < AWARD_COUNT && m_awards[type].given;
}

float cAwardManager::getThreshold(int awardType) {
    return awardType >= 0 && awardType < AWARD_COUNT ? m_awards[awardType].threshold : 0.0f;
}

void cAwardManager::checkValue(int32_t type, float value) {
    if (!m_awards[type].given && value >= m_awards[type].threshold)
        giveAward(type);
}

void cAwardManager::checkCount(int32_t type, int32_t count) {
    if (!m_awards[type].given && count >= int32_t(m_awards[type].threshold))
        giveAward(type);
}

float cAwardManager::bonusUses(int32_t bonusType) const {
    return float(m_controller->getModel()->getBonus(bonusType)->uses);
}

void cAwardManager::checkAward1xMoney() {
    if (!m_awards[0].given)
        checkValue(0, float(m_controller->getMoney()));
}

void cAwardManager::checkAward5xMoney() {
    if (!m_awards[1].given)
        checkValue(1, float(m_controller->getMoney()));
}

void cAwardManager::checkAwardNLevels() {
    if (!m_awards[2].given)
        checkValue(2, float(m_controller->getModel()->getNextLevelNumber()));
}

void cAwardManager::checkAwardAllLevels() {
    if (!m_awards[3].given && m_controller->getModel()->isRandomLevel())
        giveAward(3);
}

void cAwardManager::checkAwardXmoneyOnLevel() {
    if (!m_awards[4].given)
        checkCount(4, m_controller->getModel()->getLevelAchievements()->getValue(0));
}

void cAwardManager::checkAwardXbonusesUsing() {
    if (!m_awards[5].given)
        checkCount(5, m_controller->getBonusesUsed());
}

void cAwardManager::checkAwardNoBonusesOnLevel() {
    if (m_awards[6].given || m_controller->getBonusesUsed() != 0)
        return;
    cMeadowModel* model = m_controller->getModel();
    if (model->isRandomLevel() || float(model->getNextLevelNumber()) >= m_awards[6].threshold)
        giveAward(6);
}

void cAwardManager::checkAwardNMatches() {
    if (!m_awards[7].given)
        checkValue(7, float(m_controller->getModel()->getMatchedObjects()));
}

void cAwardManager::checkAwardXtimeInGame() {
    IMainMenu* menu = GameServices::getMainMenu();
    if (!m_awards[8].given && menu)
        checkValue(8, menu->getRunTime());
}

void cAwardManager::checkAwardFanOfGame() {
    IMainMenu* menu = GameServices::getMainMenu();
    if (!m_awards[9].given && menu)
        checkValue(9, menu->getPlayTime());
}

void cAwardManager::checkAwardFiveMinutes() {
    if (!m_awards[10].given)
        checkValue(10, m_controller->getIdleTimer());
}

void cAwardManager::checkAwardAnimalsCare() {
    if (!m_awards[12].given)
        checkValue(12, float(m_controller->getModel()->getAnimalsCare()));
}

void cAwardManager::checkAwardLightningBonus() {
    if (!m_awards[15].given)
        checkCount(15, m_controller->getLightningsUsed());
}

void cAwardManager::checkAwardBombBonus() {
    if (!m_awards[16].given)
        checkCount(16, m_controller->getBlastsUsed());
}

void cAwardManager::checkAwardMaxUpgrade(bool fullyUpgraded) {
    if (!m_awards[18].given && fullyUpgraded)
        giveAward(18);
}

void cAwardManager::checkAwardXfiguresSeria(int figures) {
    if (m_awards[19].given || m_controller->isEditor())
        return;
    checkValue(19, float(figures));
}

void cAwardManager::checkAwardXinRow(int figureSize) {
    if (m_awards[20].given || m_controller->isEditor())
        return;
    checkValue(20, float(figureSize));
}

void cAwardManager::checkBonusAward(int bonusType) {
    int32_t type = -1;
    switch (bonusType) {
    case 11:
    case 12:
        type = 11;
        break;
    case 31:
    case 32:
        type = 13;
        break;
    case 41:
        type = 14;
        break;
    case 71:
        type = 17;
        break;
    default:
        return;
    }
    if (!m_awards[type].given)
        checkValue(type, bonusUses(bonusType));
}

void cAwardManager::onInfoPanelFinished() {
    if (m_displayState == DISPLAY_ANNOUNCING)
        m_displayState = DISPLAY_IDLE;
}

void cAwardManager::onAwardTipClosed() {
    if (m_displayState == DISPLAY_DIALOG)
        m_displayState = DISPLAY_IDLE;
}

void cAwardManager::openAwardTip() {
    cAwardTipDlg* dialog = cAwardTipDlg::getInstance();
    if (!dialog)
        dialog = new cAwardTipDlg(nullptr);
    dialog->m_returnCallback = onAwardTipReturn;
    dialog->listenToEscape();
    dialog->fadeIn();
    if (m_controller)
        m_controller->lockInput();
    m_displayState = DISPLAY_DIALOG;
}

void onAwardTipReturn() {
    if (cMeadowController* controller = cMeadowController::getInstance())
        controller->resumeAfterAward();
}
