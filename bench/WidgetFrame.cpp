// The toolkit's part of a frame for a screen of 2,000 panels (10 depths, 8 textures), every
// sixth of them (334) moving every frame through its action: the process walk, the draw-list sort and the
// rebuild of the changed quads, without a graphics device (no GL draw). Counters: quads rebuilt
// per frame and heap allocations per frame in steady state. Goal: under 0.5 ms, no allocation.

#include "engine/core/FrameManager.h"
#include "engine/core/FrameTimer.h"
#include "engine/gui/Panel.h"
#include "engine/media/Texture.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace {
std::atomic<uint64_t> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace Engine;

namespace {

constexpr int SPRITES = 2000;
constexpr int TEXTURES = 8;
constexpr int DEPTHS = 10;

// Every frame lasts 1/60 s.
class StepTimer : public IFrameTimer {
public:
    void tickFrameTimer() override { m_time += 1.0 / 60; }
    void tickAndReset() override { tickFrameTimer(); }
    float getDelta() const override { return 1.0f / 60; }
    float getRealDelta() const override { return 1.0f / 60; }
    float getSpeed() const override { return 1; }
    void setSpeed(float) override {}
    float getMinFps() const override { return 15; }
    void setMinFps(float) override {}
    float getFps() const override { return 60; }
    double getTime() const override { return m_time; }
    bool takeTickDue() override { return true; }
    bool exchangeTickDue(bool) override { return true; }

private:
    double m_time = 0;
};

// Counts its rebuilds.
class BenchPanel : public cPanel {
public:
    using cPanel::cPanel;
    static uint64_t s_builds;

protected:
    void buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor) override {
        ++s_builds;
        cPanel::buildQuad(quad, frame, alphaFactor);
    }
};
uint64_t BenchPanel::s_builds = 0;

bool moveAlong(cSprite* sprite) {
    cVector2 position = sprite->getPosition();
    position.x = position.x > 1000 ? 0.0f : position.x + 2.0f;
    sprite->setPosition(position);
    return false;
}

void BM_WidgetFrame(benchmark::State& state) {
    StepTimer timer;
    cFrameManager frames;
    std::vector<std::unique_ptr<cTexture>> textures;
    for (int t = 0; t < TEXTURES; ++t)
        textures.push_back(std::make_unique<cTexture>(Platform::tTextureHandle(t + 1)));
    std::unique_ptr<cWidget> screen = std::make_unique<cWidget>(nullptr);
    screen->show();
    screen->enable();
    for (int i = 0; i < SPRITES; ++i) {
        auto* panel = new BenchPanel(screen.get());
        panel->setPictureResource(textures[size_t((i * 7) % TEXTURES)].get());
        panel->setPosition(cVector2(float((i * 37) % 1000), float((i * 53) % 760)));
        panel->setSize(cVector2(40, 40));
        panel->setDepth(float((i * 3) % DEPTHS));
        if (i % 6 == 0)
            panel->queueAction(moveAlong);
        panel->show();
        panel->enable();
    }
    // Steady state: every list and buffer at its size.
    for (int i = 0; i < 3; ++i)
        frames.updateFrame();

    uint64_t count = 0, allocations = 0, builds = 0;
    for (auto _ : state) {
        const uint64_t allocationsBefore = g_allocations;
        const uint64_t buildsBefore = BenchPanel::s_builds;
        frames.updateFrame();
        allocations += g_allocations - allocationsBefore;
        builds += BenchPanel::s_builds - buildsBefore;
        ++count;
    }
    state.counters["quads_rebuilt_per_frame"] = count ? double(builds) / double(count) : 0.0;
    state.counters["allocations_per_frame"] = count ? double(allocations) / double(count) : 0.0;
    screen.reset();
}
BENCHMARK(BM_WidgetFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
