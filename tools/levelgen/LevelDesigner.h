#pragma once

// Designs one level of the game from its number and a seed, along the difficulty curve:
// small boards with wood and iron first, then one and two locks, then triggers and hidden
// cells, then gold prizes and vehicles, then all of them mixed on the largest boards.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct cLevelDraft {
    struct cVehicle {
        bool bonus = false;
        std::vector<std::pair<int32_t, int32_t>> slots; // (level piece 1..5, amount)
    };

    int32_t columns = 0;
    int32_t rows = 0;
    std::vector<std::vector<uint32_t>> cells;  // [row][column] cell codes, row 0 at the bottom
    std::vector<std::vector<int32_t>> objects; // [row][column] level piece 0..5 on locked cells
    std::vector<cVehicle> vehicles;
    int32_t bonusesAmount = 1;

    // The Level element of the levels file.
    std::string toXml() const;
};

class cLevelDesigner {
public:
    static constexpr int32_t LEVEL_COUNT = 100;

    // The draft of level `index` (0-based); each attempt gives another one of the same kind.
    cLevelDraft design(uint32_t seed, int32_t index, int32_t attempt);
};
