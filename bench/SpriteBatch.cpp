// Building and submitting a frame's batch of 2,000 textured quads over 8 textures on the
// OpenGL device (headless EGL, software rendering). Counters: draw calls per frame and heap
// allocations per frame in steady state. Goal: batch build under 0.3 ms, no allocation.

#include "engine/media/GraphicsDevice.h"
#include "engine/media/SpriteQuad.h"
#include "engine/media/Texture.h"
#include "engine/platform/GlContext.h"
#include "engine/platform/headless/HeadlessWindow.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
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

constexpr int QUADS = 2000;
constexpr int TEXTURES = 8;

struct Scene {
    Platform::cHeadlessWindow window{L"bench"};
    std::unique_ptr<cGraphicsDevice> graphics;
    std::vector<std::unique_ptr<cTexture>> textures;
    std::vector<cSpriteQuad> quads;
    std::vector<const cTexture*> quadTextures;

    // Sorted: consecutive quads share a texture (as layers of one kind do); otherwise the
    // texture changes with every quad.
    bool start(bool sorted) {
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        try {
            Platform::cPresentParameters parameters{800, 600, true};
            graphics = std::make_unique<cGraphicsDevice>(
                &window, Platform::createGlRenderDevice(Platform::createHeadlessGlContext(), parameters));
        } catch (const std::string& reason) {
            std::fprintf(stderr, "No headless OpenGL: %s\n", reason.c_str());
            return false;
        }
        std::vector<uint32_t> texels(32 * 32);
        for (int t = 0; t < TEXTURES; ++t) {
            Platform::tTextureHandle handle = 0;
            graphics->createTexture(nullptr, 0, handle, Platform::POOL_MANAGED, nullptr, 32, 32);
            for (size_t i = 0; i < texels.size(); ++i)
                texels[i] = 0xFF000000u | uint32_t(t * 0x1F3F5F + int(i) * 0x10101);
            graphics->getDevice().updateTexture(handle, 0, 0, 32, 32, texels.data(), 32 * 4);
            textures.push_back(std::make_unique<cTexture>(handle));
        }
        for (int i = 0; i < QUADS; ++i) {
            cSpriteQuad quad;
            float x = float((i * 37) % 760), y = float((i * 53) % 560);
            quad.vertices[0].position = cVector2(x, y);
            quad.vertices[1].position = cVector2(x + 40, y);
            quad.vertices[2].position = cVector2(x, y + 40);
            quad.vertices[3].position = cVector2(x + 40, y + 40);
            quads.push_back(quad);
            int texture = sorted ? i * TEXTURES / QUADS : i % TEXTURES;
            quadTextures.push_back(textures[size_t(texture)].get());
        }
        return true;
    }
    ~Scene() {
        textures.clear();
        graphics.reset();
    }
    void build() {
        for (int i = 0; i < QUADS; ++i)
            graphics->drawSprite(quads[size_t(i)], quadTextures[size_t(i)], 0, 0);
    }
    void frame() {
        graphics->beginFrame();
        build();
        graphics->endFrame();
    }
    // A few frames first, so that the buffers and record storage reach their steady size.
    void warmUp() {
        for (int i = 0; i < 3; ++i)
            frame();
    }
};

void report(benchmark::State& state, const Scene& scene, uint64_t allocations, uint64_t frames) {
    state.counters["draw_calls_per_frame"] = double(scene.graphics->getBatch().getRecords().size());
    state.counters["allocations_per_frame"] = frames ? double(allocations) / double(frames) : 0.0;
}

// The batch build alone: 2,000 drawSprite calls into the locked buffers.
void BM_BatchBuild(benchmark::State& state) {
    Scene scene;
    if (!scene.start(state.range(0) != 0)) {
        state.SkipWithError("no headless OpenGL");
        return;
    }
    scene.warmUp();
    uint64_t frames = 0, allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.graphics->beginFrame();
        uint64_t before = g_allocations;
        state.ResumeTiming();
        scene.build();
        state.PauseTiming();
        allocations += g_allocations - before;
        ++frames;
        scene.graphics->endFrame();
        state.ResumeTiming();
    }
    report(state, scene, allocations, frames);
}
// A fixed count: the paused rendering between the timed builds is slow in software.
BENCHMARK(BM_BatchBuild)->Arg(1)->Arg(0)->ArgName("sorted")->Iterations(300)->Unit(benchmark::kMillisecond);

// A whole frame: present, build, clear, render the batch (software rendering included).
void BM_BatchFrame(benchmark::State& state) {
    Scene scene;
    if (!scene.start(state.range(0) != 0)) {
        state.SkipWithError("no headless OpenGL");
        return;
    }
    scene.warmUp();
    uint64_t frames = 0, allocations = 0;
    for (auto _ : state) {
        uint64_t before = g_allocations;
        scene.frame();
        allocations += g_allocations - before;
        ++frames;
    }
    report(state, scene, allocations, frames);
}
BENCHMARK(BM_BatchFrame)->Arg(1)->Arg(0)->ArgName("sorted")->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
