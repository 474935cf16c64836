#pragma once

// Proves that the levels of the levels file can be played and won: each level's layout keeps
// the rules the board relies on, its start board has a move, and a greedy player driving the
// controller wins it within a move budget. The level generator, the tests and the level
// editor use it.

#include <cstdint>
#include <string>
#include <vector>

class cMeadowModel;
struct cLevelInfo;

// What the checker found for one level.
struct cLevelCheckReport {
    int32_t level = -1;
    std::vector<std::string> problems; // empty when the level passes
    std::vector<int32_t> moves;        // the greedy player's moves per seed; -1 when it did not win
    bool passed() const { return problems.empty(); }
};

class cLevelChecker {
public:
    static constexpr int32_t DEFAULT_MOVE_BUDGET = 120;

    // The layout rules of one level record, without a board:
    // - every row has one cell per column, every object code lies in 0..5;
    // - as many vehicle cells as vehicles, and every vehicle wants something;
    // - every locked cell holds a piece, and pieces stand only on real cells;
    // - every awaited trigger has a carrier that can itself be opened;
    // - no gold or vehicle on a hidden cell, a locked cell or a trigger carrier;
    // - every prize can fall to the bottom of its column (no real cell below a hole);
    // - on a level with prizes, a prize resting on a cell with holes on both sides (nowhere
    //   to slide) can come down: that cell and the two below it make a run;
    // - the level has a goal: wood, iron, a lock, a trigger, a gold prize or a vehicle.
    static std::vector<std::string> checkLayout(const cLevelInfo& level);
    // Sets the level up with each seed: the start board has no run, has a move and holds a
    // piece on every open cell.
    static std::vector<std::string> checkStartBoards(cMeadowModel& model, int32_t level,
                                                     const std::vector<uint32_t>& seeds);
    // All of the above, then the greedy player with each seed (it makes its own controller,
    // so no other may exist meanwhile).
    static cLevelCheckReport checkLevel(cMeadowModel& model, int32_t level, const std::vector<uint32_t>& seeds,
                                        int32_t moveBudget = DEFAULT_MOVE_BUDGET);
    // Every level of the model in order.
    static std::vector<cLevelCheckReport> checkAllLevels(cMeadowModel& model, const std::vector<uint32_t>& seeds,
                                                         int32_t moveBudget = DEFAULT_MOVE_BUDGET);
};
