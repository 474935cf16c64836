#pragma once

// The map's neighbours other than its level screens (game/shell/LevelScreenLink.h): the main menu
// it returns to, the upgrade panel at its foot and the in-game menu over the board. Each may be
// absent; the map then does without it.

namespace Engine {
class cSprite;
}
class cMeadowModel;
class cScreen;

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
