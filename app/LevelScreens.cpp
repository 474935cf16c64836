#include "app/LevelScreens.h"

#include "engine/core/String.h"
#include "game/development/DevelopmentView.h"
#include "game/level/MeadowEditorView.h"

#include <algorithm>

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
    leaveEditor(m_editor);
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

const Engine::cVisual& cEditorScreen::getVisualState(const std::string& id) const {
    return m_map->getVisualState(id);
}

// The editor goes (it deletes itself later) and the map comes back with its level buttons.
void cEditorScreen::leaveEditor(cMeadowEditorView*) {
    if (m_finished)
        return;
    m_editor->close();
    onLevelCompleted();
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

void cLevelScreenFactory::dropFinished() {
    m_editors.erase(std::remove_if(m_editors.begin(), m_editors.end(),
                                   [](const std::unique_ptr<cEditorScreen>& screen) { return screen->isFinished(); }),
                    m_editors.end());
}

ILevelScreen* cLevelScreenFactory::createLevelScreen(cDevelopmentView*, cMeadowModel*, cMeadowController*, bool) {
    throw Engine::cStringA("cLevelScreenFactory: the board screen is not part of this program");
}

ILevelScreen* cLevelScreenFactory::createEditorScreen(cDevelopmentView* owner, cMeadowModel* model,
                                                      cMeadowController* controller) {
    dropFinished();
    m_editors.push_back(std::make_unique<cEditorScreen>(owner, model, controller));
    return m_editors.back().get();
}
