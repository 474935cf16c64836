#include "game/model/GameServices.h"

#include "game/model/AwardManagerLink.h"

namespace GameServices {
namespace {

IGameSounds* s_sounds = nullptr;
ITutorialManager* s_tutorial = nullptr;
IMatchStatistics* s_statistics = nullptr;
IMainMenu* s_mainMenu = nullptr;
tAwardManagerFactory s_awardManagerFactory;
bool s_quitting = false;

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

IMainMenu* getMainMenu() {
    return s_mainMenu;
}
void setMainMenu(IMainMenu* menu) {
    s_mainMenu = menu;
}

std::unique_ptr<IAwardManager> createAwardManager() {
    return s_awardManagerFactory ? s_awardManagerFactory() : nullptr;
}
void setAwardManagerFactory(tAwardManagerFactory factory) {
    s_awardManagerFactory = std::move(factory);
}
const tAwardManagerFactory& getAwardManagerFactory() {
    return s_awardManagerFactory;
}

bool isQuitting() {
    return s_quitting;
}
void setQuitting(bool quitting) {
    s_quitting = quitting;
}

} // namespace GameServices
