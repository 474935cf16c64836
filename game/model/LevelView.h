#pragma once

// What the board model and its controller need of the level screen: the board screen that
// shows the board (cMeadowView), its piece, cell and vehicle views and the bonus effects.

#include "engine/core/Math.h"

#include <vector>

class cMeadowObjectModel;
class cMeadowFigure;
class IPieceView;
class IBonusEffect;

class ILevelView {
public:
    using tFigureList = std::vector<cMeadowFigure>;

    virtual ~ILevelView() = default;

    // Disables or enables the screen's controls; while locked the screen stops driving the
    // controller.
    virtual void setInputLocked(bool locked) = 0;
    virtual void refresh() = 0;
    virtual void updateSelection() = 0;
    virtual void showMatchedFigures(const tFigureList& figures, bool cascade) = 0;
    virtual void animateExchange(IPieceView* first, IPieceView* second) = 0;
    virtual void animateSwapBack(IPieceView* first, IPieceView* second) = 0;
    // A bonus acts on the cell at the position.
    virtual void crashCell(const Engine::cVector2& position, IBonusEffect* effect) = 0;
    // Files every piece view into the motion lists by its piece's state.
    virtual void startObjectMotions() = 0;
    virtual IPieceView* getGameObjectView(cMeadowObjectModel* piece) = 0;
    virtual void showHint(const Engine::cVector2& first, const Engine::cVector2& second) = 0;
    virtual void hideHint() = 0;
    virtual void updateVehicles() = 0;
    // True while the field still plays effects.
    virtual bool isFieldBusy() = 0;
    virtual void finishLevel() = 0;
    virtual void resumeMusic() = 0;
    virtual bool isShown() = 0;
    virtual bool isEnabled() = 0;

    // The bonus effect widget of a bought bonus (chicken, bear, cat or instant, chosen by the
    // bonus type), acting on this screen and the model; none for a type without an effect.
    virtual IBonusEffect* createBonusEffect(int bonusType) = 0;
    // Hands an effect to the deferred widget deletion.
    virtual void deleteBonusEffect(IBonusEffect* effect) = 0;
};
