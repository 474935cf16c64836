#pragma once

// The match-3 board without drawing: the grids of cells and pieces, the piece pool, what the
// model description and the levels file say, the level's type lists and triggers, the
// vehicles, units and level achievements, and the signals through which the level screen
// hears special events. The development screen owns one while it is open; there is no global
// instance.

#include "engine/core/Math.h"
#include "game/model/CellModel.h"
#include "game/model/FallGrid.h"
#include "game/model/GameResource.h"
#include "game/model/LevelAchievements.h"
#include "game/model/LevelInfo.h"
#include "game/model/MatchGrid.h"
#include "game/model/MeadowFigure.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/MeadowObjectPool.h"
#include "game/model/SignalMember.h"
#include "game/model/UnitsFeature.h"
#include "game/model/VehiclesFeature.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Engine {
class IDataStream;
class IXmlNode;
class cProfileManager;
} // namespace Engine

class cMeadowModel {
public:
    static constexpr int32_t CATEGORY_COUNT = 12;
    static constexpr int32_t TRIGGER_COUNT = 256;
    // Largest board side a level save or the editor may make; the levels file reader allows the same.
    // The board screen keys its cells by row and column in one number, 256 columns to a row.
    static constexpr int32_t MAX_BOARD_SIDE = 256;
    static constexpr const char* MODEL_FILE = "Meadow/Model/GameModel.xml";
    // The editor writes the levels file back where the game reads it.
    static constexpr const char* LEVELS_FILE = "Meadow/Model/GameLevels.xml";

    // Reads "Meadow/Model/GameModel.xml" and "Meadow/Model/GameLevels.xml" through the
    // resource manager.
    cMeadowModel();
    // Reads the given root elements of the two files instead.
    cMeadowModel(Engine::IXmlNode* modelRoot, Engine::IXmlNode* levelsRoot);
    virtual ~cMeadowModel();
    cMeadowModel(const cMeadowModel&) = delete;
    cMeadowModel& operator=(const cMeadowModel&) = delete;

    // ---- Property pairs ----
    virtual bool& isBoardChanged() { return m_boardChanged; }
    virtual void setBoardChanged(const bool& value) { m_boardChanged = value; }
    virtual int32_t& getCurrentLevel() { return m_currentLevel; }
    virtual void setCurrentLevel(const int32_t& value) { m_currentLevel = value; }
    virtual int32_t& getCurrentGroup() { return m_currentGroup; }
    virtual void setCurrentGroup(const int32_t& value) { m_currentGroup = value; }
    virtual bool& isEditorMode() { return m_editorMode; }
    virtual void setEditorMode(const bool& value) { m_editorMode = value; }
    virtual bool& getFlag5() { return m_flag5; }
    virtual void setFlag5(const bool& value) { m_flag5 = value; }
    virtual bool& isRandomLevel() { return m_randomLevel; }
    virtual void setRandomLevel(const bool& value) { m_randomLevel = value; }
    virtual bool& isFinished() { return m_finished; }
    virtual void setFinished(const bool& value) { m_finished = value; }
    virtual int32_t& getGoldPrizesTotal() { return m_goldPrizesTotal; }
    virtual void setGoldPrizesTotal(const int32_t& value) { m_goldPrizesTotal = value; }
    virtual int32_t& getGoldPrizesLeft() { return m_goldPrizesLeft; }
    virtual void setGoldPrizesLeft(const int32_t& value) { m_goldPrizesLeft = value; }
    virtual int32_t& getAnimalsCare() { return m_animalsCare; }
    virtual void setAnimalsCare(const int32_t& value) { m_animalsCare = value; }

    // ---- The model as a whole ----
    // True when the level is over (finished raised, or nothing left to clear or deliver).
    bool isGameFinished();
    // Bookkeeping when a level is won: achievements and the next level.
    void completeLevel();
    void incMatchedObjects() { ++m_matchedObjects; }
    int32_t getConstantOne() const { return 1; }

    int32_t getMatchedObjects() const { return m_matchedObjects; }
    void setMatchedObjects(int32_t value) { m_matchedObjects = value; }
    int32_t getNextAvailableLevel() const { return m_nextAvailableLevel; }
    void setNextAvailableLevel(int32_t value) { m_nextAvailableLevel = value; }
    int32_t getLevelCount() const { return int32_t(m_levels.size()); }
    std::vector<cLevelInfo>& getLevels() { return m_levels; }
    // The record of the current level; none when no level is current.
    cLevelInfo* getCurrentLevelInfo();
    bool isNoMoveReported() const { return m_noMoveReported; }
    void setNoMoveReported(bool value) { m_noMoveReported = value; }

    cUnitsFeature* getUnitsFeature() const { return m_units.get(); }
    cVehiclesFeature* getVehiclesFeature() const { return m_vehicles.get(); }
    float getVehicleMoneyParam() const { return m_vehicleMoneyParam; }
    cLevelAchievements* getLevelAchievements() const { return m_achievements.get(); }

    // ---- Model description (GameModel.xml) ----
    void loadModelSettings(Engine::IXmlNode* root);
    void loadModelResources(Engine::IXmlNode* root);
    void loadModelObjectTypes(Engine::IXmlNode* root);
    // Reads every level record of the levels file's root element.
    void loadAllLevels(Engine::IXmlNode* root);

    // ---- Type lists and random draws ----
    int32_t getRandomAllowedType() const;
    int32_t getRandomLevelType() const;
    bool isLevelType(int32_t type) const;
    bool isLevelTypeListFull() const { return int32_t(m_levelTypes.size()) >= m_maxObjectsOnLevel; }
    // Adds a level type and marks its colour group taken.
    void takeLevelType(std::vector<bool>& groupFlags, int32_t type) {
        m_levelTypes.push_back(type);
        setColourGroupFlag(groupFlags, type);
    }
    int32_t getTypeCategory(int32_t type) const;
    // The type's colour group; -1 for a type "GameObjects" does not list.
    int32_t getColourGroup(int32_t type) const;
    // Sets the flag of the type's colour group when that group is among the flags.
    void setColourGroupFlag(std::vector<bool>& flags, int32_t type) const;
    bool isColourGroupFlagSet(const std::vector<bool>& flags, int32_t type) const;
    int32_t getOrdinaryTypeCount() const { return int32_t(getTypesOfCategory(1).size()); }
    const std::vector<int32_t>& getTypesOfCategory(int32_t category) const;
    std::vector<int32_t>& getAllowedTypes() { return m_allowedTypes; }
    std::vector<int32_t>& getLevelTypes() { return m_levelTypes; }
    std::vector<int32_t>& getUnlockedTypes() { return m_unlockedTypes; }
    std::vector<int32_t>& getLevelBonusTypes() { return m_levelBonusTypes; }
    std::vector<int32_t>& getLevelObjectTypes() { return m_levelObjectTypes; }
    // (money, bonus_points) of the rule for type and amount; none when no such rule exists.
    const std::pair<int32_t, int32_t>* findTransformationRule(int32_t type, int32_t amount) const;
    static std::string makeRuleKey(int32_t type, int32_t amount);

    // ---- Resources and bonuses ----
    std::vector<cGameResource*>& getResources() { return m_resources; }
    std::vector<cGameResource*>& getBonuses() { return m_bonuses; }
    void addResourcePoints(int32_t type, int32_t amount);
    int32_t getResourcePoints(int32_t type) const;
    void resetResourcePoints();
    void addBonus(int32_t type);
    void addBonusPoints(int32_t type, int32_t points);
    // Spends a charged bonus: points − price, uses + 1.
    bool useBonus(int32_t type);
    bool payForBonus(int32_t type) { return useBonus(type); }
    cGameResource* getBonus(int32_t type) const;
    bool isBonusType(int32_t type) const;
    int32_t getBonusTypeForObjectType(int32_t objectType) const;
    bool isBonusObjectType(int32_t objectType) const { return getBonusTypeForObjectType(objectType) != -1; }
    int32_t getObjectTypeForResource(int32_t type) const;
    // The bonuses the level offers, one per category.
    std::vector<cGameResource*> getAvailableBonuses() const;
    // The bonus a delivered vehicle brings, fully charged; none when there is no candidate.
    cGameResource* chooseVehicleBonus();

    // ---- Triggers ----
    bool isTriggerFired(int32_t trigger) const;
    std::vector<int32_t>& getFiredTriggers() { return m_firedTriggers; }
    std::vector<int32_t>& getTriggerTable() { return m_triggerTable; }
    std::vector<cCellModel*>& getComplexCells() { return m_complexCells; }

    // ---- Grids and pieces ----
    // Drops the board and makes an empty one: both grids sized rows × columns without cells
    // or pieces, and a new piece pool with a batch of rows × columns.
    void createBoard(int32_t rows, int32_t columns);
    // Deletes the pool with its pieces and every cell, empties the grids and the selection.
    void destroyBoard();
    // A new cell of every field 0 unpacked from a level code; throws when one is there.
    cCellModel* createCell(int32_t row, int32_t column, uint32_t code);
    int32_t getRows() const { return m_rows; }
    int32_t getColumns() const { return m_columns; }
    // (columns, rows)
    Engine::cVector2 getBoardSize() const { return Engine::cVector2(float(m_columns), float(m_rows)); }
    cMeadowObjectPool* getObjectPool() const { return m_pool.get(); }

    cCellModel* getCell(int32_t row, int32_t column) const;
    cMeadowObjectModel* getObject(int32_t row, int32_t column) const {
        if (uint32_t(row) >= m_objects.size() || uint32_t(column) >= m_objects[size_t(row)].size())
            return nullptr;
        return m_objects[size_t(row)][size_t(column)];
    }
    void setObject(int32_t row, int32_t column, cMeadowObjectModel* piece);
    // Both removals also take the piece out of the selection and the previous selection.
    void removeObjectFromGrid(cMeadowObjectModel* piece);
    void releaseObject(cMeadowObjectModel* piece);
    void removeObjectAt(int32_t row, int32_t column);
    cMeadowObjectModel* createObjectAt(int32_t row, int32_t column);
    cMeadowObjectModel* cloneObjectAt(const Engine::cVector2& position, cMeadowObjectModel* source);
    // A fresh copy of the piece at the piece's own position (the screens' name for it).
    cMeadowObjectModel* cloneObjectAt(cMeadowObjectModel* source);
    bool isCellBlocked(int32_t row, int32_t column) const;
    // Cells call this when they change; so do the changes of the cells grid.
    void markCellsChanged() { m_fallGrid.invalidate(); }
    bool isLockedCell(int32_t row, int32_t column) const;
    int32_t getCellType(int32_t row, int32_t column) const;
    void setCellType(int32_t row, int32_t column, int32_t type);
    int32_t getCellLocks(int32_t row, int32_t column) const;
    void setCellLocks(int32_t row, int32_t column, int32_t locks);
    int32_t countVehicleCells() const;
    std::vector<cMeadowObjectModel*> getObjectList(bool all) const;
    void getFreeObjects(std::vector<cMeadowObjectModel*>& out) const;
    void collectNeighbours(const Engine::cVector2& position, std::vector<cMeadowObjectModel*>& out) const;
    void collectNeighbourCells(const Engine::cVector2& position, std::vector<cCellModel*>& out) const;
    std::vector<Engine::cVector2> getComplexCellsInSquare(int32_t firstRow, int32_t firstColumn, int32_t size) const;
    bool hasFreeSpaceBelow(cMeadowObjectModel* piece) const;
    void resetObjectStates();
    void setAllFalling();
    bool hasBusyObject() const;
    void resetMatchCounts();

    // Working lists of the start fill and the rearrangement, and the hint rotation.
    std::vector<cMeadowObjectModel*>& getNewObjects() { return m_newObjects; }
    std::vector<int32_t>& getVariantCounters() { return m_variantCounters; }
    int32_t getHintIndex() const { return m_hintIndex; }
    void setHintIndex(int32_t value) { m_hintIndex = value; }

    cMeadowObjectModel* getSelected() const { return m_selected; }
    cMeadowObjectModel* getPreviousSelected() const { return m_previousSelected; }
    // Selection bookkeeping for the rules: the current piece and the one before it.
    void setSelectionPointers(cMeadowObjectModel* selected, cMeadowObjectModel* previous) {
        m_selected = selected;
        m_previousSelected = previous;
    }

    // ---- Selection, swap, matches and the move search ----
    // Selects the piece and answers the piece selected before; none throws.
    cMeadowObjectModel* setSelected(cMeadowObjectModel* piece);
    bool isNeighbour(cMeadowObjectModel* a, cMeadowObjectModel* b) const;
    bool swapObjects(cMeadowObjectModel* a, cMeadowObjectModel* b);
    void swapInGrid(cMeadowObjectModel* a, cMeadowObjectModel* b);
    // True when the board holds a run of three; leaves every piece's pair counts set.
    bool hasMatches();
    // A swap that makes a run: the next one in scan order each call (the hint). The
    // positions are written only when a move was found on a board at rest.
    bool findPossibleMove(Engine::cVector2& first, Engine::cVector2& second);
    // The runs counted by the last hasMatches: row figures, then column figures.
    tFigureList collectFigures();
    // Start board: every piece of every run gets another random level type.
    void destroyFigures();

    // ---- Transformation rules and level types ----
    int32_t applyTransformationRules(cMeadowFigure& figure);
    void payFigures(tFigureList& figures);
    void addBonusPointsForObject(cMeadowObjectModel* piece);
    void addLevelBonusType(int32_t type);
    void addLevelObjectType(int32_t type);
    void defineLevelTypesFromChoices(std::vector<bool>& groupFlags);
    void addRandomLevelBonus(std::vector<bool>& groupFlags);
    void addUnitTypesToAllowed();
    void takeUnlockedTypes(std::vector<bool>& groupFlags);
    bool pruneUnlockedTypes();

    // ---- Falling, refill, start board and rearrangement ----
    void checkAfterMove();
    void dropObjects();
    bool isSourceCell(int32_t row, int32_t column, bool occupied) const;
    bool isColumnSettled(int32_t column) const;
    // The same over the cells as read at the start of a fall pass.
    bool isSourceCell(const cFallGrid& grid, int32_t row, int32_t column, bool occupied) const;
    bool isColumnSettled(const cFallGrid& grid, int32_t column) const;
    void generateStartBoard();
    void fillEmptyCells(bool keepCategory10);
    void fillEmptyCellsDiagonal(bool keepCategory10);
    bool rearrangeBoard();
    bool rearrangeFreePieces();
    bool advanceVariant();
    int32_t getNextEmptyType(int32_t type) const;
    bool mixObjects();

    // ---- Triggers, prize cells and pass-down ----
    int32_t getNextTriggerNumber() const;
    void useTriggerNumber(int32_t number);
    void freeTriggerNumber(int32_t number);
    void showHiddenObjects(int32_t trigger);
    // Fires the first trigger on or beside a destroyed piece's position and answers where it
    // was; (-1, -1) when none.
    Engine::cVector2 getNeighbourPositions(const Engine::cVector2& position);
    void convertPrizeCell(cMeadowObjectModel* piece, cCellModel* cell);
    void convertPrizeCells();
    void testPassDownObjects();
    void passDownObjects() { testPassDownObjects(); }
    void clearTransientCellFlags();
    int32_t getVehicleObjectType() const { return cMeadowObjectModel::VEHICLE_OBJECT_TYPE; }
    int32_t getGoldPrizeObjectType() const { return cMeadowObjectModel::GOLD_PRIZE_OBJECT_TYPE; }

    // ---- Levels file, level set-up and editor geometry ----
    // Sets level `level` up on the board, from its record or, with a stream, from a level save.
    void loadLevel(int32_t level, Engine::IDataStream* stream = nullptr);
    void defineLevelObjects(bool fromSave);
    void collectSavedLevelTypes(std::vector<bool>& groupFlags, int32_t& count);
    void parseCells(int32_t row, const std::string& text);
    void parseObjects(int32_t row, const std::string& text);
    void convertIndeciesToTypes();
    // Folds the live board back into the level's record (level editor).
    void updateLevelInfo(int32_t level);
    // The levels file as the editor writes it.
    std::wstring buildLevelsXml();
    void writeLevelsXml();
    void clearLevel();
    int32_t getNextLevelNumber();
    void decNextAvailableLevel();
    void setLevelBonusesAmount(int32_t amount);
    bool getLevelVehicleAttr();
    void addRow();
    void removeLastRow();
    void addColumn();
    void removeLastColumn();

    // ---- Level save and profile progress ----
    void save(Engine::IDataStream& stream);
    // Reads a level save; nothing changes unless the whole save is sound.
    void load(Engine::IDataStream& stream);
    void saveProgressToProfile(bool hasBinarySave);
    // The screens' form; the property tables are always the current profile's.
    void saveProgressToProfile(Engine::cProfileManager*, bool hasBinarySave) { saveProgressToProfile(hasBinarySave); }
    void loadProgressFromProfile();
    // The profile's "Int" value of key, or fallback when there is none. A value outside
    // [low, high] (a profile edited by hand or written by another version) becomes the nearest
    // bound, and the log says so.
    static int32_t readProfileInt(const std::string& key, int32_t fallback, int32_t low, int32_t high);
    // Room for counters read from the profile to go on counting without overflow.
    static constexpr int32_t PROFILE_COUNTER_MAX = 0x3FFFFFFF;

    // ---- Settings of the model description (public values) ----
    int32_t m_maxObjectsOnLevel = 0;
    int32_t m_maxBonusesOnLevel = 0;
    int32_t m_maxVehicleSlots = 0;
    float m_movesMultiplier = 0.0f;
    int32_t m_maxHelpMoves = 10;
    int32_t m_colorGroupsAmount = 0;
    float m_updateTime = 0.5f; // when the description leaves it out
    float m_fallObjSoundDelay = 0.0f;
    float m_comboSoundDelay = 0.0f;
    float m_seriaBufferTime = 0.0f;
    int32_t m_superCombo = 0;
    int32_t m_ultraCombo = 0;
    float m_vehicleMoneyParam = 0.0f;
    int32_t m_animalsCareClicks = 0;
    int32_t m_blastedBonusPrice = 0;
    int32_t m_randomLevelsStartNumber = 0;

    // ---- Signals to the level screen ----
    cSignalMember<void(const Engine::cVector2&, const int32_t&)> m_pointsEarnedSignal;
    cSignalMember<void(cMeadowObjectModel*, bool)> m_blastBonusSignal;
    cSignalMember<void(cMeadowObjectModel*, bool)> m_lightningBonusSignal;
    cSignalMember<void(cCellModel*)> m_cellBlastedSignal;
    cSignalMember<void(cCellModel*)> m_cellLightningSignal;
    cSignalMember<void(cMeadowObjectModel*)> m_hiddenObjectShownSignal;
    cSignalMember<void(cMeadowObjectModel*)> m_unusedObjectSignal;
    cSignalMember<void(cMeadowObjectModel*)> m_objectPassedDownSignal;
    cSignalMember<void(int32_t, int32_t)> m_prizeCellSignal;
    cSignalMember<void(int32_t, int32_t)> m_unusedCellSignal;
    cSignalMember<void()> m_noMovesSignal;

private:
    void createFeatures();
    cCellModel* requireCell(int32_t row, int32_t column, const char* operation) const;
    // "row, column", as the error messages name a position.
    static std::string positionText(int32_t row, int32_t column);
    // A piece from the pool, at rest and of the given type, put at (row, column).
    cMeadowObjectModel* placeNewPiece(int32_t row, int32_t column, int32_t type);
    // The fall grid, read again from the cells when they or the fired triggers changed.
    const cFallGrid& readFallGrid() const;
    bool isOnBoard(int32_t row, int32_t column) const {
        return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
    }

    int32_t m_currentLevel = -1;
    int32_t m_rows = 0;
    int32_t m_columns = 0;
    std::vector<std::vector<cMeadowObjectModel*>> m_objects;
    std::unique_ptr<cMeadowObjectPool> m_pool;
    std::map<int32_t, int32_t> m_typeCategories;
    std::vector<std::vector<int32_t>> m_typesByCategory;
    cMeadowObjectModel* m_selected = nullptr;
    cMeadowObjectModel* m_previousSelected = nullptr;
    std::vector<cMeadowObjectModel*> m_newObjects;
    std::vector<int32_t> m_variantCounters;
    std::vector<std::vector<std::unique_ptr<cCellModel>>> m_cells;
    bool m_boardChanged = false;
    std::vector<cGameResource*> m_resources;
    std::vector<cGameResource*> m_bonuses;
    std::vector<std::unique_ptr<cGameResource>> m_resourceRecords; // owns every record read
    std::map<std::string, std::pair<int32_t, int32_t>> m_transformationRules;
    int32_t m_nextAvailableLevel = 0;
    bool m_editorMode = false;
    std::vector<cLevelInfo> m_levels;
    std::vector<int32_t> m_allowedTypes;
    std::vector<int32_t> m_levelTypes;
    int32_t m_currentGroup = 0;
    std::vector<int32_t> m_unlockedTypes;
    bool m_flag5 = true;
    std::vector<int32_t> m_levelBonusTypes;
    std::vector<int32_t> m_levelObjectTypes;
    std::unique_ptr<cLevelAchievements> m_achievements;
    int32_t m_hintIndex = 0;
    std::map<int32_t, int32_t> m_colourGroups;
    bool m_randomLevel = false;
    std::vector<int32_t> m_triggerTable;
    std::vector<int32_t> m_firedTriggers;
    bool m_finished = false;
    std::unique_ptr<cUnitsFeature> m_units;
    int32_t m_animalsCare = 0;
    std::unique_ptr<cVehiclesFeature> m_vehicles;
    int32_t m_goldPrizesTotal = 0;
    int32_t m_goldPrizesLeft = 0;
    int32_t m_matchedObjects = 0;
    std::vector<cCellModel*> m_complexCells;
    bool m_noMoveReported = false;
    cMatchGrid m_matchGrid;
    mutable cFallGrid m_fallGrid;
};
