#include "game/model/LevelChecker.h"

#include "engine/core/Math.h"
#include "engine/core/Random.h"
#include "game/model/GreedyPlayer.h"
#include "game/model/LevelInfo.h"
#include "game/model/MeadowModel.h"

#include <exception>
#include <set>

namespace {

struct cCellCode {
    int32_t type = 0;
    int32_t locks = 0;
    bool vehicle = false;
    bool gold = false;
    int32_t trigger = 0;
    int32_t awaited = 0;
};

cCellCode unpack(uint32_t code) {
    cCellCode cell;
    cell.type = int32_t(code & 0xF);
    cell.locks = int32_t((code >> 4) & 0xF);
    cell.vehicle = (code >> 8) & 1;
    cell.gold = (code >> 9) & 1;
    cell.trigger = int32_t((code >> 16) & 0xFF);
    cell.awaited = int32_t((code >> 24) & 0xFF);
    return cell;
}

// The "_"-separated decimal numbers of a row text; false when a token is not a number.
bool splitNumbers(const std::wstring& text, std::vector<uint32_t>& numbers) {
    numbers.clear();
    if (text.empty())
        return true;
    uint64_t value = 0;
    bool digits = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == L'_') {
            if (!digits)
                return false;
            numbers.push_back(uint32_t(value));
            value = 0;
            digits = false;
        } else if (text[i] >= L'0' && text[i] <= L'9') {
            value = value * 10 + uint64_t(text[i] - L'0');
            if (value > 0xFFFFFFFFull)
                return false;
            digits = true;
        } else {
            return false;
        }
    }
    return true;
}

std::string at(int32_t row, int32_t column) {
    return "(" + std::to_string(row) + ", " + std::to_string(column) + ")";
}

// The text of whatever the model threw.
std::string thrownText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::string& text) {
        return text;
    } catch (const std::wstring& text) {
        return std::string(text.begin(), text.end());
    } catch (const char* text) {
        return text;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

} // namespace

std::vector<std::string> cLevelChecker::checkLayout(const cLevelInfo& level) {
    std::vector<std::string> problems;
    const int32_t rows = level.rows, columns = level.columns;
    if (rows < 1 || columns < 1 || rows > cMeadowModel::MAX_BOARD_SIDE || columns > cMeadowModel::MAX_BOARD_SIDE) {
        problems.push_back("board size " + std::to_string(columns) + " x " + std::to_string(rows) + " is not playable");
        return problems;
    }
    std::vector<std::vector<cCellCode>> cells(size_t(rows), std::vector<cCellCode>(static_cast<size_t>(columns)));
    std::vector<std::vector<uint32_t>> objects(size_t(rows), std::vector<uint32_t>(size_t(columns), 0));
    std::vector<uint32_t> numbers;
    for (int32_t r = 0; r < rows; ++r) {
        const std::wstring none;
        const std::wstring& cellText = size_t(r) < level.cellTexts.size() ? level.cellTexts[size_t(r)] : none;
        if (!splitNumbers(cellText, numbers) || int32_t(numbers.size()) != columns) {
            problems.push_back("row " + std::to_string(r) + " does not have one cell code per column");
            continue;
        }
        for (int32_t c = 0; c < columns; ++c)
            cells[size_t(r)][size_t(c)] = unpack(numbers[size_t(c)]);
        const std::wstring& objectText = size_t(r) < level.objectTexts.size() ? level.objectTexts[size_t(r)] : none;
        if (!splitNumbers(objectText, numbers) || int32_t(numbers.size()) > columns) {
            problems.push_back("row " + std::to_string(r) + " has unreadable objects");
            continue;
        }
        for (size_t c = 0; c < numbers.size(); ++c) {
            if (numbers[c] > 5)
                problems.push_back("object code " + std::to_string(numbers[c]) + " at " + at(r, int32_t(c)) +
                                   " is not a level piece 0..5");
            else
                objects[size_t(r)][c] = numbers[c];
        }
    }
    if (!problems.empty())
        return problems;

    int32_t vehicleCells = 0;
    bool prizes = false;
    bool goal = !level.vehicles.empty();
    std::set<int32_t> carried, awaited;
    std::vector<std::pair<int32_t, int32_t>> carrierWaits; // (trigger carried, trigger the carrier waits for)
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            const cCellCode& cell = cells[size_t(r)][size_t(c)];
            const uint32_t object = objects[size_t(r)][size_t(c)];
            if (cell.type == 0) {
                if (object != 0)
                    problems.push_back("a piece stands on no cell at " + at(r, c));
                if (cell.locks || cell.vehicle || cell.gold || cell.trigger || cell.awaited)
                    problems.push_back("a cell without type carries marks at " + at(r, c));
                continue;
            }
            if (cell.locks > 0 && object == 0)
                problems.push_back("locked cell " + at(r, c) + " holds no piece");
            if (cell.type > 1 || cell.locks > 0 || cell.trigger > 0 || cell.gold)
                goal = true;
            if (cell.trigger > 0) {
                carried.insert(cell.trigger);
                carrierWaits.push_back({cell.trigger, cell.awaited});
            }
            if (cell.awaited > 0)
                awaited.insert(cell.awaited);
            if (cell.vehicle)
                ++vehicleCells;
            if (cell.vehicle || cell.gold) {
                prizes = true;
                const char* what = cell.gold ? "gold prize" : "vehicle";
                if (cell.awaited > 0)
                    problems.push_back(std::string(what) + " on hidden cell " + at(r, c));
                if (cell.locks > 0)
                    problems.push_back(std::string(what) + " on locked cell " + at(r, c));
                if (cell.trigger > 0)
                    problems.push_back(std::string(what) + " on trigger cell " + at(r, c));
                // Below a hole a prize never comes down again.
                bool hole = false;
                for (int32_t below = r - 1; below >= 0; --below) {
                    if (cells[size_t(below)][size_t(c)].type == 0) {
                        hole = true;
                    } else if (hole) {
                        problems.push_back(std::string(what) + " at " + at(r, c) +
                                           " cannot reach the bottom of its column");
                        break;
                    }
                }
            }
        }
    }
    // A prize comes down by the runs that take the pieces under it, or slides past them to a
    // lower corner, and may slide into any column on its way: a cell it may rest on with no
    // corner below it to slide to must be one a run can take without the cell above it, in
    // its row or with the two cells below it.
    if (prizes) {
        const auto real = [&](int32_t r, int32_t c) {
            return r >= 0 && r < rows && c >= 0 && c < columns && cells[size_t(r)][size_t(c)].type != 0;
        };
        for (int32_t r = 0; r + 1 < rows; ++r) {
            for (int32_t c = 0; c < columns; ++c) {
                if (!real(r, c) || !real(r + 1, c) || real(r, c - 1) || real(r, c + 1))
                    continue;
                if (!(real(r - 1, c) && real(r - 2, c)))
                    problems.push_back("a prize resting on " + at(r, c) + " never comes down: no run takes that cell");
            }
        }
    }
    if (vehicleCells != int32_t(level.vehicles.size()))
        problems.push_back(std::to_string(vehicleCells) + " vehicle cells for " +
                           std::to_string(level.vehicles.size()) + " vehicles");
    for (size_t v = 0; v < level.vehicles.size(); ++v) {
        const auto& slots = level.vehicles[v]->getSlots();
        if (slots.empty())
            problems.push_back("vehicle " + std::to_string(v) + " has no slot");
        for (const cVehicleSlotRecord& slot : slots)
            if (slot.objectIndex < 1 || slot.objectIndex > 5 || slot.needed < 1)
                problems.push_back("vehicle " + std::to_string(v) + " wants " + std::to_string(slot.needed) +
                                   " of level piece " + std::to_string(slot.objectIndex));
    }
    for (int32_t trigger : awaited)
        if (!carried.count(trigger))
            problems.push_back("trigger " + std::to_string(trigger) + " is awaited but no cell carries it");
    // A carrier hidden behind its own trigger, or behind a circle of them, never opens.
    std::set<int32_t> opened{0};
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& carrier : carrierWaits)
            if (!opened.count(carrier.first) && opened.count(carrier.second))
                grew = opened.insert(carrier.first).second || grew;
    }
    for (int32_t trigger : carried)
        if (!opened.count(trigger))
            problems.push_back("trigger " + std::to_string(trigger) + " can never open");
    if (!goal)
        problems.push_back("the level has no goal");
    return problems;
}

std::vector<std::string> cLevelChecker::checkStartBoards(cMeadowModel& model, int32_t level,
                                                         const std::vector<uint32_t>& seeds) {
    std::vector<std::string> problems;
    for (uint32_t seed : seeds) {
        const std::string name = "seed " + std::to_string(seed) + ": ";
        Engine::randomSeed(seed);
        try {
            model.loadLevel(level);
            model.resetObjectStates();
            Engine::cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
            if (model.hasMatches())
                problems.push_back(name + "the start board holds a run");
            else if (!model.findPossibleMove(first, second))
                problems.push_back(name + "the start board has no move");
            // The start fill reaches only what pieces can fall or slide into: a cell walled off
            // from above by locks or trigger cells stays a hole until they open.
            for (int32_t r = 0; r < model.getRows(); ++r)
                for (int32_t c = 0; c < model.getColumns(); ++c)
                    if (!model.isCellBlocked(r, c) && !model.getObject(r, c))
                        problems.push_back(name + "the start board leaves open cell " + at(r, c) + " empty");
        } catch (...) {
            problems.push_back(name + thrownText(std::current_exception()));
        }
        model.clearLevel();
    }
    return problems;
}

cLevelCheckReport cLevelChecker::checkLevel(cMeadowModel& model, int32_t level, const std::vector<uint32_t>& seeds,
                                            int32_t moveBudget) {
    cLevelCheckReport report;
    report.level = level;
    if (level < 0 || level >= model.getLevelCount()) {
        report.problems.push_back("there is no level " + std::to_string(level));
        return report;
    }
    report.problems = checkLayout(model.getLevels()[size_t(level)]);
    if (!report.problems.empty())
        return report;
    report.problems = checkStartBoards(model, level, seeds);
    if (!report.problems.empty())
        return report;
    for (uint32_t seed : seeds) {
        int32_t moves = -1;
        try {
            const cGreedyPlayer::cResult result = cGreedyPlayer::play(model, level, seed, moveBudget);
            if (result.won)
                moves = result.moves;
            else
                report.problems.push_back("seed " + std::to_string(seed) + ": not won within " +
                                          std::to_string(moveBudget) + " moves");
        } catch (...) {
            report.problems.push_back("seed " + std::to_string(seed) + ": " + thrownText(std::current_exception()));
        }
        report.moves.push_back(moves);
    }
    return report;
}

std::vector<cLevelCheckReport> cLevelChecker::checkAllLevels(cMeadowModel& model, const std::vector<uint32_t>& seeds,
                                                             int32_t moveBudget) {
    std::vector<cLevelCheckReport> reports;
    for (int32_t level = 0; level < model.getLevelCount(); ++level)
        reports.push_back(checkLevel(model, level, seeds, moveBudget));
    return reports;
}
