#pragma once

// One entry of "GameResources": a resource (price 0, e.g. money) or a bonus (a price in points
// that its charge must reach before it can be used).

#include <cstdint>
#include <string>

struct cGameResource {
    std::string id;
    int32_t type = -1;
    int32_t objectType = -1;
    int32_t category = -1;
    std::wstring name;
    std::wstring description;
    int32_t price = 0;
    int32_t points = 0;
    int32_t special = 0;
    int32_t byClick = 0;
    int32_t available = 0;
    bool charged = false;
    int32_t uses = 0;
};
