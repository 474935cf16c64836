#pragma once

// Bonus pieces going off: a blast hits the eight cells around the piece, a lightning runs
// along its row, its column or both; a bonus piece that is hit goes off in turn.

class cMeadowModel;
class cMeadowObjectModel;

class cSpecialBonusesFeature {
public:
    // Sets the piece off when it carries a bonus tag; true when it went off. A piece already
    // going off (blasted or being destroyed) does not go off again.
    static bool testObject(cMeadowModel* model, cMeadowObjectModel* piece);
};
