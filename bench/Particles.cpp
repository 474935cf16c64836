// 5,000 live particles across 10 effects, one frame of 1/60 s: the simulation (time and update
// calls) plus the vertex fill. Goal: under 1 ms of CPU per frame. A second run also hands the
// vertices to the particle device over the recording device and counts its draw calls per
// frame (one per effect and blend state).

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroGraphicsDevice.h"
#include "engine/platform/headless/RecordingRenderDevice.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int EFFECTS = 10;
constexpr uint32_t PARTICLES_PER_EFFECT = 500;
constexpr float FRAME = 1.0f / 60;

// Two layers of 250 particles each, turning, falling and changing size and colour: a full
// match burst's work.
std::vector<uint8_t> effectFile() {
    Engine::cParticleLayerDesc layer;
    layer.shape = Engine::PARTICLE_SHAPE_CIRCLE;
    layer.shapeWidth = 30;
    layer.maxParticles = PARTICLES_PER_EFFECT / 2;
    layer.rate = 500;
    layer.lifeMin = layer.lifeMax = 2;
    layer.speedMin = 20;
    layer.speedMax = 80;
    layer.gravityY = 50;
    layer.drag = 0.5f;
    layer.spinMin = -90;
    layer.spinMax = 90;
    layer.sizes = {{0, 4}, {0.3f, 12}, {1, 2}};
    layer.colors = {{0, 255, 255, 255, 0}, {0.2f, 255, 230, 140, 255}, {1, 255, 200, 60, 0}};
    Engine::cParticleEffectDesc effect;
    Engine::cParticleLayerDesc additive = layer;
    additive.blend = Engine::PARTICLE_BLEND_ADDITIVE;
    effect.emitters.push_back({"bench", {layer, additive}});
    return Engine::cParticleEffectFormat::write(effect);
}

struct Scene {
    Engine::cParticleLibrary library;
    Engine::IParticleFile* file = nullptr;
    std::vector<std::unique_ptr<Engine::cParticleEffectInstance>> effects;
    float time = 0;

    Scene() {
        std::vector<uint8_t> bytes = effectFile();
        file = library.loadBytes(bytes.data(), bytes.size(), "bench.pfx");
        for (int i = 0; i < EFFECTS; ++i)
            effects.emplace_back(
                static_cast<Engine::cParticleEffectInstance*>(library.createEffect(file->getEmitter(0)->getId())));
        // Fill every effect to its limit before measuring.
        while (time < 1.5f)
            step();
    }
    ~Scene() {
        effects.clear();
        library.destroyFile(file);
    }
    void step() {
        for (size_t i = 0; i < effects.size(); ++i) {
            effects[i]->advanceTime(time, FRAME);
            effects[i]->update(time, FRAME, 100.0f * float(i), 300, 0, 1);
        }
        time += FRAME;
    }
    size_t particles() const {
        size_t count = 0;
        for (const auto& effect : effects)
            count += effect->getParticleCount();
        return count;
    }
};

void simulationAndFill(benchmark::State& state) {
    Scene scene;
    std::vector<Engine::cParticleVertex> vertices;
    for (auto _ : state) {
        scene.step();
        for (const auto& effect : scene.effects)
            effect->fillVertices(vertices);
        benchmark::DoNotOptimize(vertices.data());
    }
    state.counters["particles"] = double(scene.particles());
}
BENCHMARK(simulationAndFill)->Unit(benchmark::kMicrosecond);

void throughParticleDevice(benchmark::State& state) {
    Scene scene;
    Platform::cRecordingRenderDevice device;
    Engine::cPyroGraphicsDevice pyro(device, scene.library.getQuadCapacity());
    scene.library.setGraphicsDevice(&pyro);
    size_t draws = 0;
    for (auto _ : state) {
        scene.step();
        device.clearCalls();
        for (const auto& effect : scene.effects)
            effect->render();
        draws = device.getCalls("drawIndexedTriangles").size();
    }
    state.counters["particles"] = double(scene.particles());
    scene.effects.clear();
    scene.library.setGraphicsDevice(nullptr);
    state.counters["draws_per_frame"] = double(draws);
}
BENCHMARK(throughParticleDevice)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
