#pragma once

// One upgrade of a unit: its level, price in money, the object type it brings into the game,
// its group and what the walking characters say about it.

#include <cstdint>
#include <string>
#include <vector>

struct cUnitUpgrade {
    int32_t level = 0;
    int32_t price = 0;
    int32_t object = -1; // -1: brings no object type
    int32_t group = 0;
    std::wstring name;
    std::wstring description;
    std::wstring primaryPhrase;
    std::wstring regularPhrase;
    std::vector<std::wstring> randomPhrases;
};
