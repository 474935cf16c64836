#pragma once

// The screens the map opens for a level, made from the level library's views: the map and the
// level screens never name each other, so the program joins them here.

#include "game/development/LevelScreen.h"
#include "game/level/EditorOwner.h"

#include <memory>
#include <vector>

class cMeadowEditorView;

// The level editor as the map's level screen, and the map as the editor's owner.
class cEditorScreen : public ILevelScreen, public IEditorOwner {
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
    void startLevel(bool) override {}
    void lockVehiclePanel(bool) override {}
    void showVehiclePanel(bool) override {}
    void switchToOwner() override;
    void setShown(bool shown) override;
    void setEnabled(bool enabled) override;
    void fadeIn() override;

    // IEditorOwner
    const Engine::cVisual& getVisualState(const std::string& id) const override;
    void leaveEditor(cMeadowEditorView* editor) override;
    void onLevelCompleted() override;
    void startLevel(int level) override;

private:
    cDevelopmentView* m_map;
    cMeadowEditorView* m_editor;
    bool m_finished = false;
};

// What the program registers with the map. It keeps the adapters it made and drops those
// finished on the next creation (the editor calls its owner after closing itself).
class cLevelScreenFactory : public ILevelScreenFactory {
public:
    ILevelScreen* createLevelScreen(cDevelopmentView* owner, cMeadowModel* model, cMeadowController* controller,
                                    bool lowDetail) override;
    ILevelScreen* createEditorScreen(cDevelopmentView* owner, cMeadowModel* model,
                                     cMeadowController* controller) override;

private:
    void dropFinished();

    std::vector<std::unique_ptr<cEditorScreen>> m_editors;
};
