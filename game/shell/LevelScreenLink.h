#pragma once

// Where the map and the board meet. The map opens its levels on a level screen (the board screen,
// or the level editor) made by a factory that the program registers, and is the owner the screen
// turns back to: the map implements the owner sides, the board and the editor implement the
// level screen, and neither library names the other's classes.

#include "game/shell/VisualStates.h"

class cMeadowController;
class cMeadowModel;
class cScreen;
class IDevelopmentView;
class ILevelView;

class ILevelScreen {
public:
    virtual ~ILevelScreen() = default;

    // The side the screen switcher fades in and out; none for the editor, which fades in over the map.
    virtual cScreen* getScreen() = 0;
    // The side the controller drives; none once the screen has closed.
    virtual ILevelView* getLevelView() = 0;
    virtual void setPlayTest(bool playTest) = 0;
    virtual void initLevel(bool restart) = 0;
    virtual void refresh() = 0;
    virtual void clearLevel() = 0;
    // Closes the screen (a second call does nothing); it goes to the deferred deletion, the map
    // forgets it.
    virtual void close() = 0;
    virtual void startLevel(bool fromEditor) = 0;
    virtual void lockVehiclePanel(bool locked) = 0;
    virtual void showVehiclePanel(bool shown) = 0;
    // Switches back to the owner.
    virtual void switchToOwner() = 0;
    virtual void setShown(bool shown) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void fadeIn() = 0;
    // Fades in the widgets the screen fades as a group (the editor's backdrop).
    virtual void startGroupFadeIn() = 0;
};

// What the board screen needs of the screen that creates it and gets it back (the map): the
// looks, the level flow around a level and the game menu.
class IBoardOwner : public IVisualStates {
public:
    // The owner's side of the screen switch back to it; none when it has no screen.
    virtual cScreen* getOwnerScreen() = 0;
    virtual void resumeMusic() = 0;
    // Plays the current level again on the same board screen.
    virtual void restartLevel() = 0;
    // The screen has been switched away and closed. The owner lets it go only when it is the
    // owner's current level screen: a screen replaced meanwhile (the editor's play test, a
    // restart in the editor) is already forgotten.
    virtual void onLevelCompleted(ILevelScreen* screen) = 0;
    virtual void showGameMenu() = 0;
    virtual void setLevelButtonsEnabled(bool enabled) = 0;
    // The owner runs the level editor: a finished level goes straight back to it.
    virtual bool isLevelEditorMode() = 0;
    virtual void setLevelRunning(bool running) = 0;
    virtual IDevelopmentView* getDevelopmentView() { return nullptr; }
};

// What the level editor needs of the screen that opens it (the map run with its editor flag):
// the looks, the end of the editor, and the play test that opens the edited level on a board
// screen. The way back ("BackButton", Esc) is the board screen's, through the owner's
// IBoardOwner side.
class IEditorOwner : public IVisualStates {
public:
    // The editor has been closed; as IBoardOwner::onLevelCompleted.
    virtual void onLevelCompleted(ILevelScreen* screen) = 0;
    // The play test: the level opens on a new board screen with its play-test flag set.
    virtual void startLevel(int level) = 0;
};

// Registered by the program with the map; tests register their own.
class ILevelScreenFactory {
public:
    virtual ~ILevelScreenFactory() = default;

    virtual ILevelScreen* createLevelScreen(IBoardOwner* owner, cMeadowModel* model, cMeadowController* controller,
                                            bool lowDetail) = 0;
    virtual ILevelScreen* createEditorScreen(IEditorOwner* owner, cMeadowModel* model,
                                             cMeadowController* controller) = 0;
};
