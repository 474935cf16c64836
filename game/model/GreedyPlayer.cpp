#include "game/model/GreedyPlayer.h"

#include "engine/core/Random.h"
#include "game/model/AwardManagerLink.h"
#include "game/model/CellModel.h"
#include "game/model/GameServices.h"
#include "game/model/MeadowController.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"
#include "game/model/QuietLevelView.h"
#include "game/model/VehiclesFeature.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Frames the board may take to come to rest after one move before the play is given up.
const int32_t kSettleFrames = 400;
// Boards without a move mixed in a row before the play is given up.
const int32_t kShuffleLimit = 25;

// Keeps the shell's services out of a bot's play: no sounds, statistics, tips or awards.
class cServicesAside {
public:
    cServicesAside()
        : m_sounds(GameServices::getGameSounds()), m_tutorial(GameServices::getTutorialManager()),
          m_statistics(GameServices::getMatchStatistics()), m_menu(GameServices::getMainMenu()),
          m_awards(GameServices::getAwardManagerFactory()) {
        GameServices::setGameSounds(nullptr);
        GameServices::setTutorialManager(nullptr);
        GameServices::setMatchStatistics(nullptr);
        GameServices::setMainMenu(nullptr);
        GameServices::setAwardManagerFactory(nullptr);
    }
    ~cServicesAside() {
        GameServices::setGameSounds(m_sounds);
        GameServices::setTutorialManager(m_tutorial);
        GameServices::setMatchStatistics(m_statistics);
        GameServices::setMainMenu(m_menu);
        GameServices::setAwardManagerFactory(m_awards);
    }
    cServicesAside(const cServicesAside&) = delete;
    cServicesAside& operator=(const cServicesAside&) = delete;

private:
    IGameSounds* m_sounds;
    ITutorialManager* m_tutorial;
    IMatchStatistics* m_statistics;
    IMainMenu* m_menu;
    GameServices::tAwardManagerFactory m_awards;
};

// Keeps the player's progress out of a bot's play: money and bonuses, the next level, the
// types waiting for the next level and the counters the controller raises come back after it.
class cProgressAside {
public:
    explicit cProgressAside(cMeadowModel& model)
        : m_model(model), m_nextAvailableLevel(model.getNextAvailableLevel()), m_randomLevel(model.isRandomLevel()),
          m_currentLevel(model.getCurrentLevel()), m_matchedObjects(model.getMatchedObjects()),
          m_hintIndex(model.getHintIndex()), m_maxBonusesOnLevel(model.m_maxBonusesOnLevel),
          m_unlockedTypes(model.getUnlockedTypes()) {
        for (auto* list : {&model.getResources(), &model.getBonuses()})
            for (cGameResource* record : *list)
                m_records.push_back({record, *record});
    }
    ~cProgressAside() {
        for (auto& saved : m_records)
            *saved.first = saved.second;
        m_model.setNextAvailableLevel(m_nextAvailableLevel);
        m_model.setRandomLevel(m_randomLevel);
        m_model.setCurrentLevel(m_currentLevel);
        m_model.setMatchedObjects(m_matchedObjects);
        m_model.setHintIndex(m_hintIndex);
        m_model.m_maxBonusesOnLevel = m_maxBonusesOnLevel;
        m_model.getUnlockedTypes() = m_unlockedTypes;
    }
    cProgressAside(const cProgressAside&) = delete;
    cProgressAside& operator=(const cProgressAside&) = delete;

private:
    cMeadowModel& m_model;
    std::vector<std::pair<cGameResource*, cGameResource>> m_records;
    int32_t m_nextAvailableLevel;
    bool m_randomLevel;
    int32_t m_currentLevel;
    int32_t m_matchedObjects;
    int32_t m_hintIndex;
    int32_t m_maxBonusesOnLevel;
    std::vector<int32_t> m_unlockedTypes;
};

// ---- Choosing a move ----

struct cMove {
    int32_t a = -1;
    int32_t b = -1; // a again: the bonus piece at a is set off (clicked twice)
    float score = 0.0f;
};

// A copy of the board for trial swaps: the match key of every position (-1 when the piece
// there cannot pair, or is not known yet), whether its piece may be swapped, and what
// clearing it is worth. A move is judged by what it clears and by the best move it leaves
// (the board after it with the runs gone and the pieces above fallen; new pieces unknown).
// Setting off a bonus piece is judged by the cells it hits, those of the bonus pieces it sets
// off in turn included.
class cTrialBoard {
public:
    explicit cTrialBoard(cMeadowModel& model) : m_model(model), m_rows(model.getRows()), m_columns(model.getColumns()) {
        const size_t size = size_t(m_rows * m_columns);
        m_keys.assign(size, -1);
        m_fixed.assign(size, true);
        m_value.assign(size, 1.0f);
        cVehicleModel* vehicle = model.getVehiclesFeature()->getActiveVehicle();
        if (vehicle && vehicle->getState() != cVehicleModel::TAKING_PIECES)
            vehicle = nullptr;
        for (int32_t r = 0; r < m_rows; ++r) {
            for (int32_t c = 0; c < m_columns; ++c) {
                const size_t i = size_t(r * m_columns + c);
                cCellModel* cell = model.getCell(r, c);
                cMeadowObjectModel* piece = model.getObject(r, c);
                if (!cell || !piece)
                    continue;
                if (!cell->isFrozen() && piece->isMatchable())
                    m_keys[i] = piece->getType();
                m_fixed[i] = model.isCellBlocked(r, c) || piece->getPrizeFlag();
                if (piece->getBonusTag() != 0 && piece->getState() == cMeadowObjectModel::IDLE && !m_fixed[i])
                    m_bonusPieces.push_back(int32_t(i));
                if (cell->getLocks() > 0)
                    m_value[i] += 6.0f;
                if (cell->getType() > 1)
                    m_value[i] += 6.0f;
                if (vehicle && m_keys[i] != -1 && vehicle->hasRoomFor(m_keys[i]))
                    m_value[i] += 3.0f;
                // Clearing under a prize brings it nearer the bottom.
                for (int32_t above = r + 1; above < m_rows; ++above)
                    if (cMeadowObjectModel* other = model.getObject(above, c))
                        if (other->getPrizeFlag())
                            m_value[i] += above == r + 1 ? 8.0f : 3.0f;
                // Lower moves shake more loose.
                m_value[i] += 0.01f * float(m_rows - r);
            }
        }
        for (int32_t r = 0; r < m_rows; ++r)
            for (int32_t c = 0; c < m_columns; ++c)
                m_trigger.push_back(touchesTrigger(r, c));
        addNearness();
    }

    cMove best() {
        cMove move;
        std::vector<int32_t> keys = m_keys;
        forEachMove(keys, [&](int32_t a, int32_t b, const std::vector<int32_t>& run) {
            float score = judge(run);
            std::vector<int32_t> after = keys;
            std::swap(after[size_t(a)], after[size_t(b)]);
            clearAndFall(after, run);
            float next = 0.0f;
            forEachMove(after, [&](int32_t, int32_t, const std::vector<int32_t>& nextRun) {
                next = std::max(next, judge(nextRun));
            });
            score += 0.5f * next;
            if (score > move.score) {
                move.a = a;
                move.b = b;
                move.score = score;
            }
        });
        for (int32_t i : m_bonusPieces) {
            const float score = judge(bonusHits(i));
            if (score > move.score) {
                move.a = move.b = i;
                move.score = score;
            }
        }
        return move;
    }

    cMeadowObjectModel* pieceAt(int32_t i) const { return m_model.getObject(i / m_columns, i % m_columns); }

private:
    // Calls visit(a, b, run) for every swap of two neighbours on `keys` that makes a run.
    template <class Visit> void forEachMove(std::vector<int32_t>& keys, Visit visit) {
        for (int32_t r = 0; r < m_rows; ++r) {
            for (int32_t c = 0; c < m_columns; ++c) {
                const int32_t a = r * m_columns + c;
                if (c + 1 < m_columns)
                    tryMove(keys, a, a + 1, visit);
                if (r + 1 < m_rows)
                    tryMove(keys, a, a + m_columns, visit);
            }
        }
    }
    template <class Visit> void tryMove(std::vector<int32_t>& keys, int32_t a, int32_t b, Visit& visit) {
        const int32_t ka = keys[size_t(a)], kb = keys[size_t(b)];
        if (ka == -1 || kb == -1 || ka == kb || m_fixed[size_t(a)] || m_fixed[size_t(b)])
            return;
        std::swap(keys[size_t(a)], keys[size_t(b)]);
        std::vector<int32_t> run;
        collectRuns(keys, a, run);
        collectRuns(keys, b, run);
        std::swap(keys[size_t(a)], keys[size_t(b)]);
        if (!run.empty())
            visit(a, b, run);
    }

    float judge(const std::vector<int32_t>& run) const {
        float score = 0.0f;
        bool trigger = false;
        for (int32_t i : run) {
            score += m_value[size_t(i)];
            trigger = trigger || m_trigger[size_t(i)];
        }
        // One trigger opens per move.
        return trigger ? score + 8.0f : score;
    }

    // The run leaves; in every column the pieces above it fall onto the next fixed cell and
    // the places left at the top hold pieces not known yet.
    void clearAndFall(std::vector<int32_t>& keys, const std::vector<int32_t>& run) const {
        for (int32_t i : run)
            keys[size_t(i)] = UNKNOWN;
        for (int32_t c = 0; c < m_columns; ++c) {
            int32_t write = -1;
            for (int32_t r = 0; r < m_rows; ++r) {
                const size_t i = size_t(r * m_columns + c);
                if (m_fixed[i] && keys[i] != UNKNOWN) {
                    write = -1;
                    continue;
                }
                if (keys[i] == UNKNOWN) {
                    if (write == -1)
                        write = r;
                    continue;
                }
                if (write != -1) {
                    keys[size_t(write * m_columns + c)] = keys[i];
                    keys[i] = UNKNOWN;
                    ++write;
                }
            }
        }
        for (int32_t& key : keys)
            if (key == UNKNOWN)
                key = -1;
    }

    void collectRuns(const std::vector<int32_t>& keys, int32_t i, std::vector<int32_t>& run) const {
        const int32_t r = i / m_columns, c = i % m_columns;
        const int32_t key = keys[size_t(i)];
        int32_t left = c, right = c, down = r, up = r;
        while (left > 0 && keys[size_t(r * m_columns + left - 1)] == key)
            --left;
        while (right + 1 < m_columns && keys[size_t(r * m_columns + right + 1)] == key)
            ++right;
        while (down > 0 && keys[size_t((down - 1) * m_columns + c)] == key)
            --down;
        while (up + 1 < m_rows && keys[size_t((up + 1) * m_columns + c)] == key)
            ++up;
        if (right - left >= 2)
            for (int32_t k = left; k <= right; ++k)
                addRun(run, r * m_columns + k);
        if (up - down >= 2)
            for (int32_t k = down; k <= up; ++k)
                addRun(run, k * m_columns + c);
    }
    static void addRun(std::vector<int32_t>& run, int32_t i) {
        if (std::find(run.begin(), run.end(), i) == run.end())
            run.push_back(i);
    }

    // The cells a bonus piece hits when it goes off, those of the bonus pieces it hits in turn
    // included: a blast the cells around it, a lightning its row, its column or both up to
    // the first cell that is not open. Only cells with a piece take the hit.
    std::vector<int32_t> bonusHits(int32_t first) const {
        std::vector<int32_t> hits{first};
        std::vector<bool> hit(m_keys.size(), false);
        hit[size_t(first)] = true;
        for (size_t next = 0; next < hits.size(); ++next) {
            const int32_t i = hits[size_t(next)];
            cMeadowObjectModel* piece = pieceAt(i);
            const int32_t tag = piece ? piece->getBonusTag() : 0;
            if (tag == 0 || (next > 0 && piece->getState() != cMeadowObjectModel::IDLE))
                continue;
            const int32_t r = i / m_columns, c = i % m_columns;
            const auto add = [&](int32_t rr, int32_t cc) {
                const int32_t j = rr * m_columns + cc;
                cCellModel* cell = m_model.getCell(rr, cc);
                if (!cell || !cell->isEnabled())
                    return false;
                if (!hit[size_t(j)] && m_model.getObject(rr, cc) && !cell->isFrozen()) {
                    hit[size_t(j)] = true;
                    hits.push_back(j);
                }
                return true;
            };
            const auto line = [&](int32_t dr, int32_t dc) {
                for (int32_t rr = r + dr, cc = c + dc; rr >= 0 && rr < m_rows && cc >= 0 && cc < m_columns;
                     rr += dr, cc += dc)
                    if (!add(rr, cc))
                        return;
            };
            if (tag == cMeadowObjectModel::BLAST_BONUS) {
                for (int32_t dr = -1; dr <= 1; ++dr)
                    for (int32_t dc = -1; dc <= 1; ++dc)
                        if ((dr || dc) && r + dr >= 0 && r + dr < m_rows && c + dc >= 0 && c + dc < m_columns)
                            add(r + dr, c + dc);
                continue;
            }
            if (tag != cMeadowObjectModel::COLUMN_LIGHTNING_BONUS) {
                line(0, -1);
                line(0, 1);
            }
            if (tag != cMeadowObjectModel::ROW_LIGHTNING_BONUS) {
                line(-1, 0);
                line(1, 0);
            }
        }
        return hits;
    }

    bool touchesTrigger(int32_t r, int32_t c) const {
        const int32_t around[5][2] = {{r, c}, {r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
        for (const auto& at : around) {
            if (at[0] < 0 || at[0] >= m_rows || at[1] < 0 || at[1] >= m_columns)
                continue;
            cCellModel* cell = m_model.getCell(at[0], at[1]);
            if (cell && cell->getTriggerNumber() > 0)
                return true;
        }
        return false;
    }

    // When no move reaches what is left to clear, the moves near it stir new pieces in
    // around it: those above it in its column first.
    void addNearness() {
        std::vector<std::pair<int32_t, int32_t>> targets;
        for (int32_t r = 0; r < m_rows; ++r) {
            for (int32_t c = 0; c < m_columns; ++c) {
                if (cCellModel* cell = m_model.getCell(r, c))
                    if (cell->isComplex() && cell->isEnabled())
                        targets.push_back({r, c});
                // A prize waits for the piece under it.
                cMeadowObjectModel* piece = m_model.getObject(r, c);
                if (piece && piece->getPrizeFlag() && r > 0)
                    targets.push_back({r - 1, c});
            }
        }
        for (int32_t r = 0; r < m_rows; ++r) {
            for (int32_t c = 0; c < m_columns; ++c) {
                float nearness = 0.0f;
                for (const auto& target : targets) {
                    const int32_t distance = std::abs(target.first - r) + std::abs(target.second - c);
                    if (target.second == c && r > target.first)
                        nearness += 1.0f;
                    else if (distance <= 2)
                        nearness += 0.5f;
                }
                m_value[size_t(r * m_columns + c)] += std::min(nearness, 3.0f);
            }
        }
    }

    // A place emptied by a trial move.
    static constexpr int32_t UNKNOWN = -2;

    cMeadowModel& m_model;
    int32_t m_rows;
    int32_t m_columns;
    std::vector<int32_t> m_keys;
    std::vector<bool> m_fixed;
    std::vector<float> m_value;
    std::vector<bool> m_trigger;
    std::vector<int32_t> m_bonusPieces;
};

// Steps frames until the board has come to rest and the controller's cascade and end test
// have run on it; false when it never does.
bool settle(cQuietLevelView& view, cMeadowModel& model, float dt) {
    int32_t quiet = 0;
    for (int32_t frame = 0; frame < kSettleFrames; ++frame) {
        view.step(dt);
        if (view.isFinished())
            return true;
        quiet = view.isActive() || model.hasMatches() ? 0 : quiet + 1;
        if (quiet >= 2)
            return true;
    }
    return false;
}

} // namespace

cGreedyPlayer::cResult cGreedyPlayer::play(cMeadowModel& model, int32_t level, uint32_t seed, int32_t moveBudget) {
    cResult result;
    cProgressAside progress(model);
    cServicesAside services;
    // Made first: a controller already alive stops the play before the board is touched.
    cMeadowController controller(&model, nullptr, false);
    cQuietLevelView view(model, controller);
    controller.setLevelView(&view);
    // Each frame lasts one check period, so every frame runs the cascade and end test.
    const float dt = model.m_updateTime > 0.0f ? model.m_updateTime : 0.25f;
    try {
        Engine::randomSeed(seed);
        model.loadLevel(level);
        model.resetObjectStates();
        int32_t shufflesInRow = 0;
        while (settle(view, model, dt) && !view.isFinished() && result.moves < moveBudget) {
            cTrialBoard board(model);
            const cMove move = board.best();
            if (move.a < 0) {
                if (++shufflesInRow > kShuffleLimit)
                    break;
                ++result.shuffles;
                model.mixObjects();
                model.resetObjectStates();
                continue;
            }
            shufflesInRow = 0;
            // A selection left from before must not pair with the first click.
            if (cMeadowObjectModel* selected = model.getSelected())
                selected->setSelected(false);
            model.setSelectionPointers(nullptr, nullptr);
            // A bonus piece clicked twice goes off; two pieces clicked in turn swap.
            controller.objectClicked(view.view(board.pieceAt(move.a)));
            controller.objectClicked(view.view(board.pieceAt(move.b)));
            ++result.moves;
        }
    } catch (...) {
        model.clearLevel();
        throw;
    }
    result.won = view.isFinished();
    model.clearLevel();
    return result;
}

bool cGreedyPlayer::chooseMove(cMeadowModel& model, int32_t& row1, int32_t& column1, int32_t& row2, int32_t& column2) {
    const int32_t columns = model.getColumns();
    if (columns <= 0)
        return false;
    cTrialBoard board(model);
    const cMove move = board.best();
    if (move.a < 0)
        return false;
    row1 = move.a / columns;
    column1 = move.a % columns;
    row2 = move.b / columns;
    column2 = move.b % columns;
    return true;
}
