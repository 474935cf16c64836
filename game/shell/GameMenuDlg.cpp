#include "game/shell/GameMenuDlg.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/Options.h"
#include "game/shell/YesNoFrame.h"

using namespace Engine;

cGameMenuDlg* getGameMenu() {
    return cSingleton<cGameMenuDlg>::getInstance();
}

cGameMenuDlg::cGameMenuDlg()
    : cEffectDialog(nullptr), m_resumeButton(new cTextButton(this)), m_replayButton(new cTextButton(this)),
      m_awardButton(new cTextButton(this)), m_mainMenuButton(new cTextButton(this)),
      m_optionsButton(new cTextButton(this)), m_tutorialButton(new cTextButton(this)),
      m_mapButton(new cTextButton(this)) {
    loadLayoutFile(*this, "Meadow/View/GameMenu.xml");
    m_resumeButton->setClickCallback(onResumeClicked);
    m_replayButton->setClickCallback(onReplayClicked);
    m_awardButton->setClickCallback(onAwardClicked);
    m_mainMenuButton->setClickCallback(onMainMenuClicked);
    m_optionsButton->setClickCallback(onOptionsClicked);
    m_tutorialButton->setClickCallback(onTutorialClicked);
    m_mapButton->setClickCallback(onMapClicked);
}

cGameMenuDlg::~cGameMenuDlg() {
    m_keys.removeAll();
    if (m_question) {
        m_question->m_onYes = nullptr;
        m_question->m_onNo = nullptr;
    }
}

void cGameMenuDlg::loadXML(const IXmlNode* node) {
    cEffectDialog::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("ExitCurrentGameString", element))
        m_exitText = element->asWString();
    element = nullptr;
    if (node->findNode("MainMenuString", element))
        m_mainMenuText = element->asWString();
    element = nullptr;
    if (node->findNode("ReplayCurrentGameString", element))
        m_replayText = element->asWString();
    const char* names[] = {"ResumeButton", "ReplayButton",  "AwardButton",   "MainMenuButton",
                           "MapButton",    "OptionsButton", "TutorialButton"};
    cTextButton* buttons[] = {m_resumeButton, m_replayButton,  m_awardButton,   m_mainMenuButton,
                              m_mapButton,    m_optionsButton, m_tutorialButton};
    for (int i = 0; i < 7; ++i) {
        element = nullptr;
        if (node->findNode(names[i], element))
            buttons[i]->loadXML(element);
    }
    for (cTextButton* button : {m_resumeButton, m_replayButton, m_awardButton, m_mainMenuButton, m_mapButton,
                                m_optionsButton, m_tutorialButton})
        addEffectWidget(button);
}

void cGameMenuDlg::listenToKeys() {
    if (m_keys.empty() && !m_question && !m_left) {
        m_keys.addKey(Platform::KEY_ESCAPE, resumeKey, this);
        m_keys.addKey(Platform::KEY_ENTER, resumeKey, this);
    }
}

void cGameMenuDlg::startProcessing() {
    cEffectDialog::startProcessing();
    listenToKeys();
}

void cGameMenuDlg::stopProcessing() {
    m_keys.removeAll();
    cEffectDialog::stopProcessing();
}

void cGameMenuDlg::fadeIn() {
    m_left = false;
    cEffectDialog::fadeIn();
    // Called back while it still faded out, the menu stayed visible and enabled: no new start of
    // processing brings its keys back.
    if (isVisible() && isEnabled())
        listenToKeys();
}

void cGameMenuDlg::fadeOut() {
    // The menu's fade-out runs in its process, so it stays enabled until hidden; what a button
    // opened over it must get the next clicks and keys alone.
    m_left = true;
    m_keys.removeAll();
    cEffectDialog::fadeOut();
}

void cGameMenuDlg::resumeKey(void* menu) {
    static_cast<cGameMenuDlg*>(menu)->resume();
}

void cGameMenuDlg::resume() {
    if (m_developmentView)
        m_developmentView->resumeGame();
    else
        fadeOut();
}

void cGameMenuDlg::restoreMenu() {
    fadeIn();
    enable();
}

void cGameMenuDlg::ask(const std::wstring& question, void (*onYes)(cYesNoFrame*)) {
    fadeOut();
    m_question = new cYesNoFrame(nullptr, "Meadow/View/YesNoDialog.xml");
    m_question->m_onYes = onYes;
    m_question->m_onNo = answeredNo;
    m_question->setMessage(question);
    m_question->enable();
    m_question->fadeIn();
}

void cGameMenuDlg::answeredNo(cYesNoFrame* frame) {
    frame->fadeOutAndDelete();
    if (cGameMenuDlg* menu = getGameMenu()) {
        menu->m_question = nullptr;
        menu->restoreMenu();
    }
}

void cGameMenuDlg::replayYes(cYesNoFrame* frame) {
    frame->fadeOutAndDelete();
    cGameMenuDlg* menu = getGameMenu();
    menu->m_question = nullptr;
    if (menu->m_developmentView)
        menu->m_developmentView->replayLevel();
}

void cGameMenuDlg::mainMenuYes(cYesNoFrame* frame) {
    frame->fadeOutAndDelete();
    cGameMenuDlg* menu = getGameMenu();
    menu->m_question = nullptr;
    if (menu->m_developmentView) {
        menu->m_developmentView->setSaveLevelOnDestroy(false);
        menu->m_developmentView->goToMainMenu();
    }
}

void cGameMenuDlg::mapYes(cYesNoFrame* frame) {
    frame->fadeOutAndDelete();
    cGameMenuDlg* menu = getGameMenu();
    menu->m_question = nullptr;
    if (menu->m_developmentView)
        menu->m_developmentView->backToMap();
}

// The menu of the button; null while a question is open or once the menu was left.
static cGameMenuDlg* menuOf(cButton* button) {
    auto* menu = static_cast<cGameMenuDlg*>(button->getParent());
    return menu->getQuestion() || menu->isLeft() ? nullptr : menu;
}

void cGameMenuDlg::onResumeClicked(cButton* button) {
    if (cGameMenuDlg* menu = menuOf(button))
        menu->resume();
}

void cGameMenuDlg::onReplayClicked(cButton* button) {
    cGameMenuDlg* menu = menuOf(button);
    if (!menu)
        return;
    menu->ask(menu->m_replayText, replayYes);
}

void cGameMenuDlg::onAwardClicked(cButton* button) {
    cGameMenuDlg* menu = menuOf(button);
    if (!menu)
        return;
    menu->fadeOut();
    if (!FrontEnd::openAwardsDialog([] {
            if (cGameMenuDlg* m = getGameMenu())
                m->restoreMenu();
        }))
        menu->restoreMenu();
}

void cGameMenuDlg::onMainMenuClicked(cButton* button) {
    cGameMenuDlg* menu = menuOf(button);
    if (!menu)
        return;
    menu->ask(menu->m_mainMenuText, mainMenuYes);
}

void cGameMenuDlg::onOptionsClosed(cWidget* dialog) {
    if (cGameMenuDlg* menu = getGameMenu())
        menu->restoreMenu();
    dialog->fadeOutAndDelete();
}

void cGameMenuDlg::onOptionsClicked(cButton* button) {
    cGameMenuDlg* menu = menuOf(button);
    if (!menu)
        return;
    menu->fadeOut();
    auto* options = new cOptions();
    options->setHandler(onOptionsClosed);
    options->hide();
    options->fadeIn();
}

void cGameMenuDlg::onTutorialClicked(cButton* button) {
    // The board was locked when the menu opened: leaving without resuming would keep it locked
    // with no menu on screen.
    if (cGameMenuDlg* menu = menuOf(button))
        menu->resume();
}

void cGameMenuDlg::onMapClicked(cButton* button) {
    cGameMenuDlg* menu = menuOf(button);
    if (!menu)
        return;
    menu->ask(menu->m_exitText, mapYes);
}
