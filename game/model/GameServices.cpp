#include "game/model/GameServices.h"

namespace GameServices {
namespace {

IGameSounds* s_sounds = nullptr;
ITutorialManager* s_tutorial = nullptr;
IMatchStatistics* s_statistics = nullptr;

} // namespace

IGameSounds* getGameSounds() {
    return s_sounds;
}
void setGameSounds(IGameSounds* sounds) {
    s_sounds = sounds;
}
ITutorialManager* getTutorialManager() {
    return s_tutorial;
}
void setTutorialManager(ITutorialManager* tutorial) {
    s_tutorial = tutorial;
}
IMatchStatistics* getMatchStatistics() {
    return s_statistics;
}
void setMatchStatistics(IMatchStatistics* statistics) {
    s_statistics = statistics;
}

} // namespace GameServices
