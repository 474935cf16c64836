#pragma once

// Where the model and the controller find the game shell's services. Each is registered by
// the shell when it exists and may be missing: callers treat a missing service as a no-op.

class IGameSounds;
class ITutorialManager;
class IMatchStatistics;

namespace GameServices {

IGameSounds* getGameSounds();
void setGameSounds(IGameSounds* sounds);
ITutorialManager* getTutorialManager();
void setTutorialManager(ITutorialManager* tutorial);
IMatchStatistics* getMatchStatistics();
void setMatchStatistics(IMatchStatistics* statistics);

} // namespace GameServices
