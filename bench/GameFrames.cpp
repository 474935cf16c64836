// The game's own figures, on the shipped data folder through the program's wiring, drawn by
// OpenGL on Mesa's headless EGL with the software renderer (llvmpipe):
// - StartToMainMenu: wall time from the graphics device's creation to the main menu taking
//   input, logos off, frames paced at the program's 200 a second and timed by the clock as the
//   program's timer is; the loading screen's key is pressed as soon as it asks (goal: under 1 s).
// - BoardCascadeFrame: CPU per frame of the board screen while a cascade runs: the bottom rows
//   of the first level are taken away (untimed) and every frame until the board is at rest
//   again is timed (goal: under 2 ms). MapFrame: the same for the map (goal: under 2 ms).
//   Both are the process's CPU, the renderer's threads included (each frame ends with
//   glFinish, as the swap of a window waits for the picture); "game_ms" is the game thread's
//   own CPU. "draws" and "draws_max" count the OpenGL draw calls per frame (goal on the board:
//   at most 20), "over20_pct" the share of frames with more than 20.
// - PlayedSession: a returning player starts the game, plays the first level on the board
//   (cascades, then its end), goes through the results to the map and opens the next level;
//   "peak_rss_MB" is the process's peak resident memory (run it alone:
//   --benchmark_filter=PlayedSession) and "texture_MB" the most texture memory the game held
//   (goal: within 256 MB).
// - ResultsToMap: a returning player's first level ends; from the click on the results' continue
//   button to the map's first drawn frame, frames paced at the program's 200 a second and timed
//   by the clock: the wall time (goal: at most the usual fade of a screen switch, 0.5 s, and a
//   few frames), "frames", and "black_frames" / "black_ms", the frames whose picture is black
//   (nothing drawn but the switch's black cover) and their time. The mean of three levels.
// scripts/figures runs each in its own process and prints the figures against their goals.

#include "engine/media/TextureFactory.h"
#include "engine/platform/gl/GlRenderDevice.h"
#include "game/level/field/AchievementsView.h"
#include "game/model/CellModel.h"
#include "game/model/MeadowModel.h"
#include "tests/app/GameSession.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double textureMegabytes() {
    Engine::cTextureFactory* factory = Engine::getTextureFactory();
    return factory ? double(factory->getTextureMemory()) / (1024.0 * 1024.0) : 0.0;
}

uint64_t drawCalls(TestSupport::UiHarness& ui) {
    auto* device = dynamic_cast<Platform::cGlRenderDevice*>(&ui.renderDevice());
    return device ? device->getDrawCallCount() : 0;
}

// One frame as the program has it: the frame, then the wait for the picture.
void frame(TestSupport::UiHarness& ui, float dt = 0) {
    ui.step(dt);
    glFinish();
}

bool startSession(benchmark::State& state, GameSession::Session& session) {
    std::string reason;
    if (!session.startGl(reason)) {
        state.SkipWithError(("No headless OpenGL: " + reason).c_str());
        return false;
    }
    if (!session.startToMenu()) {
        state.SkipWithError("the main menu did not come up");
        return false;
    }
    return true;
}

void StartToMainMenu(benchmark::State& state) {
    int frames = 0;
    for (auto _ : state) {
        GameSession::Session session(false, true);
        const Clock::time_point start = Clock::now();
        std::string reason;
        if (!session.startGl(reason)) {
            state.SkipWithError(("No headless OpenGL: " + reason).c_str());
            return;
        }
        session.create();
        Clock::time_point last = Clock::now();
        frames = 0;
        // The program's pace: at most 200 frames a second, each as long as the clock says.
        const auto pace = std::chrono::microseconds(5000);
        while (!GameSession::Session::menuUp() && Clock::now() - start < std::chrono::seconds(30)) {
            const Clock::time_point begin = Clock::now();
            const float dt = std::chrono::duration<float>(begin - last).count();
            last = begin;
            session.ui.tapKey(Platform::KEY_SPACE);
            frame(session.ui, std::max(dt, 1e-4f));
            ++frames;
            std::this_thread::sleep_until(begin + pace);
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!GameSession::Session::menuUp()) {
            state.SkipWithError("the main menu did not come up");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["frames"] = frames;
}
BENCHMARK(StartToMainMenu)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// Frames timed one by one: CPU of the process and of the game thread, draw calls.
struct FrameTotals {
    long long frames = 0;
    double gameSeconds = 0;
    uint64_t draws = 0;
    uint64_t drawsMax = 0;
    long long over20 = 0;
    double textureMax = 0;

    void timed(benchmark::State& state, TestSupport::UiHarness& ui) {
        const uint64_t drawsBefore = drawCalls(ui);
        const double before = threadCpuSeconds();
        state.ResumeTiming();
        frame(ui);
        state.PauseTiming();
        gameSeconds += threadCpuSeconds() - before;
        const uint64_t count = drawCalls(ui) - drawsBefore;
        draws += count;
        drawsMax = std::max(drawsMax, count);
        over20 += count > 20 ? 1 : 0;
        textureMax = std::max(textureMax, textureMegabytes());
        ++frames;
    }
    void report(benchmark::State& state) const {
        if (frames == 0)
            return;
        state.counters["game_ms"] = gameSeconds * 1000.0 / double(frames);
        state.counters["draws"] = double(draws) / double(frames);
        state.counters["draws_max"] = double(drawsMax);
        state.counters["over20_pct"] = 100.0 * double(over20) / double(frames);
        state.counters["texture_MB"] = textureMax;
    }
};

// Takes the pieces of the bottom rows away, as a big match would, and lets the rest fall.
void dropBottomRows(cMeadowView* board, int rows) {
    cMeadowModel* model = board->getModel();
    for (int row = 0; row < std::min(rows, model->getRows()); ++row)
        for (int column = 0; column < model->getColumns(); ++column)
            if (cMeadowObjectModel* piece = model->getObject(row, column)) {
                if (cMeadowObjectView* view = board->getGameObjectView(piece))
                    view->hide();
                model->removeObjectAt(row, column);
            }
    model->checkAfterMove();
    board->getFieldView()->startObjectMotions();
}

bool boardBusy(cMeadowView* board) {
    return board->getFieldView()->isBusy() || board->getModel()->hasBusyObject();
}

void BoardCascadeFrame(benchmark::State& state) {
    GameSession::Session session(false, true);
    if (!startSession(state, session))
        return;
    cMeadowView* board = session.openBoard();
    if (!board) {
        state.SkipWithError("the board screen did not come up");
        return;
    }
    FrameTotals totals;
    bool started = false;
    for (auto _ : state) {
        state.PauseTiming();
        if (!started || !boardBusy(board)) {
            session.runUntil([&] { return !boardBusy(board); }, 10.0f);
            dropBottomRows(board, 4);
            started = true;
        }
        totals.timed(state, session.ui);
        state.ResumeTiming();
    }
    totals.report(state);
}
BENCHMARK(BoardCascadeFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(400);

void MapFrame(benchmark::State& state) {
    GameSession::Session session(false, true);
    if (!startSession(state, session))
        return;
    // Without a board screen the start stays on the map.
    cDevelopmentView::setLevelScreenFactory(nullptr);
    session.click(getMainMenu()->getStartButton()->getPosition());
    if (!session.runUntil(GameSession::Session::mapShown, 20.0f)) {
        state.SkipWithError("the map did not come up");
        return;
    }
    FrameTotals totals;
    for (auto _ : state) {
        state.PauseTiming();
        totals.timed(state, session.ui);
        state.ResumeTiming();
    }
    totals.report(state);
}
BENCHMARK(MapFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(400);

// Ends the level on the board: nothing is left to clear.
void clearGoals(cMeadowView* board) {
    cMeadowModel* model = board->getModel();
    for (cCellModel* cell : model->getComplexCells()) {
        cell->setLocks(0);
        cell->setType(1);
        cell->setTriggerNumber(0);
    }
    model->getGoldPrizesLeft() = 0;
}

void ResultsToMap(benchmark::State& state) {
    double frames = 0, blackFrames = 0, blackSeconds = 0;
    for (auto _ : state) {
        GameSession::Session session(false, true);
        if (!startSession(state, session))
            return;
        cMeadowView* board = session.openBoard();
        if (!board) {
            state.SkipWithError("the board screen did not come up");
            return;
        }
        clearGoals(board);
        if (!session.runUntil([&] { return board->getResultsView()->getContinueButton()->isEnabled(); }, 60.0f)) {
            state.SkipWithError("the results did not come");
            return;
        }
        // The program's pace from here: each frame as long as the clock says, at most 200 a second.
        const auto pace = std::chrono::microseconds(5000);
        Clock::time_point last = Clock::now();
        const Clock::time_point start = last;
        const GameSession::ResultsToMap passage = GameSession::leaveResultsForMap(
            session, board,
            [&] {
                std::this_thread::sleep_until(last + pace);
                const Clock::time_point now = Clock::now();
                const float dt = std::chrono::duration<float>(now - last).count();
                last = now;
                glFinish();
                return std::max(dt, 1e-4f);
            },
            4000);
        glFinish();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!GameSession::Session::mapView() || !GameSession::Session::mapView()->isVisible()) {
            state.SkipWithError("the map did not come back");
            return;
        }
        state.SetIterationTime(seconds);
        frames += passage.frames;
        blackFrames += passage.blackFrames;
        blackSeconds += passage.blackSeconds;
    }
    const double n = double(state.iterations());
    state.counters["frames"] = frames / n;
    state.counters["black_frames"] = blackFrames / n;
    state.counters["black_ms"] = blackSeconds * 1000.0 / n;
}
BENCHMARK(ResultsToMap)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void PlayedSession(benchmark::State& state) {
    double textureMax = 0;
    for (auto _ : state) {
        GameSession::Session session(false, true);
        if (!startSession(state, session))
            return;
        const auto watch = [&](auto condition, float seconds) {
            for (float t = 0; t < seconds; t += TestSupport::UiHarness::FRAME_TIME) {
                textureMax = std::max(textureMax, textureMegabytes());
                if (condition())
                    return true;
                frame(session.ui);
            }
            return condition();
        };
        cMeadowView* board = session.openBoard();
        if (!board) {
            state.SkipWithError("the board screen did not come up");
            return;
        }
        for (int cascade = 0; cascade < 5; ++cascade) {
            dropBottomRows(board, 4);
            watch([&] { return !boardBusy(board); }, 10.0f);
        }
        // Nothing left to clear: the level ends and the results come.
        clearGoals(board);
        if (!watch([&] { return board->getResultsView()->getContinueButton()->isEnabled(); }, 60.0f)) {
            state.SkipWithError("the results did not come");
            return;
        }
        session.click(board->getResultsView()->getContinueButton()->getPosition());
        if (!watch([&] { return GameSession::Session::mapShown(); }, 20.0f)) {
            state.SkipWithError("the map did not come back");
            return;
        }
        session.click(GameSession::Session::mapView()->getNextLevelButton()->getPosition());
        if (!watch(GameSession::Session::boardUp, 20.0f)) {
            state.SkipWithError("the next level did not open");
            return;
        }
        board = GameSession::Session::board();
        for (int cascade = 0; cascade < 5; ++cascade) {
            dropBottomRows(board, 4);
            watch([&] { return !boardBusy(board); }, 10.0f);
        }
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["texture_MB"] = textureMax;
}
BENCHMARK(PlayedSession)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    setenv("MEADOW_HEADLESS", "1", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
