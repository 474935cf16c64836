#pragma once

// The view of one board cell: its type's picture (a random variant), the locks on it, the twelve
// border pieces that outline the playing area, the trigger icons, and in the level editor the
// vehicle and gold-prize icons and the trigger numbers. It also runs the cell's own shakes,
// arrivals and freeze after a match. The field view clones one per model cell from its prototype.

#include "engine/gui/FrameButton.h"
#include "engine/gui/InputHooks.h"
#include "game/model/CellView.h"

#include <array>
#include <string>

namespace Engine {
class cLabel;
class cProgressBar;
} // namespace Engine
class cCellModel;
class cCellPart;
class cMeadowView;

class cMeadowCellView : public Engine::cFrameButton, public ICellView {
public:
    static constexpr int BORDER_COUNT = 12;

    explicit cMeadowCellView(Engine::cWidget* parent);
    // Copies the look and the layout values and clones the children; no model, no parent.
    cMeadowCellView(const cMeadowCellView& other);
    ~cMeadowCellView() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;
    // A cell without a look (a hole in play) draws nothing; its border pieces still do.
    void draw() override;

    bool getUserFlag() const { return m_userFlag; }
    void setUserFlag(bool flag) { m_userFlag = flag; }

    // ICellView
    int getRow() override { return m_row; }
    int getColumn() override { return m_column; }
    void setCoordinates(int row, int column) {
        m_row = row;
        m_column = column;
    }

    void setModelObject(cCellModel* cell);
    cCellModel* getModelObject() const { return m_model; }
    void setBoardScreen(cMeadowView* board) { m_board = board; }
    void updateFromModel();
    static std::string getCellVisualStateId(int type);

    void updateBorders();
    void hideBorders();
    void setBordersValue(float value);
    Engine::cProgressBar* getBorder(int side) const { return m_borders[size_t(side)]; }
    float getBorderValue(int side) const;
    void setEffectRenderType(bool on, unsigned renderType);
    void clearIcons();
    void removeIcon(Engine::cPanel*& icon);

    void startCellShake(float angleDegrees, float delay);
    void startRandomShake(bool hideAfter);
    void freezeForDelay();
    void enableTriggerIcon();
    // A copy of the board screen's crush effect of that index, played at the cell.
    void startCrushAnimation(int index);
    // Four copies of the part prototype fly out of the cell's quarters, with the part looks of
    // the model cell's present type (wood or iron: call it before the type drops).
    void spawnParts(bool delayed);

    // The level editor's presses and sweeps over the cell, turned into the controller's clicks.
    void attachEditorInput();
    void detachEditorInput();
    bool isEditorInputAttached() const { return m_editorInput; }
    void onEditorLeftPress();
    void onEditorRightPress();
    void onEditorHover();
    void startArrive(float duration);
    bool stepArrive(float dt);
    void startBorderArrive(float duration);
    bool stepBorderArrive(float dt);

    int getType() const { return m_type; }
    int getLocks() const { return m_locks; }
    const Engine::cVector2& getBaseSize() const { return m_baseSize; }
    Engine::cPanel* getLocksPicture() const { return m_locksPicture; }
    cCellPart* getPartProto() const { return m_partProto; }
    Engine::cPanel* getVehicleIcon() const { return m_vehicleIcon; }
    Engine::cPanel* getGoldIcon() const { return m_goldIcon; }
    Engine::cPanel* getTriggerIcon() const { return m_triggerIcon; }
    Engine::cPanel* getTriggerBaseIcon() const { return m_triggerBaseIcon; }
    Engine::cLabel* getConfigNumber() const { return m_configNumber; }
    Engine::cLabel* getTriggerNumberLabel() const { return m_triggerNumber; }

    static int s_simpleTypes, s_woodTypes, s_ironTypes;

private:
    bool stepScaleIn(float dt);
    void showIcon(Engine::cPanel*& icon, Engine::cPanel* (cMeadowView::*create)());
    void placeChild(Engine::cPanel* child);

    cCellModel* m_model = nullptr;
    cMeadowView* m_board = nullptr;
    int m_type = 0;
    int m_locks = 0;
    int m_row = -1;
    int m_column = -1;
    Engine::cPanel* m_locksPicture = nullptr;
    bool m_shaking = false;
    Engine::cVector2 m_homePosition;
    float m_shakeDuration = 0;
    float m_shakeElapsed = 0;
    float m_shakeAmp = 0;
    float m_shakeOmega = 0;
    float m_shakePhase = 0;
    float m_shakeFading = 0;
    std::array<Engine::cProgressBar*, BORDER_COUNT> m_borders{};
    cCellPart* m_partProto = nullptr;
    bool m_userFlag = false;
    float m_scaleInDuration = 0;
    float m_scaleInTime = 0;
    Engine::cVector2 m_baseSize;
    bool m_randomShake = false;
    bool m_hideAfterShake = false;
    float m_shakeAngle = 0;
    float m_shakeDelay = 0;
    float m_randomShakeTime = 0;
    float m_bordersDuration = 0;
    float m_bordersElapsed = 0;
    Engine::cPanel* m_vehicleIcon = nullptr;
    Engine::cPanel* m_goldIcon = nullptr;
    Engine::cPanel* m_triggerIcon = nullptr;
    Engine::cPanel* m_triggerBaseIcon = nullptr;
    Engine::cLabel* m_configNumber = nullptr;
    Engine::cLabel* m_triggerNumber = nullptr;
    bool m_effectRender = false;
    float m_afterMatchDelay = 0;
    float m_freezeTime = 0;
    float m_arriveTime = 0;
    float m_arriveDuration = 0;
    bool m_editorInput = false;
    Engine::cInputHooks m_editorHooks;
};
