#include "app/GameWiring.h"

#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/level/MeadowView.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
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

// The map's levels open on the board screen (without background effects in low detail) or, run
// as the level editor, in the editor; each screen deletes itself once it has closed.
class cLevelScreens : public ILevelScreenFactory {
public:
    ILevelScreen* createLevelScreen(IBoardOwner* owner, cMeadowModel* model, cMeadowController* controller,
                                    bool lowDetail) override {
        return new cMeadowView(owner, model, controller, false, lowDetail);
    }
    ILevelScreen* createEditorScreen(IEditorOwner* owner, cMeadowModel* model, cMeadowController* controller) override {
        return new cMeadowEditorView(owner, model, controller);
    }
};

} // namespace

void wireGame() {
    // The map outlives every screen it opens: the factory lives as long as the program.
    static cLevelScreens levelScreens;
    cDevelopmentView::setLevelScreenFactory(&levelScreens);
    FrontEnd::setMapFactory([]() -> IMapScreen* { return new cMapScreen(); });
    static cShellSounds sounds;
    GameServices::setGameSounds(&sounds);
}
