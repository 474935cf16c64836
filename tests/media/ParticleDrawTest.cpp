// Particle effects drawn through the graphics device's batch: on the recording device (calls)
// and on OpenGL (pixels of a burst inside its emitter's area).

#include "tests/media/GraphicsFixture.h"

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/ParticleLibrary.h"
#include "tests/support/PixelTest.h"

#include <memory>

using namespace Engine;

namespace {

// A square of white particles that do not move: many of them, so the square is covered.
cParticleEffectDesc whiteSquare(float side, uint32_t count) {
    cParticleLayerDesc layer;
    layer.shape = PARTICLE_SHAPE_RECTANGLE;
    layer.shapeWidth = layer.shapeHeight = side;
    layer.burst = count;
    layer.maxParticles = count;
    layer.lifeMin = layer.lifeMax = 10;
    layer.sizes = {{0, 6}};
    layer.colors = {{0, 255, 255, 255, 255}};
    cParticleEffectDesc effect;
    effect.emitters.push_back({"square", {layer}});
    return effect;
}

class ParticleDraw : public GraphicsFixture {
protected:
    cParticleLibrary& library() { return *static_cast<cParticleLibrary*>(graphics().getParticleLibrary()); }
    IParticleFile* load(const cParticleEffectDesc& effect) {
        std::vector<uint8_t> bytes = cParticleEffectFormat::write(effect);
        IParticleFile* file = library().loadBytes(bytes.data(), bytes.size(), "square.pfx");
        file->prepare();
        return file;
    }
    // An instance that has emitted its burst at (x, y), in a draw record there.
    std::unique_ptr<IParticleEffectInstance> burst(IParticleFile* file, float x, float y, cParticleDrawRecord& record) {
        std::unique_ptr<IParticleEffectInstance> effect(library().createEffect(file->getEmitter(0)->getId()));
        effect->advanceTime(0, 0.05f);
        effect->update(0, 0.05f, x, y, 0, 1);
        record.x = x;
        record.y = y;
        record.effect = effect.get();
        return effect;
    }
};

} // namespace

TEST_F(ParticleDraw, EachEffectIsOneDrawCall) {
    startRecording();
    IParticleFile* file = load(whiteSquare(20, 50));
    std::vector<std::unique_ptr<IParticleEffectInstance>> effects;
    std::vector<cParticleDrawRecord> records(10);
    for (size_t i = 0; i < records.size(); ++i)
        effects.push_back(burst(file, 50.0f * float(i), 100, records[i]));
    graphics().beginFrame();
    recording().clearCalls();
    for (cParticleDrawRecord& record : records)
        graphics().drawPyroEffect(&record);
    graphics().endFrame();
    EXPECT_EQ(recording().getCalls("drawIndexedTriangles 0 0 200 0 100").size(), 10u);
    effects.clear();
    library().destroyFile(file);
}

TEST_F(ParticleDraw, BurstDrawsInsideItsEmittersArea) {
    if (!startGl())
        GTEST_SKIP() << "No headless OpenGL: " << m_skipReason;
    IParticleFile* file = load(whiteSquare(40, 600));
    cParticleDrawRecord record;
    auto effect = burst(file, 200, 150, record);
    graphics().beginFrame();
    graphics().drawPyroEffect(&record);
    graphics().endFrame();
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(device().readBackBuffer(150, 100, 100, 100, pixels));
    // The square spans 180..220 and 130..170, grown by half a particle (3) on each side.
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool lit = (pixels[size_t(y * 100 + x)] & 0xFFFFFF) != 0;
            const int sx = 150 + x, sy = 100 + y;
            const bool inArea = sx >= 176 && sx < 224 && sy >= 126 && sy < 174;
            if (lit && inArea)
                ++inside;
            if (lit && !inArea)
                ++outside;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 40 * 40 * 9 / 10);
    EXPECT_TRUE(TestSupport::pixelNear(device(), 200, 150, 0xFFFFFF));
    EXPECT_TRUE(TestSupport::pixelNear(device(), 100, 100, 0x000000));
    effect.reset();
    library().destroyFile(file);
}

TEST_F(ParticleDraw, DeviceMakesTheLibraryAndReleasesTheSharedFilesBeforeEndingIt) {
    startRecording();
    ASSERT_NE(graphics().getParticleLibrary(), nullptr);
    EXPECT_EQ(library().getQuadCapacity(), cParticleLibrary::QUAD_CAPACITY);
    bool libraryAlive = false;
    setParticleFilesRelease([&] { libraryAlive = getGraphicsDevice()->getParticleLibrary() != nullptr; });
    stop();
    setParticleFilesRelease(nullptr);
    EXPECT_TRUE(libraryAlive);
}
