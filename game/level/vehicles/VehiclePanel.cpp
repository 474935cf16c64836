#include "game/level/vehicles/VehiclePanel.h"

#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/level/vehicles/VehicleView.h"
#include "game/model/MeadowModel.h"
#include "game/model/VehiclesFeature.h"

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/VehiclePanel.xml";

} // namespace

cVehiclePanel::cVehiclePanel(cMeadowView* board, cMeadowModel* model)
    : cPanel(nullptr), m_model(model), m_owner(board) {
    loadLayoutFile(*this, LAYOUT);
    createVehicleViews();
}

cVehiclePanel::~cVehiclePanel() = default;

void cVehiclePanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    cLayoutReader::readVector(node, L"active_vehicle_pos", m_activeVehiclePos);
    cLayoutReader::readVector(node, L"start_vehicle_pos", m_startVehiclePos);
    cLayoutReader::readFloat(node, L"first_deep", m_firstDeep);
    cLayoutReader::readFloat(node, L"deep_delta", m_deepDelta);
}

void cVehiclePanel::createVehicleViews() {
    cVehiclesFeature* vehicles = m_model ? m_model->getVehiclesFeature() : nullptr;
    if (!vehicles)
        return;
    const bool allDisabled = m_model->getLevelVehicleAttr();
    bool first = true;
    for (const auto& vehicle : vehicles->getVehicles()) {
        cVehicleView* view = new cVehicleView(this, vehicle.get(), m_owner, false);
        view->setEditorFlag(false);
        view->setPosition(m_startVehiclePos);
        view->update();
        if (!allDisabled && first)
            view->enable();
        else
            view->disable();
        first = false;
        m_views.push_back(view);
    }
}

void cVehiclePanel::addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* piece) {
    for (cVehicleView* view : m_views) {
        if (view->getVehicle() == vehicle) {
            view->addArrivingObject(piece);
            return;
        }
    }
    throw "cVehiclePanel::addFlyingObject(): appropriate vehicle was not found";
}

void cVehiclePanel::update(float) {
    cVehiclesFeature* vehicles = m_model ? m_model->getVehiclesFeature() : nullptr;
    for (auto it = m_views.begin(); it != m_views.end(); ++it) {
        cVehicleView* view = *it;
        cVehicleModel* vehicle = view->getVehicle();
        if (vehicle->isBlocked()) {
            view->stop();
            continue;
        }
        const int state = vehicle->getState();
        if ((state == cVehicleModel::LAUNCHED_FRONT || state == cVehicleModel::TAKING_PIECES) &&
            !(view->getPosition() == m_activeVehiclePos))
            view->move(m_activeVehiclePos.x, m_activeVehiclePos.y, 0, false);
        if (state == cVehicleModel::FULL) {
            m_views.erase(it);
            view->leave();
            return;
        }
        if (state == cVehicleModel::LAUNCHED_BEHIND && vehicles && vehicles->getActiveVehicle() == vehicle) {
            vehicle->setState(cVehicleModel::LAUNCHED_FRONT);
            return;
        }
    }
}

void cVehiclePanel::updateVehicles() {
    if (!m_views.empty() && m_views.front()->getVehicle()->getState() == cVehicleModel::FULL) {
        cVehicleView* view = m_views.front();
        m_views.pop_front();
        view->leave();
    }
    bool first = true;
    for (cVehicleView* view : m_views) {
        view->update();
        if (view->getVehicle()->isBlocked())
            view->stop();
        else if (first && !(view->getPosition() == m_activeVehiclePos))
            view->move(m_activeVehiclePos.x, m_activeVehiclePos.y, 0, false);
        first = false;
    }
}
