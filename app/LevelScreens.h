#pragma once

// The screens the map opens for a level, made from the level library's views: the map and the
// level screens never name each other, so the program joins them here.

#include "game/development/LevelScreen.h"
#include "game/level/BoardOwner.h"
#include "game/level/EditorOwner.h"

#include <memory>
#include <vector>

class cMeadowEditorView;
class cMeadowView;

// The board screen as the map's level screen, and the map as the board's owner.
class cBoardScreen : public ILevelScreen, public IBoardOwner {
public:
    cBoardScreen(cDevelopmentView* map, cMeadowModel* model, cMeadowController* controller, bool lowDetail);

    cMeadowView* getBoard() const { return m_board; }
    // The board has closed and the map has let it go.
    bool isFinished() const { return m_finished; }

    // ILevelScreen
    cScreen* getScreen() override;
    ILevelView* getLevelView() override;
    void setPlayTest(bool playTest) override;
    void initLevel(bool restart) override;
    void refresh() override;
    void clearLevel() override;
    void close() override;
    void startLevel(bool arrival) override;
    void lockVehiclePanel(bool locked) override;
    void showVehiclePanel(bool shown) override;
    void switchToOwner() override;
    void setShown(bool shown) override;
    void setEnabled(bool enabled) override;
    void fadeIn() override;
    void startGroupFadeIn() override;

    // IBoardOwner
    const Engine::cVisual& getVisualState(const std::string& id) const override;
    cScreen* getOwnerScreen() override;
    void resumeMusic() override;
    void restartLevel() override;
    void onLevelCompleted() override;
    void showGameMenu() override;
    void setLevelButtonsEnabled(bool enabled) override;
    bool isLevelEditorMode() override;
    void setLevelRunning(bool running) override;
    IDevelopmentView* getDevelopmentView() override;

private:
    cDevelopmentView* m_map;
    cMeadowView* m_board;
    bool m_finished = false;
};

// The level editor as the map's level screen, and the map as the editor's owner; as the owner of
// the board screen the editor is built on, the map shows its game menu on Esc.
class cEditorScreen : public ILevelScreen, public IEditorOwner, public IBoardOwner {
public:
    cEditorScreen(cDevelopmentView* map, cMeadowModel* model, cMeadowController* controller);

    cMeadowEditorView* getEditor() const { return m_editor; }
    // The editor has closed and the map has let it go: nothing reaches this adapter any more.
    bool isFinished() const { return m_finished; }

    // ILevelScreen: the editor is not a screen the switcher fades; it fades in over the map.
    cScreen* getScreen() override { return nullptr; }
    ILevelView* getLevelView() override;
    void setPlayTest(bool) override {}
    void initLevel(bool restart) override;
    void refresh() override;
    void clearLevel() override {}
    void close() override;
    void startLevel(bool arrival) override;
    void lockVehiclePanel(bool) override {}
    void showVehiclePanel(bool) override {}
    void switchToOwner() override;
    void setShown(bool shown) override;
    void setEnabled(bool enabled) override;
    void fadeIn() override;
    void startGroupFadeIn() override;

    // IEditorOwner and IBoardOwner
    const Engine::cVisual& getVisualState(const std::string& id) const override;
    void onLevelCompleted() override;
    void startLevel(int level) override;
    cScreen* getOwnerScreen() override;
    void resumeMusic() override;
    void restartLevel() override;
    void showGameMenu() override;
    void setLevelButtonsEnabled(bool enabled) override;
    bool isLevelEditorMode() override { return true; }
    void setLevelRunning(bool running) override;
    IDevelopmentView* getDevelopmentView() override;

private:
    cDevelopmentView* m_map;
    cMeadowEditorView* m_editor;
    bool m_finished = false;
};

// What the program registers with the map. It keeps the adapters it made and drops, on a later
// creation, those whose screen has closed and been deleted (the screens call their owner after
// closing themselves).
class cLevelScreenFactory : public ILevelScreenFactory {
public:
    ILevelScreen* createLevelScreen(cDevelopmentView* owner, cMeadowModel* model, cMeadowController* controller,
                                    bool lowDetail) override;
    ILevelScreen* createEditorScreen(cDevelopmentView* owner, cMeadowModel* model,
                                     cMeadowController* controller) override;

private:
    void dropFinished();

    std::vector<std::unique_ptr<cBoardScreen>> m_boards;
    std::vector<std::unique_ptr<cEditorScreen>> m_editors;
};
