#pragma once

#include "game/model/VehicleViewLink.h"

namespace TestFakes {

class FakeVehicleView : public IVehicleView {
public:
    explicit FakeVehicleView(cVehicleModel* vehicle) : m_vehicle(vehicle) {}

    cVehicleModel* getVehicle() override { return m_vehicle; }

    cVehicleModel* m_vehicle;
};

} // namespace TestFakes
