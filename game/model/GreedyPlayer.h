#pragma once

// Plays one level by itself, as a player and the board screen would: it clicks swaps through
// the controller, and a board screen without drawing (cQuietLevelView) does to the model what
// the board screen does. Each move is the swap, or the bonus piece on the board set off, that
// clears the most of what still stands between the board and the end of the level. Bought
// bonuses are never used, so a level it wins is a level any player can win.

#include <cstdint>

class cMeadowModel;

class cGreedyPlayer {
public:
    struct cResult {
        bool won = false;
        int32_t moves = 0;    // swaps made
        int32_t shuffles = 0; // boards without a move that were mixed
    };

    // Sets `level` up with the random generator seeded with `seed` and plays at most
    // `moveBudget` moves. It makes its own controller, so no other may exist meanwhile; the
    // shell's services (sounds, statistics, tutorial, awards) are left out while it plays.
    // The level is cleared afterwards, and the player's progress the play touched (money,
    // bonuses, the next level, the types unlocked for it) is put back.
    static cResult play(cMeadowModel& model, int32_t level, uint32_t seed, int32_t moveBudget);
    // The move this player would make on the board as it stands, as the row and column of both
    // pieces to swap, or twice those of the bonus piece to set off (click it twice); false when
    // no move is left. For players that act through the board screen.
    static bool chooseMove(cMeadowModel& model, int32_t& row1, int32_t& column1, int32_t& row2, int32_t& column2);
};
