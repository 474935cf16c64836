#include "engine/media/ParticleLibrary.h"

#include "engine/media/ParticleEffectFormat.h"
#include "engine/media/ParticleEffectInstance.h"
#include "engine/media/PyroFileStream.h"
#include "engine/media/PyroGraphicsDevice.h"
#include "engine/platform/headless/RecordingRenderDevice.h"
#include "tests/media/ImageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

using namespace Engine;

namespace {

cParticleLayerDesc still(uint32_t burst, float rate = 0) {
    cParticleLayerDesc layer;
    layer.burst = burst;
    layer.rate = rate;
    layer.maxParticles = 100;
    layer.lifeMin = layer.lifeMax = 1;
    return layer;
}

cParticleEffectDesc effectOf(std::vector<cParticleLayerDesc> layers, int textures = 1) {
    cParticleEffectDesc effect;
    for (int i = 0; i < textures; ++i) {
        std::string png = TestImages::png(2, 2, TestImages::Pixels(4, 0xFFFFFFFFu));
        effect.textures.emplace_back(png.begin(), png.end());
    }
    cParticleEmitterDesc emitter;
    emitter.name = "main";
    emitter.layers = std::move(layers);
    effect.emitters.push_back(emitter);
    return effect;
}

// Advances an instance as the effect widget does: steps of 0.05 s with the emitter at (x, y).
void run(IParticleEffectInstance& effect, float from, float seconds, float x = 0, float y = 0) {
    for (float t = from; t < from + seconds - 1e-4f; t += 0.05f) {
        effect.advanceTime(t, 0.05f);
        effect.update(t, 0.05f, x, y, 0, 1);
    }
}

// Hands out its bytes at most `piece` at a time, as a packed or compressed stream may.
struct PiecewiseStream : IDataStream {
    std::vector<uint8_t> bytes;
    size_t at = 0, piece = 0;
    int32_t getSize() override { return int32_t(bytes.size()); }
    int32_t seek(int32_t, int) override { return 0; }
    int32_t read(void* buffer, int32_t count) override {
        const size_t n = std::min({size_t(count), piece, bytes.size() - at});
        std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        return int32_t(n);
    }
    int32_t write(const void*, int32_t) override { return 0; }
    void close() override {}
};

} // namespace

class ParticleLibrary : public ::testing::Test {
protected:
    IParticleFile* load(const cParticleEffectDesc& effect, const std::string& name = "test.pfx") {
        std::vector<uint8_t> bytes = cParticleEffectFormat::write(effect);
        return m_library.loadBytes(bytes.data(), bytes.size(), name);
    }
    std::unique_ptr<cParticleEffectInstance> play(IParticleFile* file, size_t emitter = 0) {
        return std::unique_ptr<cParticleEffectInstance>(
            static_cast<cParticleEffectInstance*>(m_library.createEffect(file->getEmitter(emitter)->getId())));
    }

    cParticleLibrary m_library;
};

TEST_F(ParticleLibrary, FormatReadsBackWhatItWrote) {
    cParticleLayerDesc layer = still(3, 7);
    layer.texture = 0;
    layer.blend = PARTICLE_BLEND_ADDITIVE;
    layer.shape = PARTICLE_SHAPE_CIRCLE;
    layer.shapeWidth = 4;
    layer.sizes = {{0, 2}, {1, 8}};
    layer.colors = {{0, 1, 2, 3, 4}, {0.5f, 5, 6, 7, 8}};
    std::vector<uint8_t> bytes = cParticleEffectFormat::write(effectOf({layer, still(1)}));
    cParticleEffectDesc back;
    cParticleEffectFormat::read(bytes.data(), bytes.size(), back);
    ASSERT_EQ(back.emitters.size(), 1u);
    ASSERT_EQ(back.emitters[0].layers.size(), 2u);
    const cParticleLayerDesc& l = back.emitters[0].layers[0];
    EXPECT_EQ(back.emitters[0].name, "main");
    EXPECT_EQ(l.burst, 3u);
    EXPECT_FLOAT_EQ(l.rate, 7);
    EXPECT_EQ(l.blend, PARTICLE_BLEND_ADDITIVE);
    EXPECT_EQ(l.shape, PARTICLE_SHAPE_CIRCLE);
    EXPECT_FLOAT_EQ(l.sizes[1].size, 8);
    EXPECT_EQ(l.colors[1].a, 8);
    EXPECT_EQ(back.textures.size(), 1u);
    EXPECT_EQ(cParticleEffectFormat::write(back), bytes);
}

TEST_F(ParticleLibrary, FormatRefusesDamagedFiles) {
    const std::vector<uint8_t> good = cParticleEffectFormat::write(effectOf({still(1)}));
    auto refused = [](std::vector<uint8_t> bytes) {
        cParticleEffectDesc out;
        try {
            cParticleEffectFormat::read(bytes.data(), bytes.size(), out);
        } catch (const std::string&) {
            return true;
        }
        return false;
    };
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + long(size)))) << size;
    std::vector<uint8_t> bytes = good;
    bytes[4] = 2; // version
    EXPECT_TRUE(refused(bytes));
    bytes = good;
    bytes.push_back(0);
    EXPECT_TRUE(refused(bytes));
    bytes = good;
    std::memset(&bytes[12], 0xFF, 4); // emitter count
    EXPECT_TRUE(refused(bytes));
    // Values the simulation cannot use are refused by the writer and the reader alike.
    cParticleLayerDesc bad = still(1);
    bad.lifeMin = 0;
    EXPECT_THROW(cParticleEffectFormat::write(effectOf({bad})), std::string);
    bad = still(1);
    bad.texture = 5;
    EXPECT_THROW(cParticleEffectFormat::write(effectOf({bad})), std::string);
    bad = still(1);
    bad.sizes = {{0.5f, 1}, {0.2f, 1}};
    EXPECT_THROW(cParticleEffectFormat::write(effectOf({bad})), std::string);
}

TEST_F(ParticleLibrary, SameSeedGivesTheSameParticles) {
    cParticleLayerDesc layer = still(20, 30);
    layer.shape = PARTICLE_SHAPE_RECTANGLE;
    layer.shapeWidth = layer.shapeHeight = 50;
    layer.speedMin = 10;
    layer.speedMax = 90;
    layer.lifeMax = 3;
    IParticleFile* file = load(effectOf({layer}));
    m_library.setNextSeed(42);
    auto a = play(file);
    m_library.setNextSeed(42);
    auto b = play(file);
    auto c = play(file); // the next seed
    for (auto* effect : {a.get(), b.get(), c.get()})
        run(*effect, 0, 1.5f, 100, 100);
    std::vector<cParticleVertex> va, vb, vc;
    ASSERT_GT(a->fillVertices(va), 20u);
    b->fillVertices(vb);
    c->fillVertices(vc);
    ASSERT_EQ(va.size(), vb.size());
    EXPECT_EQ(std::memcmp(va.data(), vb.data(), va.size() * sizeof(cParticleVertex)), 0);
    EXPECT_TRUE(va.size() != vc.size() || std::memcmp(va.data(), vc.data(), va.size() * sizeof(cParticleVertex)) != 0);
    m_library.destroyFile(file);
}

TEST_F(ParticleLibrary, EmissionFollowsBurstRateWindowAndLimit) {
    struct Case {
        const char* name;
        cParticleLayerDesc layer;
        float seconds;
        size_t expected;
    };
    cParticleLayerDesc windowed = still(0, 20);
    windowed.start = 0.25f;
    windowed.duration = 0.5f;
    windowed.lifeMin = windowed.lifeMax = 10;
    cParticleLayerDesc limited = still(50, 100);
    limited.maxParticles = 30;
    cParticleLayerDesc late = still(5);
    late.start = 0.5f;
    cParticleLayerDesc longLived = still(0, 20);
    longLived.lifeMin = longLived.lifeMax = 10;
    const Case cases[] = {
        {"burst", still(10), 0.5f, 10},    {"rate", longLived, 1.0f, 20},         {"window", windowed, 2.0f, 10},
        {"limit", limited, 0.5f, 30},      {"late burst, before", late, 0.4f, 0}, {"late burst, after", late, 0.6f, 5},
        {"life ends", still(10), 1.1f, 0},
    };
    for (const Case& c : cases) {
        IParticleFile* file = load(effectOf({c.layer}));
        auto effect = play(file);
        run(*effect, 0, c.seconds);
        EXPECT_EQ(effect->getParticleCount(), c.expected) << c.name;
        m_library.destroyFile(file);
    }
}

TEST_F(ParticleLibrary, TimeGoingBackStartsTheScheduleAgainAndEmitZeroHoldsIt) {
    cParticleLayerDesc layer = still(4);
    layer.lifeMin = layer.lifeMax = 10;
    IParticleFile* file = load(effectOf({layer}));
    auto effect = play(file);
    run(*effect, 0, 0.5f);
    EXPECT_EQ(effect->getParticleCount(), 4u);
    effect->update(0, 0.05f, 0, 0, 0, 0);
    EXPECT_EQ(effect->getParticleCount(), 4u);
    run(*effect, 0, 0.2f);
    EXPECT_EQ(effect->getParticleCount(), 8u);
    m_library.destroyFile(file);
}

TEST_F(ParticleLibrary, MotionFollowsSpeedGravityAndTheEmitterPath) {
    cParticleLayerDesc layer = still(1);
    layer.speedMin = layer.speedMax = 10;
    layer.angle = 0;
    layer.spread = 0;
    layer.gravityY = 20;
    layer.lifeMin = layer.lifeMax = 5;
    IParticleFile* file = load(effectOf({layer}));
    auto effect = play(file);
    effect->update(0, 0, 100, 50, 0, 1);
    for (int i = 0; i < 20; ++i)
        effect->advanceTime(0.05f * float(i), 0.05f);
    const cParticleEffectInstance::cParticle& p = effect->getParticles(0)[0];
    EXPECT_NEAR(p.x, 110, 1e-3);
    EXPECT_NEAR(p.vy, 20, 1e-3);
    EXPECT_GT(p.y, 55); // about 50 + 20 / 2, by steps
    EXPECT_LT(p.y, 61);

    // Particles born in one step spread along the emitter's path.
    cParticleLayerDesc trail = still(0, 40);
    trail.lifeMin = trail.lifeMax = 5;
    IParticleFile* trailFile = load(effectOf({trail}));
    auto star = play(trailFile);
    star->update(0, 0.1f, 0, 0, 0, 1);
    const size_t first = star->getParticleCount();
    star->update(0.1f, 0.1f, 40, 0, 0, 1);
    ASSERT_EQ(star->getParticleCount(), first + 4);
    EXPECT_FLOAT_EQ(star->getParticles(0)[first].x, 10);
    EXPECT_FLOAT_EQ(star->getParticles(0)[first + 3].x, 40);
    m_library.destroyFile(file);
    m_library.destroyFile(trailFile);
}

TEST_F(ParticleLibrary, SizeAndColourFollowTheKeysOverAge) {
    cParticleLayerDesc layer = still(1);
    layer.lifeMin = layer.lifeMax = 2;
    layer.sizes = {{0, 10}, {1, 30}};
    layer.colors = {{0, 255, 0, 0, 255}, {1, 0, 0, 255, 55}};
    IParticleFile* file = load(effectOf({layer}));
    auto effect = play(file);
    effect->update(0, 0, 40, 60, 0, 1);
    effect->advanceTime(0, 1);
    effect->setScale(2);
    effect->setPosition(5, 7, 0);
    std::vector<cParticleVertex> v;
    ASSERT_EQ(effect->fillVertices(v), 1u);
    // Size 20 at half its life, times the scale 2; the centre at (40, 60) x 2 + (5, 7).
    EXPECT_FLOAT_EQ(v[0].x, 85 - 20);
    EXPECT_FLOAT_EQ(v[0].y, 127 - 20);
    EXPECT_FLOAT_EQ(v[2].x, 85 + 20);
    EXPECT_FLOAT_EQ(v[2].y, 127 + 20);
    EXPECT_EQ(v[0].color, 0x9B800080u);
    EXPECT_EQ(v[2].u, 1);
    m_library.destroyFile(file);
}

TEST_F(ParticleLibrary, RendersOneDrawPerRunOfTextureAndBlend) {
    Platform::cRecordingRenderDevice device;
    cPyroGraphicsDevice pyro(device, m_library.getQuadCapacity());
    m_library.setGraphicsDevice(&pyro);
    cParticleLayerDesc a = still(3), b = still(2), c = still(4);
    a.texture = b.texture = c.texture = 0;
    c.blend = PARTICLE_BLEND_ADDITIVE;
    IParticleFile* file = load(effectOf({a, b, c}));
    file->prepare();
    EXPECT_EQ(device.getTextureCount(), 1u);
    auto effect = play(file);
    run(*effect, 0, 0.1f);
    device.clearCalls();
    effect->render();
    EXPECT_EQ(device.getCalls("drawIndexedTriangles"),
              (std::vector<std::string>{"drawIndexedTriangles 0 0 20 0 10", "drawIndexedTriangles 20 0 16 0 8"}));
    EXPECT_EQ(device.getState().renderStates[Platform::RS_DEST_BLEND], uint32_t(Platform::BLEND_ONE));
    EXPECT_EQ(effect->getLastError(), 0);
    // An instance outliving its file still draws, untextured: the file's textures went with it.
    m_library.destroyFile(file);
    EXPECT_EQ(device.getTextureCount(), 0u);
    device.clearCalls();
    effect->render();
    EXPECT_EQ(device.getCalls("drawIndexedTriangles").size(), 2u);
    effect.reset();
    m_library.setGraphicsDevice(nullptr);
    EXPECT_EQ(device.getBufferCount(), 1u); // the quad index buffer
}

TEST_F(ParticleLibrary, ABatchDrawsAdjacentEffectsInOneCallOnTheSheetInTheirOrder) {
    Platform::cRecordingRenderDevice device;
    cPyroGraphicsDevice pyro(device, m_library.getQuadCapacity());
    m_library.setGraphicsDevice(&pyro);
    // Layer 0: alpha blended on a half-transparent texture; layer 1: additive, untextured.
    cParticleLayerDesc alpha = still(2), additive = still(3);
    alpha.texture = 0;
    alpha.colors = {{0, 200, 100, 50, 128}};
    additive.blend = PARTICLE_BLEND_ADDITIVE;
    additive.colors = {{0, 255, 255, 255, 64}};
    cParticleEffectDesc desc = effectOf({alpha, additive}, 0);
    std::string png = TestImages::png(2, 2, TestImages::Pixels(4, 0x80FFFFFFu));
    desc.textures.emplace_back(png.begin(), png.end());
    IParticleFile* file = load(desc);
    file->prepare();
    // A file never prepared has no textures on the device: it draws on its own.
    IParticleFile* unprepared = load(effectOf({still(1)}), "other.pfx");
    auto first = play(file), second = play(file), apart = play(unprepared);
    for (auto* effect : {first.get(), second.get(), apart.get()})
        run(*effect, 0, 0.1f);
    device.clearCalls();

    m_library.beginBatch();
    first->render();
    second->render();
    EXPECT_TRUE(device.getCalls("drawIndexedTriangles").empty());
    apart->render();
    second->render();
    m_library.endBatch();
    // Both effects (5 quads each) in one call, then the one apart, then the effect after it.
    EXPECT_EQ(device.getCalls("drawIndexedTriangles"),
              (std::vector<std::string>{"drawIndexedTriangles 0 0 40 0 20", "drawIndexedTriangles 0 0 4 0 2",
                                        "drawIndexedTriangles 0 0 20 0 10"}));
    const auto* sheet = static_cast<const cPyroTexture*>(m_library.getSheet());
    ASSERT_NE(sheet, nullptr);
    EXPECT_NE(std::find(device.getCalls().begin(), device.getCalls().end(),
                        "setTexture " + std::to_string(sheet->getTexture())),
              device.getCalls().end());
    EXPECT_EQ(device.getState().renderStates[Platform::RS_SRC_BLEND], uint32_t(Platform::BLEND_ONE));
    EXPECT_EQ(device.getState().renderStates[Platform::RS_DEST_BLEND], uint32_t(Platform::BLEND_INV_SRC_ALPHA));
    EXPECT_EQ(device.getState().renderStates[Platform::RS_ALPHA_TEST_ENABLE], 0u);

    // The sheet holds the texture premultiplied, with a white texel for untextured layers.
    std::vector<uint32_t> texels = device.getTexels(sheet->getTexture());
    EXPECT_EQ(texels[0], 0xFFFFFFFFu);
    EXPECT_EQ(std::count(texels.begin(), texels.end(), 0x80808080u), 16); // 2 x 2 and its border
    // Colours premultiplied; the additive quads keep alpha 0 and sample the white texel.
    std::vector<uint8_t> bytes = device.getBufferBytes(device.getState().vertexBuffer);
    ASSERT_GE(bytes.size(), 20 * sizeof(cParticleVertex));
    const auto* v = reinterpret_cast<const cParticleVertex*>(bytes.data());
    EXPECT_EQ(v[0].color, 0x80643219u);
    EXPECT_EQ(v[8].color, 0x00404040u);
    EXPECT_FLOAT_EQ(v[8].u, v[10].u);
    EXPECT_LT(v[0].u, v[2].u);

    // Without a batch an effect draws its runs of layers as before.
    device.clearCalls();
    first->render();
    EXPECT_EQ(device.getCalls("drawIndexedTriangles").size(), 2u);
    first.reset();
    second.reset();
    apart.reset();
    m_library.destroyFile(file);
    m_library.destroyFile(unprepared);
    m_library.setGraphicsDevice(nullptr);
    EXPECT_EQ(device.getTextureCount(), 0u);
    EXPECT_EQ(device.getBufferCount(), 1u); // the quad index buffer
}

TEST_F(ParticleLibrary, FileNotInOurFormatGivesAnEmptyEffect) {
    const char junk[] = "not a particle effect";
    struct Stream : IDataStream {
        const char* data;
        int32_t left;
        int32_t getSize() override { return 0; }
        int32_t seek(int32_t, int) override { return 0; }
        int32_t read(void* buffer, int32_t count) override {
            int32_t n = std::min(count, left);
            std::memcpy(buffer, data, size_t(n));
            data += n;
            left -= n;
            return n;
        }
        int32_t write(const void*, int32_t) override { return 0; }
        void close() override {}
    } stream;
    stream.data = junk;
    stream.left = int32_t(sizeof(junk));
    cPyroFileStream over(&stream);
    IParticleFile* file = m_library.loadFile(over, "junk.pfx");
    ASSERT_EQ(file->getEmitterCount(), 1u);
    EXPECT_EQ(file->getEmitter(1), nullptr);
    auto effect = play(file);
    ASSERT_NE(effect, nullptr);
    run(*effect, 0, 1);
    EXPECT_EQ(effect->getParticleCount(), 0u);
    const uint32_t id = file->getEmitter(0)->getId();
    m_library.destroyFile(file);
    EXPECT_EQ(m_library.createEffect(id), nullptr);
    // A file in our format without emitters still has an emitter 0 to play.
    IParticleFile* none = load(cParticleEffectDesc());
    EXPECT_EQ(none->getEmitterCount(), 1u);
}

TEST_F(ParticleLibrary, LayerPastTheQuadCapacityIsAClearError) {
    cParticleLayerDesc big = still(1);
    big.maxParticles = cParticleLibrary::QUAD_CAPACITY + 1;
    try {
        load(effectOf({big}), "big.pfx");
        FAIL() << "no exception";
    } catch (const CPyroException& error) {
        EXPECT_NE(std::string(error.what()).find("big.pfx"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("16384"), std::string::npos);
    }
}

TEST_F(ParticleLibrary, EveryShippedEffectLoadsWithItsLayers) {
    const std::vector<std::string> names = {
        "sparkle",          "dust_puff",         "match_burst_red", "match_burst_yellow",
        "match_burst_blue", "match_burst_green", "star_trail"};
    for (const std::string& name : names) {
        std::ifstream in(std::string(MEADOW_SHIPPED_DATA_DIR) + "/Effects/" + name + ".pfx", std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        cParticleEffectDesc effect;
        EXPECT_NO_THROW(cParticleEffectFormat::read(bytes.data(), bytes.size(), effect)) << name;
        IParticleFile* file = m_library.loadBytes(bytes.data(), bytes.size(), name);
        auto instance = play(file);
        ASSERT_GT(instance->getLayerCount(), 0u) << name;
        run(*instance, 0, 0.5f, 100, 100);
        EXPECT_GT(instance->getParticleCount(), 0u) << name;
        m_library.destroyFile(file);
    }
}

TEST_F(ParticleLibrary, AFileReadInShortPiecesLoadsWhole) {
    PiecewiseStream stream;
    stream.bytes = cParticleEffectFormat::write(effectOf({still(3), still(2)}));
    stream.piece = 7;
    cPyroFileStream over(&stream);
    IParticleFile* file = m_library.loadFile(over, "pieces.pfx");
    auto effect = play(file);
    ASSERT_EQ(effect->getLayerCount(), 2u);
    run(*effect, 0, 0.05f);
    EXPECT_EQ(effect->getParticleCount(), 5u);
}
