#pragma once

// The map as the front end sees it: the main menu opens it, starts its levels and returns to it,
// the in-game menu acts on it. It owns the development screen and the in-game menu, and links
// the screen back to the shell's main menu.

#include "game/development/MapNeighbours.h"
#include "game/shell/FrontEnd.h"

class cDevelopmentView;
class cGameMenuDlg;

// The shell's main menu, to which the map returns.
class cMainMenuLink : public IMapMainMenu {
public:
    // The menu's screen side; null while no menu exists.
    cScreen* getScreen() override;
    // The menu's music, then its ambient sound; the menu and its sky show and take input.
    void onMapClosed() override;
};

// The in-game menu over the board.
class cGameMenuLink : public IGameMenu {
public:
    explicit cGameMenuLink(cGameMenuDlg* menu) : m_menu(menu) {}
    void open() override;
    void close() override;

private:
    cGameMenuDlg* m_menu;
};

class cMapScreen : public IMapScreen {
public:
    // Makes the hidden map and the hidden in-game menu.
    cMapScreen();
    // The map saves a running level as it goes.
    ~cMapScreen() override;
    cMapScreen(const cMapScreen&) = delete;
    cMapScreen& operator=(const cMapScreen&) = delete;

    cScreen* getScreen() override;
    void setLowDetail(bool low) override;
    void open() override;
    void showMap() override;
    // Without a board screen in the program the map is shown instead (noted in the log).
    void playLevel(bool resume) override;
    void resumeGame() override;
    void goToMainMenu() override;
    void backToMap() override;
    void replayLevel() override;
    // Off: the menu's way out from a level, which the map then saves as it closes.
    void setSaveLevelOnDestroy(bool save) override;

    cDevelopmentView* getView() const { return m_view; }
    cGameMenuDlg* getGameMenu() const { return m_gameMenu; }

private:
    cDevelopmentView* m_view;
    cGameMenuDlg* m_gameMenu;
    cMainMenuLink m_mainMenuLink;
    cGameMenuLink m_gameMenuLink;
};
