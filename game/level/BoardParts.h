#pragma once

// The parts of the board made through factories (the vehicle panel, the bonus effects): the
// board's own unless a caller sets others; with none set, the board plays without them.

#include <functional>

namespace Engine {
class cWidget;
}
class cMeadowModel;
class cMeadowObjectView;
class cMeadowView;
class cVehicleModel;
class IBoardOwner;
class IBonusEffect;

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
