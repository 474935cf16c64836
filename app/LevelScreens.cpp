#include "app/LevelScreens.h"

#include "engine/core/WidgetSets.h"
#include "game/development/DevelopmentView.h"
#include "game/level/MeadowEditorView.h"
#include "game/level/MeadowView.h"

#include <algorithm>

// ---- The board screen ----

// The board reads its layout under the map's looks; without background effects in low detail.
cBoardScreen::cBoardScreen(cDevelopmentView* map, cMeadowModel* model, cMeadowController* controller, bool lowDetail)
    : m_map(map), m_board(new cMeadowView(this, model, controller, false, lowDetail)) {}

cScreen* cBoardScreen::getScreen() {
    return m_board;
}

ILevelView* cBoardScreen::getLevelView() {
    return m_finished ? nullptr : m_board;
}

void cBoardScreen::setPlayTest(bool playTest) {
    m_board->setPlayTest(playTest);
}

void cBoardScreen::initLevel(bool restart) {
    m_board->initLevel(restart);
}

void cBoardScreen::refresh() {
    m_board->refresh();
}

void cBoardScreen::clearLevel() {
    m_board->clearLevel();
}

void cBoardScreen::close() {
    if (m_finished)
        return;
    m_finished = true;
    m_board->close();
}

void cBoardScreen::startLevel(bool arrival) {
    m_board->startLevel(arrival);
}

void cBoardScreen::lockVehiclePanel(bool locked) {
    m_board->lockVehiclePanel(locked);
}

void cBoardScreen::showVehiclePanel(bool shown) {
    m_board->showVehiclePanel(shown);
}

void cBoardScreen::switchToOwner() {
    m_board->switchToOwner();
}

void cBoardScreen::setShown(bool shown) {
    if (shown)
        m_board->show();
    else
        m_board->hide();
}

void cBoardScreen::setEnabled(bool enabled) {
    if (enabled)
        m_board->enable();
    else
        m_board->disable();
}

void cBoardScreen::fadeIn() {
    m_board->fadeIn();
}

void cBoardScreen::startGroupFadeIn() {
    m_board->startShow();
}

const Engine::cVisual& cBoardScreen::getVisualState(const std::string& id) const {
    return m_map->getVisualState(id);
}

cScreen* cBoardScreen::getOwnerScreen() {
    return m_map;
}

void cBoardScreen::resumeMusic() {
    m_map->resumeMusic();
}

void cBoardScreen::restartLevel() {
    m_map->restartLevel();
}

// The board has switched back to the map and closed itself.
void cBoardScreen::onLevelCompleted() {
    m_finished = true;
    if (m_map->getLevelScreen() == this)
        m_map->onLevelCompleted();
}

void cBoardScreen::showGameMenu() {
    m_map->showGameMenu();
}

void cBoardScreen::setLevelButtonsEnabled(bool enabled) {
    m_map->setLevelButtonsEnabled(enabled);
}

bool cBoardScreen::isLevelEditorMode() {
    return m_map->isEditorMode();
}

void cBoardScreen::setLevelRunning(bool running) {
    m_map->setLevelRunning(running);
}

IDevelopmentView* cBoardScreen::getDevelopmentView() {
    return m_map;
}

// ---- The level editor ----

cEditorScreen::cEditorScreen(cDevelopmentView* map, cMeadowModel* model, cMeadowController* controller)
    : m_map(map), m_editor(new cMeadowEditorView(this, model, controller)) {}

ILevelView* cEditorScreen::getLevelView() {
    return m_finished ? nullptr : m_editor->getLevelView();
}

void cEditorScreen::initLevel(bool restart) {
    m_editor->initLevel(restart);
}

void cEditorScreen::refresh() {
    m_editor->refresh();
}

void cEditorScreen::close() {
    if (m_finished)
        return;
    m_editor->close();
    m_finished = true;
}

void cEditorScreen::switchToOwner() {
    m_editor->switchToOwner();
}

void cEditorScreen::setShown(bool shown) {
    if (shown)
        m_editor->show();
    else
        m_editor->hide();
}

void cEditorScreen::setEnabled(bool enabled) {
    if (enabled)
        m_editor->enable();
    else
        m_editor->disable();
}

void cEditorScreen::fadeIn() {
    m_editor->fadeIn();
}

void cEditorScreen::startGroupFadeIn() {
    m_editor->startShow();
}

// The board screen's start: the cells arrive and the pieces fall in.
void cEditorScreen::startLevel(bool arrival) {
    m_editor->startLevel(arrival);
}

const Engine::cVisual& cEditorScreen::getVisualState(const std::string& id) const {
    return m_map->getVisualState(id);
}

void cEditorScreen::onLevelCompleted() {
    m_finished = true;
    if (m_map->getLevelScreen() == this)
        m_map->onLevelCompleted();
}

// The play test: the map opens the level on a board screen of its own.
void cEditorScreen::startLevel(int level) {
    m_map->startLevel(level);
}

cScreen* cEditorScreen::getOwnerScreen() {
    return m_map;
}

void cEditorScreen::resumeMusic() {
    m_map->resumeMusic();
}

void cEditorScreen::restartLevel() {
    m_map->restartLevel();
}

void cEditorScreen::showGameMenu() {
    m_map->showGameMenu();
}

void cEditorScreen::setLevelButtonsEnabled(bool enabled) {
    m_map->setLevelButtonsEnabled(enabled);
}

void cEditorScreen::setLevelRunning(bool running) {
    m_map->setLevelRunning(running);
}

IDevelopmentView* cEditorScreen::getDevelopmentView() {
    return m_map;
}

// An adapter may still be on the call stack when the next screen is made (the editor's play test,
// a restart in the editor): it goes only once its screen's widget has been deleted, at the end of
// a frame after it closed.
void cLevelScreenFactory::dropFinished() {
    m_boards.erase(std::remove_if(m_boards.begin(), m_boards.end(),
                                  [](const std::unique_ptr<cBoardScreen>& screen) {
                                      return screen->isFinished() && !Engine::isWidgetAlive(screen->getBoard());
                                  }),
                   m_boards.end());
    m_editors.erase(std::remove_if(m_editors.begin(), m_editors.end(),
                                   [](const std::unique_ptr<cEditorScreen>& screen) {
                                       return screen->isFinished() && !Engine::isWidgetAlive(screen->getEditor());
                                   }),
                    m_editors.end());
}

ILevelScreen* cLevelScreenFactory::createLevelScreen(cDevelopmentView* owner, cMeadowModel* model,
                                                     cMeadowController* controller, bool lowDetail) {
    dropFinished();
    m_boards.push_back(std::make_unique<cBoardScreen>(owner, model, controller, lowDetail));
    return m_boards.back().get();
}

ILevelScreen* cLevelScreenFactory::createEditorScreen(cDevelopmentView* owner, cMeadowModel* model,
                                                      cMeadowController* controller) {
    dropFinished();
    m_editors.push_back(std::make_unique<cEditorScreen>(owner, model, controller));
    return m_editors.back().get();
}
