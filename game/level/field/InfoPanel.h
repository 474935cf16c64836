#pragma once

// The board screen's goal counter: gold prizes taken out of the level's total and vehicles
// served out of the level's total, each beside its icon, on a backing picture chosen by which
// goals the level has.

#include "engine/gui/Panel.h"

namespace Engine {
class cLabel;
}
class cMeadowModel;
class cMeadowView;

class cInfoPanel : public Engine::cPanel {
public:
    // Counts the level's goals, then reads "Meadow/View/InfoPanel.xml".
    explicit cInfoPanel(cMeadowView* board);
    ~cInfoPanel() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void formatProgressCounters();

    Engine::cPanel* getBack() const { return m_back; }
    Engine::cLabel* getVehiclesText() const { return m_vehiclesText; }
    Engine::cLabel* getGoldText() const { return m_goldText; }
    Engine::cPanel* getVehiclesIcon() const { return m_vehiclesIcon; }
    Engine::cPanel* getGoldIcon() const { return m_goldIcon; }

private:
    cMeadowModel* m_model;
    Engine::cPanel* m_back;
    Engine::cLabel* m_vehiclesText = nullptr;
    Engine::cLabel* m_goldText = nullptr;
    Engine::cPanel* m_vehiclesIcon = nullptr;
    Engine::cPanel* m_goldIcon = nullptr;
    int m_vehiclesCount = 0;
    int m_goldCount = 0;
};
