#pragma once

// The board of one level as the board screen draws it: one cell view per model cell on a square
// grid around "center_position", the cell, selection and effect prototypes read from
// "Meadow/View/FieldView.xml", the depths of the cells and the refresh operations. Motions,
// model signals and level effects join it in later steps.

#include "engine/core/Vector2.h"
#include "engine/gui/Background.h"

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
class ITutorialManager;
namespace Engine {
class cPanel;
class cPyroEffect;
} // namespace Engine

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
    Engine::cVector2 getCellPosition(int row, int column) const;
    Engine::cVector2 getCellPositionOfView(cMeadowObjectView* view) const;
    bool hasNeighbourCell(int side, int row, int column) const;
    // A new copy of the "BombFireEffect" prototype; the caller owns it.
    Engine::cPyroEffect* copyBombFireEffect() const;
    const Engine::cVector2& getBombFireOffset(size_t index) const;
    size_t getBombFireOffsetCount() const { return m_bombFireOffsets.size(); }
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
    cMeadowController* getController() const { return m_controller; }
    bool isEditorMode() const { return m_editorMode; }

private:
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
    // The motion lists; filled by the motions, which land later.
    std::list<cMeadowObjectView*> m_exchangeList, m_swapBackList, m_destroyList, m_appearList, m_descendList,
        m_crashList, m_captureList, m_mixList, m_bounceList, m_fallList, m_landList;
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
    std::vector<Engine::cVector2> m_bombFireOffsets;
    float m_triggerStepStartDelay = 0;
    float m_triggerStepStartDelayDecrease = 0;
    bool m_triggerEffectRunning = false;
    float m_maxMixEffectTime = 0;
    std::vector<std::string> m_woodCrashSounds;
    std::vector<std::string> m_ironCrashSounds;
    std::vector<std::string> m_chainCrashSounds;
    bool m_crashFromSignal = false;
    ITutorialManager* m_tutorial = nullptr;
};
