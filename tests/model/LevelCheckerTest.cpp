// The level checker passes every shipped level and names the rule a broken level breaks.

#include "game/model/LevelChecker.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ShippedModel.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

// Seeds the tests play every shipped level with (the level generator proves these and more).
const std::vector<uint32_t> kSeeds = {1, 2, 3};

TEST(LevelChecker, EveryShippedLevelIsWonWithEverySeed) {
    auto model = TestShipped::makeModel();
    const std::vector<cLevelCheckReport> reports = cLevelChecker::checkAllLevels(*model, kSeeds);
    ASSERT_EQ(reports.size(), 100u);
    std::string table;
    for (const cLevelCheckReport& report : reports) {
        for (const std::string& problem : report.problems)
            ADD_FAILURE() << "level " << report.level + 1 << ": " << problem;
        table += "level " + std::to_string(report.level + 1) + ":";
        for (int32_t moves : report.moves)
            table += " " + std::to_string(moves);
        table += "\n";
    }
    // The moves each level took, to tune the curve.
    std::cout << table;
}

// A 6 × 6 level of plain cells, row 0 (the bottom) first, with the cells changed as given.
std::string levelXml(const std::map<std::pair<int, int>, uint32_t>& cells,
                     const std::map<std::pair<int, int>, int>& objects = {}, const std::string& vehicles = "",
                     int rows = 6, int columns = 6) {
    std::string xml = "<Levels><Level size=\"" + std::to_string(columns) + " " + std::to_string(rows) + "\"><Rows>";
    for (int r = 0; r < rows; ++r) {
        std::string cellText, objectText;
        for (int c = 0; c < columns; ++c) {
            auto cell = cells.find({r, c});
            auto object = objects.find({r, c});
            const std::string sep = c ? "_" : "";
            cellText += sep + std::to_string(cell == cells.end() ? 1u : cell->second);
            objectText += sep + std::to_string(object == objects.end() ? 0 : object->second);
        }
        xml += "<Row cells=\"" + cellText + "\" objects=\"" + objectText + "\"/>";
    }
    return xml + "</Rows><Vehicles>" + vehicles + "</Vehicles></Level></Levels>";
}

const uint32_t WOOD = 2, LOCKED = 1 + 16, VEHICLE = 1 + 256, GOLD = 1 + 512;
uint32_t carries(uint32_t trigger, uint32_t awaited = 0) {
    return 1 + 65536 * trigger + 16777216 * awaited;
}
uint32_t waitsFor(uint32_t trigger, uint32_t code = 1) {
    return code + 16777216 * trigger;
}

struct cBrokenLevel {
    const char* rule;
    std::string levelsXml;
    const char* problem; // a part of the problem the checker must name
};

TEST(LevelChecker, NamesTheRuleEachBrokenLevelBreaks) {
    const std::string slot = "<Slot object=\"1\" amount=\"3\"/>";
    const std::vector<cBrokenLevel> cases = {
        {"vehicle cells equal vehicles", levelXml({{{5, 2}, VEHICLE}}), "1 vehicle cells for 0 vehicles"},
        {"every vehicle has a slot", levelXml({{{5, 2}, VEHICLE}}, {}, "<Vehicle money=\"0\" has_bonus=\"0\"/>"),
         "vehicle 0 has no slot"},
        {"a locked cell holds a piece", levelXml({{{0, 0}, LOCKED}}), "locked cell (0, 0) holds no piece"},
        {"pieces only on real cells", levelXml({{{0, 0}, 0}, {{2, 2}, WOOD}}, {{{0, 0}, 1}}),
         "a piece stands on no cell at (0, 0)"},
        {"an awaited trigger has a carrier", levelXml({{{5, 0}, waitsFor(3)}, {{2, 2}, WOOD}}),
         "trigger 3 is awaited but no cell carries it"},
        {"a carrier can open", levelXml({{{2, 1}, carries(1, 2)}, {{2, 4}, carries(2, 1)}}), "can never open"},
        {"no gold on a hidden cell", levelXml({{{2, 2}, carries(1)}, {{5, 2}, waitsFor(1, GOLD)}}),
         "gold prize on hidden cell (5, 2)"},
        {"no vehicle on a hidden cell",
         levelXml({{{2, 2}, carries(1)}, {{5, 2}, waitsFor(1, VEHICLE)}}, {},
                  "<Vehicle money=\"0\" has_bonus=\"0\">" + slot + "</Vehicle>"),
         "vehicle on hidden cell (5, 2)"},
        {"a prize reaches the bottom", levelXml({{{1, 2}, 0}, {{5, 2}, GOLD}}), "cannot reach the bottom"},
        {"a level has a goal", levelXml({}), "the level has no goal"},
        {"a row has every cell",
         "<Levels><Level size=\"3 3\"><Rows><Row cells=\"2_1\" objects=\"0_0\"/><Row cells=\"1_1_1\"/>"
         "<Row cells=\"1_1_1\"/></Rows></Level></Levels>",
         "row 0 does not have one cell code per column"},
        {"a start board has a move", levelXml({{{0, 0}, WOOD}}, {}, "", 2, 2), "seed 1: "},
        // Nothing falls or slides through three locks in a row: the cell below the middle one
        // starts as a hole.
        {"a start board has no hole",
         levelXml({{{3, 1}, LOCKED}, {{3, 2}, LOCKED}, {{3, 3}, LOCKED}}, {{{3, 1}, 1}, {{3, 2}, 2}, {{3, 3}, 3}}),
         "the start board leaves open cell (2, 2) empty"},
        // A prize that slides onto a bottom cell between two holes rests there for good: no
        // run takes that cell while the prize stands on it.
        {"a prize never rests where no run reaches",
         levelXml({{{5, 2}, GOLD}, {{0, 0}, 0}, {{0, 2}, 0}, {{2, 2}, WOOD}}), "a prize resting on (0, 1) never"},
        // A wood cell walled in by holes can never be matched.
        {"the greedy player wins", levelXml({{{0, 0}, WOOD}, {{0, 1}, 0}, {{1, 0}, 0}, {{1, 1}, 0}}),
         "not won within 20 moves"},
    };
    for (const cBrokenLevel& broken : cases) {
        SCOPED_TRACE(broken.rule);
        auto model = TestShipped::makeModel(broken.levelsXml);
        const cLevelCheckReport report = cLevelChecker::checkLevel(*model, 0, {1}, 20);
        std::string all;
        for (const std::string& problem : report.problems)
            all += problem + "\n";
        EXPECT_NE(all.find(broken.problem), std::string::npos) << all;
    }
}

// Levels 75, 88 and 95 stopped the game's own player: a delivery truck slid onto a bottom cell
// between holes, or the board filled with bonus pieces the player never set off. Boards are
// dealt from any seed, these among them.
TEST(LevelChecker, TheLevelsWithTrucksAreWonWithTheSeedsThatStoppedThePlayer) {
    auto model = TestShipped::makeModel();
    const std::vector<uint32_t> seeds = {7, 8, 9, 10, 16, 18, 19, 22, 24, 29, 30, 33, 90};
    for (int32_t level : {74, 84, 87, 94}) {
        const cLevelCheckReport report = cLevelChecker::checkLevel(*model, level, seeds, 400);
        for (const std::string& problem : report.problems)
            ADD_FAILURE() << "level " << level + 1 << ": " << problem;
    }
}

TEST(LevelChecker, AcceptsASoundLevelAndCountsItsMoves) {
    auto model = TestShipped::makeModel(levelXml({{{0, 0}, WOOD}, {{0, 5}, WOOD}, {{2, 2}, LOCKED}}, {{{2, 2}, 3}}));
    const cLevelCheckReport report = cLevelChecker::checkLevel(*model, 0, {1, 2});
    EXPECT_TRUE(report.passed());
    ASSERT_EQ(report.moves.size(), 2u);
    EXPECT_GT(report.moves[0], 0);
    EXPECT_LE(report.moves[1], cLevelChecker::DEFAULT_MOVE_BUDGET);
}

} // namespace
