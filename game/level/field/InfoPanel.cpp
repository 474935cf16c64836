#include "game/level/field/InfoPanel.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "game/level/MeadowView.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehiclesFeature.h"

using namespace Engine;

cInfoPanel::cInfoPanel(cMeadowView* board) : cPanel(board), m_model(board->getModel()), m_back(new cPanel(this)) {
    if (m_model) {
        if (cVehiclesFeature* vehicles = m_model->getVehiclesFeature())
            m_vehiclesCount = vehicles->getLevelVehiclesCount();
        m_goldCount = m_model->getGoldPrizesTotal();
    }
    loadLayoutFile(*this, "Meadow/View/InfoPanel.xml");
}

cInfoPanel::~cInfoPanel() = default;

void cInfoPanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    const char* back = nullptr;
    const char* vehicles = nullptr;
    const char* gold = nullptr;
    const char* vehiclesIcon = nullptr;
    const char* goldIcon = nullptr;
    if (m_vehiclesCount > 0 && m_goldCount > 0) {
        back = "LongBack";
        vehicles = "VehText";
        gold = "GoldText";
        vehiclesIcon = "VehIcon";
        goldIcon = "GoldIcon";
    } else if (m_vehiclesCount > 0) {
        back = "VehicleBack";
        vehicles = "ShortText";
        vehiclesIcon = "ShortVehIcon";
    } else if (m_goldCount > 0) {
        back = "GoldBack";
        gold = "ShortText";
        goldIcon = "ShortGoldIcon";
    }
    // A bare count would not say what it counts.
    const auto icon = [&](const char* name) -> cPanel* {
        IXmlNode* found = nullptr;
        if (!name || !node->findNode(name, found))
            return nullptr;
        auto* panel = new cPanel(this);
        panel->loadXML(found);
        return panel;
    };
    m_vehiclesIcon = icon(vehiclesIcon);
    m_goldIcon = icon(goldIcon);
    IXmlNode* element = nullptr;
    if (back && node->findNode(back, element))
        m_back->loadXML(element);
    if (vehicles) {
        m_vehiclesText = new cLabel(this);
        element = nullptr;
        if (node->findNode(vehicles, element))
            m_vehiclesText->loadXML(element);
    }
    if (gold) {
        m_goldText = new cLabel(this);
        element = nullptr;
        if (node->findNode(gold, element))
            m_goldText->loadXML(element);
    }
}

void cInfoPanel::formatProgressCounters() {
    if (m_goldText)
        m_goldText->setText(std::to_wstring(m_goldCount - m_model->getGoldPrizesLeft()) + L"/" +
                            std::to_wstring(m_goldCount));
    if (m_vehiclesText) {
        const size_t served = m_model->getVehiclesFeature()->getProcessedVehicles().size();
        m_vehiclesText->setText(std::to_wstring(served) + L"/" + std::to_wstring(m_vehiclesCount));
    }
}
