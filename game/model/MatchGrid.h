#pragma once

// A flat copy of the board taken before match detection and the move search: one match key
// per position (the piece's type when it may pair, else a value no other position has), with
// a border of two positions on every side, so that a run test is three compares without
// bounds checks and a trial swap is two stores instead of a swap in the grids.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class cFallGrid;
class cMeadowObjectModel;

class cMatchGrid {
public:
    using tPieceRows = std::vector<std::vector<cMeadowObjectModel*>>;

    // Reads the model's pieces and what its cells allow. With moveSearch it also reads what the
    // move search asks of each position: blocked cell, piece type, busy state, prize piece type.
    void build(const tPieceRows& pieces, const cFallGrid& cells, bool moveSearch);

    int32_t index(int32_t row, int32_t column) const { return (row + BORDER) * m_stride + column + BORDER; }
    int32_t getStride() const { return m_stride; }

    cMeadowObjectModel* getPiece(int32_t i) const { return m_pieces[size_t(i)]; }
    int32_t getType(int32_t i) const { return m_types[size_t(i)]; }
    bool isBlocked(int32_t i) const { return m_flags[size_t(i)] & BLOCKED; }
    bool isBusy(int32_t i) const { return m_flags[size_t(i)] & BUSY; }
    bool isPrizeType(int32_t i) const { return m_flags[size_t(i)] & PRIZE_TYPE; }

    // Writes every piece's horizontal and vertical pair counts; true when some count is 2.
    bool writeCounts() const;
    // The same for the board with the pieces at a and b exchanged.
    bool writeCountsSwapped(int32_t a, int32_t b);
    // Remembers the runs of the board as it was read.
    void collectRuns();
    // True when exchanging the pieces at a and b (both on cells that may pair) leaves a run
    // anywhere on the board.
    bool hasRunAfterSwap(int32_t a, int32_t b);

private:
    static constexpr int32_t BORDER = 2;
    enum : uint8_t { BLOCKED = 1, BUSY = 2, PRIZE_TYPE = 4 };

    bool isRunMiddle(int32_t i, int32_t step) const {
        return m_keys[size_t(i)] == m_keys[size_t(i - step)] && m_keys[size_t(i)] == m_keys[size_t(i + step)];
    }
    // A run through i along the step, from the two neighbours on either side.
    bool hasRunThrough(int32_t i, int32_t step) const {
        const int64_t key = m_keys[size_t(i)];
        const bool before = key == m_keys[size_t(i - step)];
        const bool after = key == m_keys[size_t(i + step)];
        return (before && (after || key == m_keys[size_t(i - 2 * step)])) ||
               (after && key == m_keys[size_t(i + 2 * step)]);
    }
    bool hasRunThrough(int32_t i) const { return hasRunThrough(i, 1) || hasRunThrough(i, m_stride); }
    void exchange(int32_t a, int32_t b) {
        std::swap(m_keys[size_t(a)], m_keys[size_t(b)]);
        std::swap(m_pieces[size_t(a)], m_pieces[size_t(b)]);
    }

    int32_t m_rows = 0;
    int32_t m_columns = 0;
    int32_t m_stride = 0;
    std::vector<int64_t> m_keys;
    std::vector<cMeadowObjectModel*> m_pieces;
    std::vector<int32_t> m_types;
    std::vector<uint8_t> m_flags;
    std::vector<std::pair<int32_t, int32_t>> m_runs; // middle position, step
};
