#pragma once

// What the front end needs of the parts the program adds above the shell: the map between
// levels, the player dialogs, the tutorial and the awards. The program registers a maker for
// each; a missing one is noted in the error log and the front end carries on without it.

#include <functional>
#include <string>

class cScreen;

// The map between levels as the main menu and the in-game menu use it.
class IMapScreen {
public:
    virtual ~IMapScreen() = default;
    // The switcher's side of the map.
    virtual cScreen* getScreen() = 0;
    virtual void setLowDetail(bool low) = 0;
    // Builds the map when the menu has faded out.
    virtual void open() = 0;
    // Shows the map itself (a saved level is offered when it is shown).
    virtual void showMap() = 0;
    // Starts the current level, from its save when resume is set.
    virtual void playLevel(bool resume) = 0;
    // The in-game menu's actions.
    virtual void resumeGame() = 0;
    virtual void goToMainMenu() = 0;
    virtual void backToMap() = 0;
    virtual void replayLevel() = 0;
    virtual void setSaveLevelOnDestroy(bool save) = 0;
};

namespace FrontEnd {

using tMapFactory = std::function<IMapScreen*()>;
void setMapFactory(tMapFactory factory);
// The map that exists, or null.
IMapScreen* getMap();
// Makes the map when none exists; null (with a note in the log) when no maker is registered.
IMapScreen* createMap();
// Deletes the map when it exists.
void destroyMap();

// Opens the new-player dialog; done is called once the new player is current.
using tNewUserDialog = std::function<void(std::function<void()> done)>;
// Opens the player list; chosen after a player was made current, cancelled otherwise.
using tSelectUserDialog = std::function<void(std::function<void()> chosen, std::function<void()> cancelled)>;
// Opens the awards; closed when the player leaves them.
using tAwardsDialog = std::function<void(std::function<void()> closed)>;
// Replaces the tutorial state with the current player's.
using tTutorialStarter = std::function<void()>;

void setNewUserDialog(tNewUserDialog dialog);
void setSelectUserDialog(tSelectUserDialog dialog);
void setAwardsDialog(tAwardsDialog dialog);
void setTutorialStarter(tTutorialStarter starter);
// Each returns false (and notes it in the log) when nothing is registered.
bool openNewUserDialog(std::function<void()> done);
bool openSelectUserDialog(std::function<void()> chosen, std::function<void()> cancelled);
bool openAwardsDialog(std::function<void()> closed);
bool startTutorial();
// Forgets every registration (the game's end, and tests).
void clearHooks();

// One entry in the "error" channel, the only log the game writes; a log that cannot be written
// is skipped.
void note(const std::string& text);

} // namespace FrontEnd
