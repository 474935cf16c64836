// Particle effects drawn through the graphics device's batch: on the recording device (calls)
// and on OpenGL (pixels of a burst inside its emitter's area).

#include "tests/media/GraphicsFixture.h"

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/ParticleLibrary.h"
#include "tests/support/PixelTest.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

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

TEST_F(ParticleDraw, AdjacentEffectsShareOneDrawCallAndASpriteBetweenSplitsThem) {
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
    // Ten effects of 50 quads: one draw on the library's sheet, premultiplied blending.
    EXPECT_EQ(recording().getCalls("drawIndexedTriangles"),
              std::vector<std::string>{"drawIndexedTriangles 0 0 2000 0 1000"});
    const uint32_t* states = recording().getState().renderStates;
    // The sprites' states come back after the effects.
    EXPECT_EQ(states[Platform::RS_SRC_BLEND], uint32_t(Platform::BLEND_SRC_ALPHA));

    // A sprite between two effects keeps its place in depth: the run breaks around it.
    cTexture* white = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    graphics().beginFrame();
    recording().clearCalls();
    graphics().drawPyroEffect(&records[0]);
    graphics().drawPyroEffect(&records[1]);
    graphics().drawSprite(quad(0, 0, 8, 8), white, 0, 0);
    graphics().drawPyroEffect(&records[2]);
    graphics().endFrame();
    EXPECT_EQ(recording().getCalls("drawIndexedTriangles"),
              (std::vector<std::string>{"drawIndexedTriangles 0 0 400 0 200", "drawIndexedTriangles 0 0 4 0 2",
                                        "drawIndexedTriangles 0 0 200 0 100"}));
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

// The shipped bursts, overlapping, drawn as one batch on the sheet and each on its own with its
// layers' textures and blends: the pictures match to rounding.
TEST_F(ParticleDraw, ABatchOfShippedBurstsLooksAsTheEffectsDrawnApart) {
    if (!startGl())
        GTEST_SKIP() << "No headless OpenGL: " << m_skipReason;
    std::vector<IParticleFile*> files;
    for (const char* colour : {"red", "yellow", "blue", "green"}) {
        const std::string bytes = TestSupport::readFileBytes(std::string(MEADOW_SHIPPED_DATA_DIR) +
                                                             "/Effects/match_burst_" + colour + ".pfx");
        files.push_back(library().loadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), colour));
        files.back()->prepare();
    }
    // Over a grey-blue ground, so that alpha blending shows against something.
    cTexture* white = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    const cSpriteQuad ground = quad(0, 0, 600, 400, 0xFF405060u);
    std::vector<std::unique_ptr<IParticleEffectInstance>> effects;
    std::vector<cParticleDrawRecord> records(8);
    for (size_t i = 0; i < records.size(); ++i) {
        // Neighbours 30 px apart, so that flashes, sparks and stars overlap; older ones first.
        effects.push_back(burst(files[i % files.size()], 150.0f + 30.0f * float(i), 150, records[i]));
        const float age = 0.05f * float(records.size() - i);
        for (float t = 0.05f; t < age; t += 0.05f) {
            effects.back()->advanceTime(t, 0.05f);
            effects.back()->update(t, 0.05f, records[i].x, records[i].y, 0, 1);
        }
    }
    const int left = 80, top = 60, width = 360, height = 180;
    graphics().beginFrame();
    graphics().drawSprite(ground, white, 0, 0);
    for (cParticleDrawRecord& record : records)
        graphics().drawPyroEffect(&record);
    graphics().endFrame();
    std::vector<uint32_t> batched, apart;
    ASSERT_TRUE(device().readBackBuffer(left, top, width, height, batched));

    // The same effects, placed as the batch placed them, each drawn on its own over the cleared
    // frame in the sprites' states.
    graphics().beginFrame();
    graphics().drawSprite(ground, white, 0, 0);
    graphics().endFrame();
    for (auto& effect : effects)
        effect->render();
    ASSERT_TRUE(device().readBackBuffer(left, top, width, height, apart));
    int lit = 0, off = 0, worst = 0, touched = 0;
    for (size_t i = 0; i < batched.size(); ++i) {
        if ((apart[i] & 0xFFFFFF) != 0x405060)
            ++lit;
        int most = 0;
        for (int shift : {0, 8, 16})
            most = std::max(most, std::abs(int((batched[i] >> shift) & 0xFF) - int((apart[i] >> shift) & 0xFF)));
        worst = std::max(worst, most);
        touched += most > 0;
        if (most > 3)
            ++off;
    }
    EXPECT_GT(lit, 2000);
    // Premultiplied 8-bit colours round apart by a level per layer at most (on this driver about
    // 40 % of the lit pixels by 1 to 3 levels); a wrong blend or order would differ by far more.
    EXPECT_EQ(off, 0) << "largest difference " << worst;
    EXPECT_LE(worst, 3) << touched << " pixels differ";
    effects.clear();
    for (IParticleFile* file : files)
        library().destroyFile(file);
}
