#pragma once

// What the level flow of the map needs of a board screen (or of the level editor) and of the
// program that makes them: the map creates board screens through a factory that the program
// registers, so the map never names the board screen's classes (tests register their own).

namespace Engine {
class cSprite;
}
class cDevelopmentView;
class cMeadowController;
class cMeadowModel;
class cScreen;
class ILevelView;

class ILevelScreen {
public:
    virtual ~ILevelScreen() = default;

    // The side the screen switcher fades in and out.
    virtual cScreen* getScreen() = 0;
    // The side the controller drives.
    virtual ILevelView* getLevelView() = 0;
    virtual void setPlayTest(bool playTest) = 0;
    virtual void initLevel(bool restart) = 0;
    virtual void refresh() = 0;
    virtual void clearLevel() = 0;
    // Closes the screen; it goes to the deferred deletion, the map forgets it.
    virtual void close() = 0;
    virtual void startLevel(bool fromEditor) = 0;
    virtual void lockVehiclePanel(bool locked) = 0;
    virtual void showVehiclePanel(bool shown) = 0;
    // Switches back to the map.
    virtual void switchToOwner() = 0;
    virtual void setShown(bool shown) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void fadeIn() = 0;
    // Fades in the widgets the screen fades as a group (the editor's backdrop).
    virtual void startGroupFadeIn() = 0;
};

class ILevelScreenFactory {
public:
    virtual ~ILevelScreenFactory() = default;

    virtual ILevelScreen* createLevelScreen(cDevelopmentView* owner, cMeadowModel* model, cMeadowController* controller,
                                            bool lowDetail) = 0;
    virtual ILevelScreen* createEditorScreen(cDevelopmentView* owner, cMeadowModel* model,
                                             cMeadowController* controller) = 0;
};

// The map's other neighbours: the main menu it returns to, the upgrade panel at its foot and the
// in-game menu over the board. Each may be absent; the map then does without it.
class IMapMainMenu {
public:
    virtual ~IMapMainMenu() = default;

    virtual cScreen* getScreen() = 0;
    // The map has closed behind the menu: its music and ambient sound start and it shows.
    virtual void onMapClosed() = 0;
};

class IUpgradePanel {
public:
    virtual ~IUpgradePanel() = default;

    virtual void setModel(cMeadowModel* model) = 0;
    virtual void resetScrolling() = 0;
    // Rebuilds the buttons from the model.
    virtual void updateButtons(bool animate) = 0;
    virtual void closeVariants() = 0;
    virtual bool isScrolling() const = 0;
    virtual void setShown(bool shown) = 0;
    virtual void setEnabled(bool enabled) = 0;
    // The widget that slides with the interface.
    virtual Engine::cSprite* getSlidingWidget() = 0;
};

class IGameMenu {
public:
    virtual ~IGameMenu() = default;

    // Enabled and faded in over the board.
    virtual void open() = 0;
    virtual void close() = 0;
};
