#pragma once

// What the board screen needs of the screen that creates it and gets it back (the map): the
// looks, the level flow around a level and the game menu. And the parts of the board that
// later pieces supply (the vehicle panel, the bonus effects): the board asks for them through
// factories, and plays without them while none is set.

#include "game/shell/VisualStates.h"

#include <functional>

namespace Engine {
class cWidget;
}
class cScreen;
class cMeadowModel;
class cMeadowObjectView;
class cMeadowView;
class cVehicleModel;
class IBonusEffect;
class IDevelopmentView;

class IBoardOwner : public IVisualStates {
public:
    // The owner's side of the screen switch back to it; none when it has no screen.
    virtual cScreen* getOwnerScreen() = 0;
    virtual void resumeMusic() = 0;
    // Plays the current level again on the same board screen.
    virtual void restartLevel() = 0;
    // The board screen has been switched away and closed.
    virtual void onLevelCompleted() = 0;
    virtual void showGameMenu() = 0;
    virtual void setLevelButtonsEnabled(bool enabled) = 0;
    // The owner runs the level editor: a finished level goes straight back to it.
    virtual bool isLevelEditorMode() = 0;
    virtual void setLevelRunning(bool running) = 0;
    virtual IDevelopmentView* getDevelopmentView() { return nullptr; }
};

// The panel of vehicles waiting beside the board.
class IVehiclePanel {
public:
    virtual ~IVehiclePanel() = default;
    // The panel's widget, a child of the board screen.
    virtual Engine::cWidget* getWidget() = 0;
    virtual void update(float dt) = 0;
    virtual void addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* view) = 0;
    // The vehicles follow the model after a change the panel did not make.
    virtual void updateVehicles() = 0;
};

namespace BoardParts {

using tVehiclePanelFactory = std::function<IVehiclePanel*(cMeadowView*, cMeadowModel*, IBoardOwner*)>;
// The effect widget of a bought bonus on the board; none for a type without an effect.
using tBonusEffectFactory = std::function<IBonusEffect*(cMeadowView*, cMeadowModel*, int bonusType)>;

const tVehiclePanelFactory& getVehiclePanelFactory();
void setVehiclePanelFactory(tVehiclePanelFactory factory);
const tBonusEffectFactory& getBonusEffectFactory();
void setBonusEffectFactory(tBonusEffectFactory factory);

} // namespace BoardParts
