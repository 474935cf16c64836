#pragma once

// The delivery vehicles of a level beside the board: one vehicle view per vehicle of the model,
// in the model's order. Each frame it drives the active vehicle to its place, stops the ones the
// model blocks and lets a full one leave; it hands the pieces the model sends to a vehicle to that
// vehicle's view. Layout: "Meadow/View/VehiclePanel.xml".

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"
#include "game/level/BoardParts.h"

#include <list>

class cMeadowModel;
class cMeadowObjectView;
class cMeadowView;
class cVehicleModel;
class cVehicleView;

class cVehiclePanel : public Engine::cPanel, public IVehiclePanel {
public:
    // A root panel; the board screen gives the looks and the controller to the views.
    cVehiclePanel(cMeadowView* board, cMeadowModel* model);
    ~cVehiclePanel() override;

    void loadXML(const Engine::IXmlNode* node) override;

    void createVehicleViews();
    // IVehiclePanel
    Engine::cWidget* getWidget() override { return this; }
    void addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* piece) override;
    void update(float unused = 0) override;
    void updateVehicles() override;

    const std::list<cVehicleView*>& getViews() const { return m_views; }
    const Engine::cVector2& getActiveVehiclePos() const { return m_activeVehiclePos; }
    const Engine::cVector2& getStartVehiclePos() const { return m_startVehiclePos; }
    float getFirstDeep() const { return m_firstDeep; }
    float getDeepDelta() const { return m_deepDelta; }

private:
    cMeadowModel* m_model;
    cMeadowView* m_owner;
    Engine::cVector2 m_activeVehiclePos;
    Engine::cVector2 m_startVehiclePos;
    std::list<cVehicleView*> m_views;
    float m_firstDeep = 0;
    float m_deepDelta = 0;
};
