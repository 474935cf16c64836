#pragma once

// Turns what the player does on the board screen into board-model operations and tells the
// board screen what to show: selections and swaps, matches or swap-backs, the move hint, the
// periodic cascade and end-of-level test, bonus effects and the level editor's cell edits. It
// also feeds the awards, plays the numbered match sounds and keeps the per-level counters.

#include "engine/core/Math.h"
#include "engine/core/Singleton.h"
#include "game/model/MeadowFigure.h"

#include <cstdint>
#include <memory>

class cMeadowModel;
class cMeadowObjectModel;
class cUnitsFeature;
class cVehicleModel;
class IAwardManager;
class IBonusEffect;
class ICellView;
class IDevelopmentView;
class ILevelView;
class IPieceView;
class IVehicleView;

class cMeadowController : public Engine::cSingleton<cMeadowController> {
public:
    enum Mode : int32_t {
        PLAY_MODE = 0,
        EDIT_CELLS_MODE = 2,
        EDIT_CELL_LOCKS_MODE = 3,
        EDIT_LOCKED_OBJECTS_MODE = 4,
        EDIT_CELL_VEHICLES_MODE = 5,
        EDIT_CELL_GOLD_PRIZE_MODE = 6,
        EDIT_CELL_TRIGGERS_MODE = 7,
    };

    // The award manager comes from the shell's factory (none: awards are not checked).
    cMeadowController(cMeadowModel* model, IDevelopmentView* developmentView, bool editor);
    ~cMeadowController() override;

    // ---- Property pairs ----
    virtual bool& isLeftButtonHeld() { return m_leftButtonHeld; }
    virtual void setLeftButtonHeld(const bool& value) { m_leftButtonHeld = value; }
    virtual bool& isRightButtonHeld() { return m_rightButtonHeld; }
    virtual void setRightButtonHeld(const bool& value) { m_rightButtonHeld = value; }
    virtual float& getHintDelay() { return m_hintDelay; }
    virtual void setHintDelay(const float& value) { m_hintDelay = value; }
    virtual int32_t& getSeriesFigures() { return m_seriesFigures; }
    virtual void setSeriesFigures(const int32_t& value) { m_seriesFigures = value; }
    virtual bool& isEditor() { return m_editor; }
    virtual void setEditor(const bool& value) { m_editor = value; }
    virtual int32_t& getEditorCellType() { return m_editorCellType; }
    virtual void setEditorCellType(const int32_t& value) { m_editorCellType = value; }
    virtual int32_t& getEditorObjectIndex() { return m_editorObjectIndex; }
    virtual void setEditorObjectIndex(const int32_t& value) { m_editorObjectIndex = value; }
    virtual int32_t& getEditorSlotObject() { return m_editorSlotObject; }
    virtual void setEditorSlotObject(const int32_t& value) { m_editorSlotObject = value; }
    virtual int32_t& getEditorLockCount() { return m_editorLockCount; }
    virtual void setEditorLockCount(const int32_t& value) { m_editorLockCount = value; }
    virtual int32_t& getBonusesUsed() { return m_bonusesUsed; }
    virtual void setBonusesUsed(const int32_t& value) { m_bonusesUsed = value; }
    virtual int32_t& getBlastsUsed() { return m_blastsUsed; }
    virtual void setBlastsUsed(const int32_t& value) { m_blastsUsed = value; }
    virtual int32_t& getLightningsUsed() { return m_lightningsUsed; }
    virtual void setLightningsUsed(const int32_t& value) { m_lightningsUsed = value; }
    virtual int32_t& getPaintedTrigger() { return m_paintedTrigger; }
    virtual void setPaintedTrigger(const int32_t& value) { m_paintedTrigger = value; }
    virtual bool& isLevelFinished() { return m_levelFinished; }
    virtual void setLevelFinished(const bool& value) { m_levelFinished = value; }
    // Completes a won level whose end effect has not run yet; true while the level is won.
    bool completeFinishedLevel();
    virtual int32_t& getSeriesLocksRemoved() { return m_seriesLocksRemoved; }
    virtual void setSeriesLocksRemoved(const int32_t& value) { m_seriesLocksRemoved = value; }
    virtual bool& getSpareFlag1() { return m_spareFlag1; }
    virtual void setSpareFlag1(const bool& value) { m_spareFlag1 = value; }
    virtual bool& getSpareFlag2() { return m_spareFlag2; }
    virtual void setSpareFlag2(const bool& value) { m_spareFlag2 = value; }
    virtual bool& isTriggerHold() { return m_triggerHold; }
    virtual void setTriggerHold(const bool& value) { m_triggerHold = value; }

    // ---- The names the board and editor screens use for the same values ----
    bool isDragging() const { return m_leftButtonHeld; }
    void setDragging(bool value) { m_leftButtonHeld = value; }
    bool isRightButtonDown() const { return m_rightButtonHeld; }
    void setRightButtonDown(bool value) { m_rightButtonHeld = value; }
    int32_t getEditCellType() const { return m_editorCellType; }
    void setEditCellType(int32_t value) { m_editorCellType = value; }
    int32_t getEditCellLocks() const { return m_editorLockCount; }
    void setEditCellLocks(int32_t value) { m_editorLockCount = value; }
    int32_t getEditObjectIndex() const { return m_editorObjectIndex; }
    void setEditObjectIndex(int32_t value) { m_editorObjectIndex = value; }
    int32_t getEditSlotType() const { return m_editorSlotObject; }
    void setEditSlotType(int32_t value) { m_editorSlotObject = value; }
    int32_t getEditTriggerLink() const { return m_paintedTrigger; }
    void setEditTriggerLink(int32_t value) { m_paintedTrigger = value; }
    // What the development screen clears when a level is closed or restarted: the bonuses,
    // blasts and lightnings used on the level, and the level-finished flag.
    void resetLevelState();

    int32_t getMode() const { return m_mode; }
    void setMode(int32_t mode) { m_mode = mode; }
    cMeadowModel* getModel() const { return m_model; }
    ILevelView* getLevelView() const { return m_levelView; }
    void setLevelView(ILevelView* view) { m_levelView = view; }
    IDevelopmentView* getDevelopmentView() const { return m_developmentView; }
    IAwardManager* getAwardManager() const { return m_awardManager.get(); }
    IBonusEffect* getBonusEffect() const { return m_bonusEffect; }
    bool isInputLocked() const { return m_inputLocked; }
    float getHintTimer() const { return m_hintTimer; }
    void resetHintTimer() { m_hintTimer = 0.0f; }
    float getIdleTimer() const { return m_idleTimer; }
    int32_t getMatchSoundNumber() const { return m_matchSoundNumber; }
    int32_t getExtraSoundNumber() const { return m_extraSoundNumber; }
    const Engine::cVector2& getHintFirst() const { return m_hintFirst; }
    const Engine::cVector2& getHintSecond() const { return m_hintSecond; }

    // ---- Play ----
    void objectClicked(IPieceView* view);
    void onExchangeFinished(IPieceView* first, IPieceView* second);
    bool isObjectsInFigures(IPieceView* first, IPieceView* second, tFigureList& figures);
    void processFigures(tFigureList& figures, bool cascade);
    void continueTurn();
    void update(float dt);
    void showHint();
    // The level-end test; when it passes the input is locked and the level marked finished.
    bool checkLevelFinished();
    void onFigureMatched(const cMeadowFigure& figure);
    void playMatchSound();
    void removeObject(IPieceView* view);
    void sendObjectToVehicle(IPieceView* pieceView, IVehicleView* vehicleView);
    void updateSelection(cMeadowObjectModel* first, cMeadowObjectModel* second);

    // ---- Input lock and awards ----
    void setInputLocked(bool locked);
    void lockInput() { setInputLocked(true); }
    void resumeAfterAward();
    bool checkLevelEndAwards();
    void onBlastBonusUsed();
    void onLightningBonusUsed();
    int32_t getMoney();
    void getAwardProgress(int32_t awardType, float& current, float& needed);
    // The current value getAwardProgress gives, while no controller exists (no map open): read
    // from the player's saved counters; 0 for what only a running level has.
    static float getSavedAwardProgress(int32_t awardType);
    void rememberStartLevelMoney();
    // Buys the unit's next level; refused (false) when the money is short of that level's price
    // or when level is given (>= 0) and is not the next one.
    bool selectUnitVariant(int32_t unitIndex, int32_t variant, int32_t level = -1);
    void addAnimalsCareClick();
    void checkUnitsAward(cUnitsFeature* units);

    // ---- Bonus effects ----
    IBonusEffect* createBonusEffect(int32_t type);
    void applyBonusImmediately();
    void updateBonusEffectPosition(ICellView* cell);
    void setBonusEffectPosition(int32_t row, int32_t column);
    void onBonusEffectFinished(bool deleteEffect);
    void releaseBonusEffect(bool deleteEffect);
    void applyBonusAtPosition(const Engine::cVector2& position, IBonusEffect* argument);

    // ---- Level editor ----
    void cellClicked(ICellView* view);
    void addVehicle();
    void removeVehicle(cVehicleModel* vehicle);
    void addVehicleSlot(cVehicleModel* vehicle, int32_t amount);

private:
    // The award manager unless the editor runs.
    IAwardManager* awards() const;
    // Sets a special bonus piece off; true when it went off.
    bool setOffSpecialBonus(cMeadowObjectModel* piece);
    void resetSeries();
    void finishLevelNow();

    cMeadowModel* m_model;
    ILevelView* m_levelView = nullptr;
    IDevelopmentView* m_developmentView;
    bool m_inputLocked = false;
    bool m_leftButtonHeld = false;
    bool m_rightButtonHeld = false;
    float m_hintDelay = 30.0f;
    float m_hintTimer = 0.0f;
    float m_idleTimer = 0.0f;
    int32_t m_armedBonusType = -1;
    bool m_editor;
    int32_t m_mode = PLAY_MODE;
    int32_t m_editorCellType = 1;
    int32_t m_editorLockCount = 0;
    int32_t m_editorObjectIndex = -1;
    int32_t m_editorSlotObject = -1;
    IBonusEffect* m_bonusEffect = nullptr;
    int32_t m_seriesFigures = 0;
    int32_t m_matchSoundNumber = 0;
    int32_t m_extraSoundNumber = 0;
    int32_t m_seriesLocksRemoved = 0;
    Engine::cVector2 m_hintFirst{-1.0f, -1.0f};
    Engine::cVector2 m_hintSecond{-1.0f, -1.0f};
    float m_cascadeCountdown;
    float m_cascadePeriod;
    float m_fallSoundGuard;
    float m_sinceLastMatch = 0.0f;
    float m_seriesBuffer;
    float m_matchSoundTimer = 0.0f;
    std::unique_ptr<IAwardManager> m_awardManager;
    bool m_spareFlag1 = false;
    bool m_spareFlag2 = false;
    int32_t m_bonusesUsed = 0;
    int32_t m_paintedTrigger = 0;
    int32_t m_blastsUsed = 0;
    int32_t m_lightningsUsed = 0;
    bool m_triggerHold = false;
    bool m_levelFinished = false;
    // The finished level was recorded; a board screen that keeps updating does not record it twice.
    bool m_levelCompleted = false;
};
