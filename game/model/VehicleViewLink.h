#pragma once

// A vehicle's view beside the board.

class cVehicleModel;

class IVehicleView {
public:
    virtual ~IVehicleView() = default;

    virtual cVehicleModel* getVehicle() = 0;
};
