// The board rules on full boards: match detection plus the whole move search (9 x 9 and
// 12 x 12, on a fresh start board and on a board without any move, where the search runs to
// its end), and one whole move on 9 x 9: swap, figures, payment, falls, refill and cascades
// until the board is at rest.

#include "engine/core/Random.h"
#include "engine/core/XmlDocument.h"
#include "game/model/MeadowModel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

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

} // namespace

BENCHMARK(BM_DetectAndSearchStartBoard)->Arg(9)->Arg(12);
BENCHMARK(BM_DetectAndSearchNoMove)->Arg(9)->Arg(12);
BENCHMARK(BM_WholeMove);

BENCHMARK_MAIN();
