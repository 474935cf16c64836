#pragma once

// The lightning: the cells along the row or the column of the lightning cell light up up to the
// first disabled cell, sparks play on them and a beam stretches both ways from the cell. The field
// view keeps a hidden prototype made from the "LightningEffect" element of
// "Meadow/View/FieldView.xml" and starts a copy per lightning.

#include "engine/gui/Widget.h"

#include <vector>

namespace Engine {
class cPanel;
class cPyroEffect;
} // namespace Engine
class cMeadowCellView;
class cMeadowFieldView;
class cMeadowModel;

class cCellEffect : public Engine::cWidget {
public:
    static constexpr unsigned LIT_RENDER_TYPE = 4;
    static constexpr unsigned TOUCHED_RENDER_TYPE = 16;

    // The prototype, a root widget.
    cCellEffect(cMeadowFieldView* field, cMeadowModel* model);
    // A root copy with copies of the core, the spark and both beams.
    cCellEffect(const cCellEffect& other);
    ~cCellEffect() override;

    void process() override;
    // The widget keys, "time", "EffectCore", "EffectCell" and "AnimPic".
    void loadXML(const Engine::IXmlNode* node) override;

    // Tag 202 lights the row, 203 the column.
    void start(cMeadowCellView* centre, int tag);

    bool isActive() const { return m_active; }
    float getTime() const { return m_time; }
    float getTimer() const { return m_timer; }
    float getHalfBeam() const { return m_halfBeam; }
    Engine::cPyroEffect* getCore() const { return m_core; }
    Engine::cPyroEffect* getCellSpark() const { return m_cellSpark; }
    Engine::cPanel* getBeamA() const { return m_beamA; }
    Engine::cPanel* getBeamB() const { return m_beamB; }
    const std::vector<cMeadowCellView*>& getLitCells() const { return m_litCells; }
    const std::vector<cMeadowCellView*>& getTouchedCells() const { return m_touchedCells; }

private:
    void collectCells(int tag);
    void walk(int row, int column, int rowStep, int columnStep);

    bool m_active = false;
    float m_time = 0;
    float m_timer = 0;
    Engine::cPyroEffect* m_core;
    Engine::cPyroEffect* m_cellSpark;
    Engine::cPanel* m_beamA;
    Engine::cPanel* m_beamB;
    cMeadowFieldView* m_field;
    cMeadowModel* m_model;
    std::vector<cMeadowCellView*> m_litCells;
    std::vector<cMeadowCellView*> m_touchedCells;
    cMeadowCellView* m_centre = nullptr;
    float m_halfBeam = 0;
};
