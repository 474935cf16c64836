#include "tools/levelgen/LevelDesigner.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace {

// A private generator with the same numbers on every machine (the standard distributions
// differ between libraries).
class cDraw {
public:
    explicit cDraw(uint32_t seed) : m_state(seed * 2654435761u + 12345u) {}
    int32_t below(int32_t n) {
        m_state = m_state * 1664525u + 1013904223u;
        return n > 0 ? int32_t((m_state >> 8) % uint32_t(n)) : 0;
    }
    int32_t between(int32_t low, int32_t high) { return low + below(high - low + 1); }
    bool chance(float p) { return float(below(10000)) < p * 10000.0f; }

private:
    uint32_t m_state;
};

struct cCell {
    int32_t type = 1;
    int32_t locks = 0;
    bool vehicle = false;
    bool gold = false;
    int32_t trigger = 0;
    int32_t awaited = 0;

    bool isPlain() const { return type == 1 && !locks && !vehicle && !gold && !trigger && !awaited; }
    uint32_t pack() const {
        return uint32_t(type) + 16u * uint32_t(locks) + (vehicle ? 256u : 0u) + (gold ? 512u : 0u) +
               65536u * uint32_t(trigger) + 16777216u * uint32_t(awaited);
    }
};

enum class eStage { WOOD, LOCKS, TRIGGERS, PRIZES, MIXED };

class cBuilder {
public:
    cBuilder(cDraw& draw, int32_t columns, int32_t rows)
        : m_draw(draw), m_columns(columns), m_rows(rows), m_cells(size_t(rows), std::vector<cCell>(size_t(columns))),
          m_objects(size_t(rows), std::vector<int32_t>(size_t(columns), 0)) {}

    cCell& at(int32_t r, int32_t c) { return m_cells[size_t(r)][size_t(c)]; }
    int32_t mirror(int32_t c) const { return m_columns - 1 - c; }

    // Cuts the board's outline: nothing, the top corners, the bottom corners or all four.
    void cutShape(int32_t kind) {
        const bool top = kind == 1 || kind == 3, bottom = kind == 2 || kind == 3;
        for (int32_t c : {0, m_columns - 1}) {
            if (top)
                at(m_rows - 1, c).type = 0;
            if (bottom)
                at(0, c).type = 0;
        }
    }

    // Marks `count` plain cells (mirrored in pairs) between the rows, calling mark on each.
    template <class Mark> int32_t scatter(int32_t count, int32_t lowRow, int32_t highRow, Mark mark) {
        int32_t placed = 0;
        for (int32_t tries = 0; placed < count && tries < 400; ++tries) {
            const int32_t r = m_draw.between(lowRow, highRow);
            const int32_t c = m_draw.below((m_columns + 1) / 2);
            const int32_t m = mirror(c);
            if (!at(r, c).isPlain() || !at(r, m).isPlain())
                continue;
            mark(at(r, c), r, c);
            ++placed;
            if (m != c && placed < count) {
                mark(at(r, m), r, m);
                ++placed;
            }
        }
        return placed;
    }

    void addWood(int32_t count, float ironShare, int32_t lowRow, int32_t highRow) {
        scatter(count, lowRow, highRow,
                [&](cCell& cell, int32_t, int32_t) { cell.type = m_draw.chance(ironShare) ? 3 : 2; });
    }
    void addLocks(int32_t count, float twoShare, int32_t lowRow, int32_t highRow) {
        scatter(count, lowRow, highRow,
                [&](cCell& cell, int32_t, int32_t) { cell.locks = m_draw.chance(twoShare) ? 2 : 1; });
    }

    // Hides the top rows (or a strip along one side) behind a trigger whose carrier sits
    // just outside them.
    void addHiddenBand(int32_t trigger, int32_t height, bool side) {
        if (!side) {
            const int32_t low = m_rows - height;
            for (int32_t r = low; r < m_rows; ++r)
                for (int32_t c = 0; c < m_columns; ++c)
                    if (at(r, c).type != 0)
                        at(r, c).awaited = trigger;
            int32_t c = m_columns / 2 - m_draw.below(2);
            at(low - 1, c).trigger = trigger;
        } else {
            const int32_t width = height;
            const bool left = m_draw.chance(0.5f);
            for (int32_t r = 0; r < m_rows; ++r)
                for (int32_t k = 0; k < width; ++k) {
                    const int32_t c = left ? k : m_columns - 1 - k;
                    if (at(r, c).type != 0)
                        at(r, c).awaited = trigger;
                }
            const int32_t c = left ? width : m_columns - 1 - width;
            at(m_draw.between(1, m_rows / 2), c).trigger = trigger;
        }
    }

    // Wood or locks inside the cells hidden behind a trigger.
    void decorateHidden(int32_t trigger, int32_t count) {
        for (int32_t tries = 0, placed = 0; placed < count && tries < 200; ++tries) {
            const int32_t r = m_draw.below(m_rows), c = m_draw.below(m_columns);
            cCell& cell = at(r, c);
            if (cell.type != 1 || cell.awaited != trigger || cell.locks || cell.trigger)
                continue;
            if (m_draw.chance(0.5f))
                cell.type = 2;
            else
                cell.locks = 1;
            ++placed;
        }
    }

    // A prize cell near the top of a column with no hole in it, over a chute.
    bool addPrize(bool gold) {
        for (int32_t tries = 0; tries < 200; ++tries) {
            // Away from the edges, one prize per column: each needs room to come down.
            const int32_t c = m_draw.between(1, m_columns - 2);
            if (m_prizeColumns.count(c))
                continue;
            int32_t r = m_rows - 1 - m_draw.below(2);
            while (r > 0 && at(r, c).awaited)
                --r;
            if (!at(r, c).isPlain() || !columnClear(c) || !at(0, c).isPlain())
                continue;
            (gold ? at(r, c).gold : at(r, c).vehicle) = true;
            // A chute at the foot of the column: the prize leaves as soon as it stands above it.
            at(0, c).type = 0;
            m_prizeColumns.insert(c);
            return true;
        }
        return false;
    }

    cLevelDraft finish(std::vector<cLevelDraft::cVehicle> vehicles, int32_t bonusesAmount) {
        placeLockedPieces();
        cLevelDraft draft;
        draft.columns = m_columns;
        draft.rows = m_rows;
        draft.cells.assign(size_t(m_rows), std::vector<uint32_t>(size_t(m_columns)));
        for (int32_t r = 0; r < m_rows; ++r)
            for (int32_t c = 0; c < m_columns; ++c)
                draft.cells[size_t(r)][size_t(c)] = at(r, c).pack();
        draft.objects = m_objects;
        draft.vehicles = std::move(vehicles);
        draft.bonusesAmount = bonusesAmount;
        return draft;
    }

    int32_t countVehicleCells() {
        int32_t count = 0;
        for (auto& row : m_cells)
            for (cCell& cell : row)
                count += cell.vehicle ? 1 : 0;
        return count;
    }

private:
    bool columnClear(int32_t c) {
        for (int32_t r = 0; r < m_rows; ++r)
            if (at(r, c).type == 0)
                return false;
        return true;
    }
    // Every locked cell gets a level piece; no three of one piece in a line among them.
    void placeLockedPieces() {
        for (int32_t r = 0; r < m_rows; ++r)
            for (int32_t c = 0; c < m_columns; ++c) {
                if (!at(r, c).locks)
                    continue;
                for (int32_t tries = 0; tries < 20; ++tries) {
                    m_objects[size_t(r)][size_t(c)] = m_draw.between(1, 5);
                    if (!makesLine(r, c))
                        break;
                }
            }
    }
    bool makesLine(int32_t r, int32_t c) const {
        const int32_t code = m_objects[size_t(r)][size_t(c)];
        auto same = [&](int32_t rr, int32_t cc) {
            return rr >= 0 && rr < m_rows && cc >= 0 && cc < m_columns && m_objects[size_t(rr)][size_t(cc)] == code;
        };
        return (same(r, c - 1) && same(r, c - 2)) || (same(r - 1, c) && same(r - 2, c)) ||
               (same(r, c - 1) && same(r, c + 1)) || (same(r - 1, c) && same(r + 1, c));
    }

    cDraw& m_draw;
    int32_t m_columns;
    int32_t m_rows;
    std::vector<std::vector<cCell>> m_cells;
    std::vector<std::vector<int32_t>> m_objects;
    std::set<int32_t> m_prizeColumns;
};

std::vector<cLevelDraft::cVehicle> makeVehicles(cDraw& draw, int32_t count, int32_t amountLow, int32_t amountHigh,
                                                int32_t maxSlots) {
    std::vector<cLevelDraft::cVehicle> vehicles;
    for (int32_t v = 0; v < count; ++v) {
        cLevelDraft::cVehicle vehicle;
        vehicle.bonus = draw.chance(0.5f);
        const int32_t slots = draw.between(1, maxSlots);
        int32_t first = draw.between(1, 5);
        for (int32_t s = 0; s < slots; ++s)
            vehicle.slots.push_back({(first + s * 2 - 1) % 5 + 1, draw.between(amountLow, amountHigh)});
        vehicles.push_back(vehicle);
    }
    return vehicles;
}

} // namespace

std::string cLevelDraft::toXml() const {
    std::ostringstream out;
    out << "<Level bonuses_amount=\"" << bonusesAmount << "\" size=\"" << columns << " " << rows << "\" vehicle_attr=\""
        << (vehicles.empty() ? 0 : 1) << "\">\n<Rows>\n";
    for (int32_t r = 0; r < rows; ++r) {
        out << "<Row cells=\"";
        for (int32_t c = 0; c < columns; ++c)
            out << (c ? "_" : "") << cells[size_t(r)][size_t(c)];
        out << "\" objects=\"";
        for (int32_t c = 0; c < columns; ++c)
            out << (c ? "_" : "") << objects[size_t(r)][size_t(c)];
        out << "\"/>\n";
    }
    out << "</Rows>\n<Vehicles>\n";
    for (const cVehicle& vehicle : vehicles) {
        out << "<Vehicle money=\"0\" has_bonus=\"" << (vehicle.bonus ? 1 : 0) << "\">\n";
        for (const auto& slot : vehicle.slots)
            out << "<Slot object=\"" << slot.first << "\" amount=\"" << slot.second << "\"/>\n";
        out << "</Vehicle>\n";
    }
    out << "</Vehicles>\n</Level>\n";
    return out.str();
}

cLevelDraft cLevelDesigner::design(uint32_t seed, int32_t index, int32_t attempt) {
    cDraw draw(seed ^ uint32_t(index * 7919 + attempt * 104729));
    const eStage stage = index < 15   ? eStage::WOOD
                         : index < 35 ? eStage::LOCKS
                         : index < 55 ? eStage::TRIGGERS
                         : index < 75 ? eStage::PRIZES
                                      : eStage::MIXED;
    int32_t columns = 6, rows = 6;
    switch (stage) {
    case eStage::WOOD:
        columns = index < 5 ? 6 : 7;
        rows = index < 10 ? 6 : 7;
        break;
    case eStage::LOCKS:
        columns = index < 25 ? 7 : 8;
        rows = index < 20 ? 7 : 8;
        break;
    case eStage::TRIGGERS:
    case eStage::PRIZES:
        columns = draw.between(7, 8);
        rows = 8;
        break;
    case eStage::MIXED:
        columns = draw.between(8, 9);
        rows = index < 85 ? 8 : 9;
        break;
    }
    cBuilder board(draw, columns, rows);
    if (index >= 8)
        board.cutShape(draw.below(4));
    std::vector<cLevelDraft::cVehicle> vehicles;
    const int32_t top = rows - 2; // the top row stays plain: it feeds the board
    switch (stage) {
    case eStage::WOOD: {
        const float iron = index < 5 ? 0.0f : 0.15f + 0.03f * float(index - 5);
        board.addWood(4 + index, iron, 0, top);
        break;
    }
    case eStage::LOCKS: {
        const int32_t step = index - 15;
        const float two = index < 25 ? 0.0f : 0.25f + 0.03f * float(index - 25);
        board.addLocks(4 + step / 4 * 2, two, 0, top);
        board.addWood(draw.between(0, 2 + step / 4), 0.2f, 0, top);
        break;
    }
    case eStage::TRIGGERS: {
        const int32_t step = index - 35;
        board.addHiddenBand(1, draw.between(2, 3), step >= 10 && draw.chance(0.5f));
        board.decorateHidden(1, 1 + step / 5);
        if (step >= 12) {
            board.addHiddenBand(2, 2, true);
            board.decorateHidden(2, 1);
        }
        board.addWood(2 + step / 3, 0.3f, 0, 3);
        board.addLocks(step / 4, 0.2f, 0, 3);
        break;
    }
    case eStage::PRIZES: {
        const int32_t step = index - 55;
        const bool gold = step < 6 || step % 2 == 0 || step >= 12;
        const bool cars = step >= 6 && (step % 2 == 1 || step >= 12);
        if (gold)
            for (int32_t g = 0, n = 1 + step / 10; g < n; ++g)
                board.addPrize(true);
        if (cars)
            for (int32_t v = 0, n = 1 + (step >= 17 ? 1 : 0); v < n; ++v)
                board.addPrize(false);
        board.addWood(2 + step / 4, 0.3f, 0, top - 1);
        vehicles = makeVehicles(draw, board.countVehicleCells(), 3 + step / 8, 5 + step / 5, 1 + step / 10);
        break;
    }
    case eStage::MIXED: {
        const int32_t step = index - 75;
        const bool hidden = draw.chance(0.6f);
        if (hidden) {
            board.addHiddenBand(1, 2, draw.chance(0.4f));
            board.decorateHidden(1, 1 + step / 8);
        }
        board.addLocks(draw.between(2, 4 + step / 5), 0.4f, 0, top - 2);
        board.addWood(draw.between(3, 6 + step / 5), 0.4f, 0, top - 2);
        if (!hidden || draw.chance(0.5f))
            board.addPrize(true);
        if (draw.chance(0.6f))
            board.addPrize(false);
        vehicles = makeVehicles(draw, board.countVehicleCells(), 4, 6 + step / 5, 3);
        break;
    }
    }
    return board.finish(vehicles, index < 50 ? 1 : 2);
}
