#pragma once

// One level of the levels file as held by the model: size, the cell-code and object-code text
// of every row, its vehicles and its bonus settings.

#include "game/model/VehicleModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct cLevelInfo {
    int32_t rows = 0;
    int32_t columns = 0;
    std::vector<std::wstring> cellTexts;   // one per row, row 0 first
    std::vector<std::wstring> objectTexts; // one per row, row 0 first
    std::vector<std::unique_ptr<cVehicleModel>> vehicles;
    int32_t bonusesAmount = 1;
    bool vehicleAttr = false;
};
