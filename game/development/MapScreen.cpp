#include "game/development/MapScreen.h"

#include "engine/core/WidgetSets.h"
#include "game/development/DevelopmentView.h"
#include "game/shell/GameMenuDlg.h"
#include "game/shell/MainMenu.h"

cScreen* cMainMenuLink::getScreen() {
    return getMainMenu();
}

void cMainMenuLink::onMapClosed() {
    cMainMenu* menu = getMainMenu();
    if (!menu)
        return;
    menu->startMusic();
    menu->startAmbientSound();
    if (Engine::cBackground* sky = getFixedBackground())
        sky->show();
    menu->show();
    menu->enable();
}

void cGameMenuLink::open() {
    if (m_menu)
        m_menu->restoreMenu();
}

void cGameMenuLink::close() {
    if (m_menu)
        m_menu->fadeOut();
}

cMapScreen::cMapScreen() : m_view(new cDevelopmentView(nullptr, false)), m_gameMenu(nullptr), m_gameMenuLink(nullptr) {
    try {
        m_gameMenu = new cGameMenuDlg();
    } catch (...) {
        delete m_view;
        throw;
    }
    m_gameMenu->m_developmentView = this;
    m_gameMenu->hide();
    m_gameMenuLink = cGameMenuLink(m_gameMenu);
    m_view->setMainMenu(&m_mainMenuLink);
    m_view->setGameMenu(&m_gameMenuLink);
}

cMapScreen::~cMapScreen() {
    if (Engine::isWidgetAlive(m_view))
        delete m_view;
    if (Engine::isWidgetAlive(m_gameMenu))
        delete m_gameMenu;
}

cScreen* cMapScreen::getScreen() {
    return m_view;
}

void cMapScreen::setLowDetail(bool low) {
    m_view->setLowDetail(low);
}

void cMapScreen::open() {
    m_view->open();
}

void cMapScreen::showMap() {
    m_view->show();
}

void cMapScreen::playLevel(bool resume) {
    if (!cDevelopmentView::getLevelScreenFactory()) {
        FrontEnd::note("The board screen is not part of this program: the map is shown instead of a level.");
        showMap();
        return;
    }
    m_view->playLevel(resume);
}

void cMapScreen::resumeGame() {
    m_view->resumeGame();
}

void cMapScreen::goToMainMenu() {
    m_view->goToMainMenu();
}

void cMapScreen::backToMap() {
    m_view->backToMap();
}

void cMapScreen::replayLevel() {
    m_view->restartLevel();
}

void cMapScreen::setSaveLevelOnDestroy(bool save) {
    m_view->setLevelRunning(save);
}
