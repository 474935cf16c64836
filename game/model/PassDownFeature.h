#pragma once

// Payment for a prize piece that left the board at the bottom.

#include <cstdint>

class cMeadowModel;

class cPassDownFeature {
public:
    // Pays the rule "<type>_1" in money (a gold prize also counts in the level's gold
    // achievement) and answers the money; a missing rule throws.
    static int32_t payForObject(cMeadowModel* model, int32_t type);
};
