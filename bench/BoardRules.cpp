// The board rules on full boards: match detection plus the whole move search (9 x 9 and
// 12 x 12, on a fresh start board and on a board without any move, where the search runs to
// its end), and one whole move on 9 x 9: swap, figures, payment, falls, refill and cascades
// until the board is at rest. The same whole move on a plain integer grid (the same move search,
// runs, payment, falls and refill, written the simplest way) is the yardstick: the model's move
// should stay within 3 times the grid's.

#include "engine/core/Random.h"
#include "engine/core/XmlDocument.h"
#include "game/model/MeadowModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using Engine::cVector2;

namespace {

std::string modelXml() {
    std::string objects;
    for (int type = 1; type <= 5; ++type) {
        objects += "<Object type=\"" + std::to_string(type) + "\" category=\"1\" color_group=\"" +
                   std::to_string(type - 1) + "\">";
        for (int amount = 3; amount <= 7; ++amount)
            objects += "<Rule amount=\"" + std::to_string(amount) + "\" money=\"" + std::to_string(amount * 2) +
                       "\" bonus_points=\"1\"/>";
        objects += "</Object>";
    }
    return "<Model max_objects_on_level=\"5\" max_help_moves=\"10\" update_time=\"0.5\"><GameObjects>" + objects +
           "</GameObjects><GameResources><Resource id=\"money\" type=\"1\"/></GameResources><Units/>"
           "<LevelAchievements><A id=\"0\"/><A id=\"1\"/><A id=\"2\"/><A id=\"3\"/></LevelAchievements></Model>";
}

std::unique_ptr<Engine::cXmlDocument> parse(const std::string& text) {
    auto document = std::make_unique<Engine::cXmlDocument>();
    if (!document->parseBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        throw std::runtime_error("benchmark model does not parse");
    return document;
}

// A model with an empty size × size board of simple cells and the level types 1 to 5.
std::unique_ptr<cMeadowModel> makeModel(int size) {
    auto description = parse(modelXml());
    auto levels = parse("<Levels><Level size=\"1 1\"/></Levels>");
    auto model = std::make_unique<cMeadowModel>(description.get(), levels.get());
    model->createBoard(size, size);
    model->getFiredTriggers() = {0};
    model->getLevelTypes() = {1, 2, 3, 4, 5};
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            model->createCell(r, c, 1);
    return model;
}

void startBoard(cMeadowModel& model) {
    model.generateStartBoard();
    model.resetObjectStates();
}

// Fills the board with a repeating pattern that has no run and no move.
void noMoveBoard(cMeadowModel& model) {
    for (int r = 0; r < model.getRows(); ++r)
        for (int c = 0; c < model.getColumns(); ++c)
            if (!model.getObject(r, c))
                model.createObjectAt(r, c);
    for (int a = 1; a < 5; ++a)
        for (int b = 1; b < 5; ++b) {
            for (int r = 0; r < model.getRows(); ++r)
                for (int c = 0; c < model.getColumns(); ++c)
                    model.getObject(r, c)->setType((a * r + b * c) % 5 + 1);
            cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
            if (!model.hasMatches() && !model.findPossibleMove(first, second))
                return;
        }
    throw std::runtime_error("no pattern without moves");
}

void detectAndSearch(benchmark::State& state, bool withMoves) {
    Engine::randomSeed(2026);
    auto model = makeModel(int(state.range(0)));
    if (withMoves)
        startBoard(*model);
    else
        noMoveBoard(*model);
    for (auto _ : state) {
        cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
        benchmark::DoNotOptimize(model->hasMatches());
        benchmark::DoNotOptimize(model->findPossibleMove(first, second));
    }
}

void BM_DetectAndSearchStartBoard(benchmark::State& state) {
    detectAndSearch(state, true);
}
void BM_DetectAndSearchNoMove(benchmark::State& state) {
    detectAndSearch(state, false);
}

// Falls and refills until nothing moves, every animation taken as ended at once.
void settleBoard(cMeadowModel& model) {
    do {
        model.setBoardChanged(false);
        model.dropObjects();
        model.resetObjectStates();
    } while (model.isBoardChanged());
}

void BM_WholeMove(benchmark::State& state) {
    Engine::randomSeed(7);
    auto model = makeModel(9);
    startBoard(*model);
    int64_t cascades = 0;
    for (auto _ : state) {
        cVector2 first(-1.0f, -1.0f), second(-1.0f, -1.0f);
        if (!model->findPossibleMove(first, second)) {
            // A dead board: start again, as the level screen would after rearranging.
            for (int r = 0; r < 9; ++r)
                for (int c = 0; c < 9; ++c)
                    model->removeObjectAt(r, c);
            startBoard(*model);
            continue;
        }
        cMeadowObjectModel* a = model->getObject(int(first.x), int(first.y));
        cMeadowObjectModel* b = model->getObject(int(second.x), int(second.y));
        model->swapObjects(a, b);
        model->resetObjectStates();
        while (model->hasMatches()) {
            tFigureList figures = model->collectFigures();
            model->payFigures(figures);
            for (const cMeadowFigure& figure : figures)
                for (const cVector2& position : figure.getPositions())
                    model->removeObjectAt(int(position.x), int(position.y));
            settleBoard(*model);
            ++cascades;
        }
    }
    state.counters["figure rounds per move"] = benchmark::Counter(double(cascades), benchmark::Counter::kAvgIterations);
}

// ---- The plain integer-grid reference ----

// A copy of the board as piece types (0 = empty), row 0 at the bottom, the top row feeding
// new pieces, with the model's hint rotation, rules and random draws.
struct cIntBoard {
    static constexpr int SIZE = 9;
    std::array<int, SIZE * SIZE> types{};
    int hintIndex = 0;
    int64_t money = 0;

    int& at(int r, int c) { return types[size_t(r * SIZE + c)]; }
    int get(int r, int c) const {
        return r < 0 || r >= SIZE || c < 0 || c >= SIZE ? -1 - (r * SIZE + c) : types[size_t(r * SIZE + c)];
    }
    static int draw() { return int(float(Engine::randomNext()) / 32768.0f * 5.0f) + 1; }

    bool runThrough(int r, int c) const {
        const int t = get(r, c);
        auto same = [&](int dr, int dc) { return get(r + dr, c + dc) == t; };
        return (same(0, -1) && (same(0, 1) || same(0, -2))) || (same(0, 1) && same(0, 2)) ||
               (same(-1, 0) && (same(1, 0) || same(-2, 0))) || (same(1, 0) && same(2, 0));
    }
    // The hint: the next swap (rows first, then columns) that makes a run.
    bool findMove(int& r1, int& c1, int& r2, int& c2) {
        int found = 0;
        for (int pass = 0; pass < 2; ++pass)
            for (int o = 0; o < SIZE; ++o)
                for (int n = 0; n + 1 < SIZE; ++n) {
                    const int r = pass == 0 ? o : n, c = pass == 0 ? n : o;
                    const int rb = pass == 0 ? r : r + 1, cb = pass == 0 ? c + 1 : c;
                    if (at(r, c) == at(rb, cb))
                        continue;
                    std::swap(at(r, c), at(rb, cb));
                    const bool run = runThrough(r, c) || runThrough(rb, cb);
                    std::swap(at(r, c), at(rb, cb));
                    if (!run)
                        continue;
                    r1 = r, c1 = c, r2 = rb, c2 = cb;
                    if (found++ == hintIndex) {
                        hintIndex = (hintIndex + 1) % 10;
                        return true;
                    }
                }
        hintIndex = 0;
        return found > 0;
    }
    // Marks every run of three or more, pays it by its length, then empties its cells.
    bool removeRuns() {
        std::array<bool, SIZE * SIZE> marked{};
        bool any = false;
        for (int pass = 0; pass < 2; ++pass)
            for (int o = 0; o < SIZE; ++o)
                for (int n = 0; n < SIZE;) {
                    const int t = pass == 0 ? at(o, n) : at(n, o);
                    int end = n + 1;
                    while (end < SIZE && (pass == 0 ? at(o, end) : at(end, o)) == t)
                        ++end;
                    if (end - n >= 3) {
                        any = true;
                        money += 2 * std::min(end - n, 7);
                        for (int k = n; k < end; ++k)
                            marked[size_t(pass == 0 ? o * SIZE + k : k * SIZE + o)] = true;
                    }
                    n = end;
                }
        for (size_t i = 0; i < marked.size(); ++i)
            if (marked[i])
                types[i] = 0;
        return any;
    }
    // Pieces fall down their column; the top refills with random types.
    void fall() {
        for (int c = 0; c < SIZE; ++c) {
            int to = 0;
            for (int r = 0; r < SIZE; ++r)
                if (int t = at(r, c)) {
                    at(r, c) = 0;
                    at(to++, c) = t;
                }
            for (; to < SIZE; ++to)
                at(to, c) = draw();
        }
    }
};

void BM_WholeMoveIntGrid(benchmark::State& state) {
    Engine::randomSeed(7);
    auto model = makeModel(cIntBoard::SIZE);
    startBoard(*model);
    cIntBoard board;
    for (int r = 0; r < cIntBoard::SIZE; ++r)
        for (int c = 0; c < cIntBoard::SIZE; ++c)
            board.at(r, c) = model->getObject(r, c)->getType();
    const cIntBoard start = board;
    int64_t cascades = 0;
    for (auto _ : state) {
        int r1, c1, r2, c2;
        if (!board.findMove(r1, c1, r2, c2)) {
            board = start;
            continue;
        }
        std::swap(board.at(r1, c1), board.at(r2, c2));
        while (board.removeRuns()) {
            board.fall();
            ++cascades;
        }
    }
    benchmark::DoNotOptimize(board.money);
    state.counters["figure rounds per move"] = benchmark::Counter(double(cascades), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_DetectAndSearchStartBoard)->Arg(9)->Arg(12);
BENCHMARK(BM_DetectAndSearchNoMove)->Arg(9)->Arg(12);
BENCHMARK(BM_WholeMove);
BENCHMARK(BM_WholeMoveIntGrid);

namespace {

// Prints the figures as usual, then the whole move's time as a multiple of the grid's
// (run with --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true on a busy
// machine).
class cRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const std::string name = run.benchmark_name();
            // With repetitions the least time of each counts: other work only ever adds.
            double* slot = name == "BM_WholeMove" ? &m_model : name == "BM_WholeMoveIntGrid" ? &m_grid : nullptr;
            if (slot && (*slot == 0.0 || run.GetAdjustedCPUTime() < *slot))
                *slot = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (m_model > 0.0 && m_grid > 0.0)
            std::printf("Whole move on 9 x 9: %.2f times the integer grid's (goal: within 3)\n", m_model / m_grid);
    }

private:
    double m_model = 0.0;
    double m_grid = 0.0;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    cRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
