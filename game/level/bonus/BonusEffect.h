#pragma once

// A bought bonus acting on the board: an icon follows the cursor while the player picks a target
// cell, the work icon shows while the bonus works, and the effect asks the controller to apply
// the bonus to the cells it covers. The bear, cat, chicken and instant effects derive from it.

#include "engine/core/Vector2.h"
#include "engine/gui/Widget.h"
#include "game/model/BonusEffectLink.h"

#include <vector>

namespace Engine {
class cPanel;
}
class cMeadowModel;
class cMeadowView;

class cBonusEffect : public Engine::cWidget, public IBonusEffect {
public:
    // The board screen becomes the widget parent.
    cBonusEffect(cMeadowView* board, cMeadowModel* model, int bonusType);
    ~cBonusEffect() override;

    // The effect widget of the bonus type (chicken 11, 12; bear 31, 32; cat 41; instant 71); none
    // for another type.
    static cBonusEffect* create(cMeadowView* board, cMeadowModel* model, int bonusType);

    void process() override;
    // "IdleIcon" and "WorkIcon" (with "icon_work_time"); both may be missing.
    void loadXML(const Engine::IXmlNode* node) override;

    // IBonusEffect
    int getBonusType() override { return m_bonusType; }
    bool isImmediate() override { return m_immediate; }
    void setImmediate(bool immediate) override { m_immediate = immediate; }
    void setTargetCell(const Engine::cVector2& cell) override { setTargetCell(cell.x, cell.y); }
    Engine::cVector2 getTargetCell() override { return Engine::cVector2(m_targetRow, m_targetColumn); }
    bool canApply() override;
    void apply() override;

    // True when the target changed to a real cell.
    virtual bool setTargetCell(float row, float column);
    virtual void onEffectFinished();

    void showIdleIcon();
    void showWorkIcon();
    void captureTargets();
    void deleteIcons();
    // Whether the (row, column) position is one of the target cells.
    bool isTargetCell(const Engine::cVector2& position) const;

    const std::vector<Engine::cVector2>& getTargetCells() const { return m_targetCells; }
    Engine::cPanel* getIdleIcon() const { return m_idleIcon; }
    Engine::cPanel* getWorkIcon() const { return m_workIcon; }
    float getWorkTime() const { return m_workTime; }
    bool isWorking() const { return m_working; }

protected:
    cMeadowView* m_board;
    cMeadowModel* m_model;
    int m_bonusType;
    float m_targetRow = -1;
    float m_targetColumn = -1;
    std::vector<Engine::cVector2> m_targetCells;
    Engine::cPanel* m_idleIcon = nullptr;
    Engine::cPanel* m_workIcon = nullptr;
    float m_workTime = 0;
    Engine::cVector2 m_workIconOffset;
    bool m_working = false;
    bool m_immediate = false;
};

// The pieces a bonus may take: valid, resting and not a prize.
bool isTakeablePiece(class cMeadowObjectModel* piece);
