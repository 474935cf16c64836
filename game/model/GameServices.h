#pragma once

// Where the model and the controller find the game shell's services. Each is registered by
// the shell when it exists and may be missing: callers treat a missing service as a no-op.

#include <functional>
#include <memory>

class IAwardManager;
class IGameSounds;
class IMainMenu;
class ITutorialManager;
class IMatchStatistics;

namespace GameServices {

IGameSounds* getGameSounds();
void setGameSounds(IGameSounds* sounds);
ITutorialManager* getTutorialManager();
void setTutorialManager(ITutorialManager* tutorial);
IMatchStatistics* getMatchStatistics();
void setMatchStatistics(IMatchStatistics* statistics);
IMainMenu* getMainMenu();
void setMainMenu(IMainMenu* menu);

// Makes the award manager that the controller creates and owns; none when unset.
using tAwardManagerFactory = std::function<std::unique_ptr<IAwardManager>()>;
std::unique_ptr<IAwardManager> createAwardManager();
void setAwardManagerFactory(tAwardManagerFactory factory);
const tAwardManagerFactory& getAwardManagerFactory();

// Raised by the game's destroy callback while the game shuts down.
bool isQuitting();
void setQuitting(bool quitting);

} // namespace GameServices
