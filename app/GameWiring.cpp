#include "app/GameWiring.h"

#include "app/LevelScreens.h"
#include "app/MapTips.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/model/GameServices.h"
#include "game/model/GameSounds.h"
#include "game/shell/FrontEnd.h"
#include "game/shell/GameSounds.h"

#include <string>

namespace {

// The board and the map play their sounds through the shell's sound table, which the game's
// create callback makes after this wiring: each play finds the table of the moment.
class cShellSounds : public IGameSounds {
public:
    void play(const std::string& id) override {
        if (cGameSounds* sounds = cGameSounds::getInstance())
            sounds->play(id);
    }
    void playSingle(const std::string& id, float minimum, float spread) override {
        if (cGameSounds* sounds = cGameSounds::getInstance())
            sounds->playSingle(id, minimum, spread);
    }
};

} // namespace

void wireGame() {
    // The map outlives every screen it opens: the factory lives as long as the program.
    static cLevelScreenFactory levelScreens;
    cDevelopmentView::setLevelScreenFactory(&levelScreens);
    static cMapTips mapTips;
    cDevelopmentView::setMapTips(&mapTips);
    FrontEnd::setMapFactory([]() -> IMapScreen* { return new cMapScreen(); });
    static cShellSounds sounds;
    GameServices::setGameSounds(&sounds);
}
