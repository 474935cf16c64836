#pragma once

// The board of one level as the board screen draws it: one cell view per model cell on a square
// grid around "center_position", the cell, selection and effect prototypes read from
// "Meadow/View/FieldView.xml", the depths of the cells and the refresh operations; the model's
// signals, the selection and the board's mouse codes (MeadowFieldSignals.cpp); the frame, a
// move's matches and its crashes (MeadowFieldMotions.cpp), with the motion lists in its
// cFieldMotions; the effects that open and close a level, the trigger spiral, the blink wave
// and the mixing bees (MeadowFieldEffects.cpp).

#include "engine/core/Vector2.h"
#include "engine/gui/Background.h"
#include "engine/gui/InputHooks.h"
#include "game/level/field/FieldMotions.h"
#include "game/model/MeadowFigure.h"

#include <array>
#include <list>
#include <map>
#include <string>
#include <vector>

class cMeadowModel;
class cMeadowController;
class cMeadowView;
class cMeadowCellView;
class cMeadowObjectView;
class cSelectionSprite;
class cCellEffect;
class cWaveSprite;
class cCellModel;
class cMeadowObjectModel;
class cVehicleModel;
class IBonusEffect;
class cTutorialManager;
namespace Engine {
class cPanel;
class cPyroEffect;
} // namespace Engine
namespace boost {
namespace signals2 {
class connection;
}
} // namespace boost

class cMeadowFieldView : public Engine::cBackground {
public:
    // Reads "Meadow/View/FieldView.xml" through the resource manager. The board screen is not
    // kept: initField binds it.
    cMeadowFieldView(cMeadowView* board, cMeadowModel* model, cMeadowController* controller, bool editor);
    ~cMeadowFieldView() override;

    void loadXML(const Engine::IXmlNode* node) override;

    int& getRowCount() { return m_rows; }
    void setRowCount(const int& rows) { m_rows = rows; }
    int& getColumnCount() { return m_columns; }
    void setColumnCount(const int& columns) { m_columns = columns; }

    void initField(cMeadowView* board);
    void buildCells();

    cMeadowCellView* findCellView(int row, int column) const;
    // The piece at (row, column), if any; throws, naming the operation, when it is not valid.
    cMeadowObjectModel* pieceOrThrow(const char* operation, const char* what, int row, int column) const;
    Engine::cVector2 getCellPosition(int row, int column) const;
    Engine::cVector2 getCellPositionOfView(cMeadowObjectView* view) const;
    bool hasNeighbourCell(int side, int row, int column) const;
    // A new copy of the "BombFireEffect" prototype; the caller owns it.
    Engine::cPyroEffect* copyBombFireEffect() const;
    const Engine::cVector2& getBombFireOffset(size_t index) const;
    size_t getBombFireOffsetCount() const { return m_bombFireOffsets.size(); }
    // Throws, naming the layout, when the fire offsets do not cover every frame of the blast piece.
    void checkBombFireFrames(unsigned frames) const;
    bool isBusy() const;

    bool updateCells(bool withArrival);
    void updateView();
    void setCellsRenderType(unsigned renderType);
    void redrawCellBorders();
    void setUpCellsDeep();
    void shakeVisibleCells();
    void updateSelection();

    float getComplexCellsDeepDelta() const { return m_complexCellsDeepDelta; }
    float getCellDistance() const { return m_cellDistance; }
    const Engine::cVector2& getCenterPosition() const { return m_centerPosition; }
    const Engine::cVector2& getFieldSize() const { return m_fieldSize; }
    const Engine::cVector2& getOrigin() const { return m_origin; }
    cMeadowCellView* getCellPrototype() const { return m_cellPrototype; }
    cSelectionSprite* getSelection() const { return m_selection; }
    Engine::cPanel* getBlinkLine() const { return m_blinkLine; }
    Engine::cPyroEffect* getBombEffect() const { return m_bombEffect; }
    Engine::cPyroEffect* getBombFireEffect() const { return m_bombFireEffect; }
    const Engine::cVector2& getTipPosition(int index) const { return m_tipPositions[size_t(index)]; }
    const Engine::cVector2& getWaveIntervals() const { return m_waveIntervals; }
    float getWaveSpeed() const { return m_waveSpeed; }
    float getNextWaveTime() const { return m_nextWaveTime; }
    const std::map<int, cMeadowCellView*>& getCells() const { return m_cells; }
    cMeadowModel* getModel() const { return m_model; }
    cMeadowView* getBoardView() const { return m_boardView; }
    cWaveSprite* getBlastWave() const { return m_blastWave; }
    // The hidden lightning prototype; each lightning plays a copy.
    cCellEffect* getLightningEffect() const { return m_lightningEffect; }
    cMeadowController* getController() const { return m_controller; }
    bool isEditorMode() const { return m_editorMode; }

    // ---- Model signals, selection and input (MeadowFieldSignals.cpp) ----
    void onBlastBonus(cMeadowObjectModel* piece, bool wave);
    void onCellBlasted(cCellModel* cell);
    void onLightningBonus(cMeadowObjectModel* piece, bool unused);
    void onCellLightning(cCellModel* cell);
    void onHiddenObjectShown(cMeadowObjectModel* piece);
    void onUnusedObject(cMeadowObjectModel* piece);
    void onPrizeCell(int row, int column);
    void onUnusedCell(int row, int column);
    virtual void setInputLocked(bool locked);
    bool isInputLocked() const { return m_inputLocked; }
    bool showPrizeCell(float row, float column);
    void trackBonusTarget();
    void onBonusClick();
    void onBonusCancel();
    void onLeftButtonUp();
    void onEditorButton(int code);
    const std::list<Engine::cVector2>& getPrizeCells() const { return m_prizeCells; }

    // ---- The frame, matches and crashes (MeadowFieldMotions.cpp) ----
    void process() override;
    cFieldMotions& getMotions() { return m_motions; }
    const cFieldMotions& getMotions() const { return m_motions; }
    virtual void exchangeObjects(cMeadowObjectModel* a, cMeadowObjectModel* b);
    virtual void swapBack(cMeadowObjectView* a, cMeadowObjectView* b);
    virtual void updateMatchedFigures(const tFigureList& figures, bool cascade);
    virtual void crashCell(const Engine::cVector2& position, IBonusEffect* effect);
    void startObjectMotions();
    void onObjectPassedDown(cMeadowObjectModel* piece);
    void applyFigureBonus(cMeadowFigure& figure, bool cascade);
    void matchAroundFigure(cMeadowFigure& figure);
    void resetForReplay();
    // A vehicle takes a matched or crashed piece. Until the vehicle panel flies it there the
    // piece goes straight in: the view hides and the controller loads it.
    virtual void addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* view);
    // The trigger effect of the cell at (row, column): the cells waiting for that trigger grow
    // in one by one along a square spiral around it.
    virtual void startTriggerEffect(const Engine::cVector2& position);
    // The board's pieces fall off the screen row by row, the cells shake and hide.
    void startEndLevelEffect(float time);
    bool isEndLevelEffectDone() const { return m_motions.isEndLevelEffectDone(); }
    bool isTriggerEffectRunning() const { return m_triggerEffectRunning; }
    float getSoundClock() const { return m_soundClock; }
    float getScreenHeight() const { return m_screenHeight; }

    // ---- Level effects (MeadowFieldEffects.cpp) ----
    // The cell arrivals and the blink wave, also while the field is locked.
    void onUpdate() override;
    void startCellsArrival();
    void restartCellsArrival();
    void startNewLevelEffect();
    void startMixingAnimation();
    void endTriggerEffect();
    bool isArrivalDone() const { return m_arrivalDone; }
    bool isWaveRunning() const { return m_waveRunning; }
    const std::list<cMeadowCellView*>& getCellArrivals() const { return m_cellArrivals; }
    const std::list<cMeadowCellView*>& getCellReArrivals() const { return m_cellReArrivals; }
    const std::vector<cMeadowCellView*>& getTriggerQueue() const { return m_triggerQueue; }
    const std::list<cMeadowCellView*>& getTriggerCells() const { return m_triggerCells; }
    cMeadowCellView* getTriggerCellView() const { return m_triggerCellView; }

private:
    void connectSignals();
    // The mouse codes of play or of the editor, while the input is not locked.
    void registerInput(bool add);
    void playCrashSound(bool lock, bool iron, bool wood, bool plainCrash);
    void playOneOf(const std::vector<std::string>& ids);
    cMeadowCellView* cellAtCursor(bool visibleOnly) const;
    // Releases the aimed bonus and lights the bonus panel's buttons again.
    void giveUpBonus();
    // A trigger on or beside the position opens, unless one runs already.
    void openTriggerAt(const Engine::cVector2& position);

    void stepTriggerEffect(float dt);
    // Steps the pieces falling in; true when the last one has just landed.
    bool stepNewLevelFalls(float dt);
    void onNewLevelFallsDone();
    void showArrivalTips();
    void stepMixingEffect(float dt);

    void clearCells();
    cMeadowCellView* createNewCell(class cCellModel* cell, int row, int column);
    cMeadowCellView* cellOrThrow(const char* operation, const char* what, int row, int column) const;

    cMeadowModel* m_model;
    cMeadowController* m_controller;
    cMeadowView* m_boardView = nullptr;
    Engine::cVector2 m_centerPosition;
    float m_cellDistance = 0;
    std::map<int, cMeadowCellView*> m_cells;
    int m_rows = 0;
    int m_columns = 0;
    cMeadowCellView* m_cellPrototype = nullptr;
    Engine::cVector2 m_fieldSize;
    Engine::cVector2 m_origin;
    float m_firstCellDeep = 0;
    float m_cellsDeepStep = 0;
    float m_complexCellsDeepDelta = 0;
    cSelectionSprite* m_selection = nullptr;
    cFieldMotions m_motions{*this};
    std::list<Engine::cVector2> m_prizeCells;
    std::vector<boost::signals2::connection> m_connections;
    bool m_inputLocked = true;
    Engine::cInputHooks m_inputHooks;
    float m_perimeterEffectDelay = 0;
    int m_fig4AroundObjects = 0;
    int m_fig5AroundObjects = 0;
    float m_fig4BouncingDelay = 0;
    float m_fig5BouncingDelay = 0;
    float m_triggerEffectTime = 0;
    bool m_editorMode;
    float m_cellCrashBufferTime = 0;
    float m_soundClock = 0;
    float m_newLevelRowsDelta = 0;
    std::array<Engine::cVector2, 5> m_tipPositions;
    cMeadowObjectView* m_vehicleTipView = nullptr;
    cMeadowObjectView* m_goldTipView = nullptr;
    Engine::cVector2 m_waveIntervals;
    float m_nextWaveTime = 0;
    float m_waveFrontK = 0;
    float m_waveSpeed = 0;
    float m_screenHeight = 768;
    float m_screenWidth = 1024;
    bool m_waveRunning = false;
    Engine::cPanel* m_blinkLine = nullptr;
    Engine::cPyroEffect* m_bombEffect = nullptr;
    float m_arriveEffectTime = 0;
    bool m_arrivalDone = false;
    Engine::cPyroEffect* m_bombFireEffect = nullptr;
    cWaveSprite* m_blastWave = nullptr;
    cCellEffect* m_lightningEffect = nullptr;
    std::vector<Engine::cVector2> m_bombFireOffsets;
    float m_triggerStepStartDelay = 0;
    float m_triggerStepStartDelayDecrease = 0;
    bool m_triggerEffectRunning = false;
    float m_maxMixEffectTime = 0;
    std::vector<std::string> m_woodCrashSounds;
    std::vector<std::string> m_ironCrashSounds;
    std::vector<std::string> m_chainCrashSounds;
    bool m_crashFromSignal = false;
    cTutorialManager* m_tutorial = nullptr;
    std::list<cMeadowCellView*> m_cellArrivals, m_cellReArrivals, m_triggerCells;
    Engine::cVector2 m_triggerOrigin;
    Engine::cVector2 m_triggerDirection;
    int m_triggerNumber = 0;
    int m_legsAtLength = 0;
    int m_legLength = 1;
    int m_legStep = 0;
    std::array<bool, 4> m_edgeHit{};
    float m_triggerStepDelay = 0;
    float m_triggerCountdown = 0;
    cMeadowCellView* m_triggerCellView = nullptr;
    std::vector<cMeadowCellView*> m_triggerQueue;
};
