// The frame's sprite batch on the recording device: records, vertices and indices written,
// draw calls, growth and splitting, stencil records, meshes and their lights.

#include "tests/media/GraphicsFixture.h"

#include "engine/media/MeshDrawRecord.h"
#include "engine/media/ParticleDrawRecord.h"

#include <cstring>

using namespace Engine;
using namespace Platform;

namespace {

class SpriteBatch : public GraphicsFixture {
protected:
    std::vector<cBatchVertex> vertices() {
        std::vector<uint8_t> bytes = recording().getBufferBytes(graphics().getBatch().getVertexBuffer());
        std::vector<cBatchVertex> out(bytes.size() / sizeof(cBatchVertex));
        std::memcpy(out.data(), bytes.data(), out.size() * sizeof(cBatchVertex));
        return out;
    }
    std::vector<uint16_t> indices() {
        std::vector<uint8_t> bytes = recording().getBufferBytes(graphics().getBatch().getIndexBuffer());
        std::vector<uint16_t> out(bytes.size() / 2);
        std::memcpy(out.data(), bytes.data(), out.size() * 2);
        return out;
    }
    const std::vector<cBatchRecord>& records() { return graphics().getBatch().getRecords(); }
    int draws() { return int(recording().getCalls("drawIndexedTriangles").size()); }
};

class CountingEffect : public IParticleEffect {
public:
    void setScale(float scale) override { m_scale = scale; }
    void setPosition(float x, float y, float) override {
        m_x = x;
        m_y = y;
    }
    void render() override { ++m_renders; }
    float m_scale = 0, m_x = 0, m_y = 0;
    int m_renders = 0;
};

} // namespace

TEST_F(SpriteBatch, SameKeyQuadsShareOneRecordAndOneDraw) {
    startRecording();
    cTexture* a = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    graphics().beginFrame();
    for (int i = 0; i < 3; ++i)
        graphics().drawSprite(quad(float(i) * 10, 0, float(i) * 10 + 8, 8), a, 0, 0);
    EXPECT_EQ(12u, graphics().getBatch().getVertexCursor());
    EXPECT_EQ(18u, graphics().getBatch().getIndexCursor());
    graphics().endFrame();
    ASSERT_EQ(1u, records().size());
    EXPECT_EQ(12u, records()[0].vertexCount);
    EXPECT_EQ(6u, records()[0].triangleCount);
    EXPECT_EQ(std::vector<std::string>{"drawIndexedTriangles 0 0 12 0 6"}, recording().getCalls("drawIndexed"));
    const uint16_t expected[18] = {0, 2, 1, 1, 2, 3, 4, 6, 5, 5, 6, 7, 8, 10, 9, 9, 10, 11};
    std::vector<uint16_t> written = indices();
    EXPECT_TRUE(std::equal(expected, expected + 18, written.begin()));
}

TEST_F(SpriteBatch, KeysDecideWhereRecordsBreak) {
    startRecording();
    cTexture* a = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    cTexture* b = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFF000000u));
    cMeshDrawRecord mesh;
    cParticleDrawRecord particles;
    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0, 0);
    graphics().drawSprite(quad(0, 0, 8, 8), b, 0, 0);
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0, 0);
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0x800, 0);
    graphics().drawMesh(&mesh, 0x800, 0);
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0x800, 0);
    graphics().drawPyroEffect(&particles);
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0x800, 0);
    graphics().endFrame();
    ASSERT_EQ(8u, records().size());
    // Each quad record starts where the one before ended.
    uint32_t base = 0;
    for (const cBatchRecord& record : records()) {
        EXPECT_EQ(base, record.baseVertex);
        base += record.vertexCount;
    }
    EXPECT_EQ(&mesh, records()[4].mesh);
    EXPECT_EQ(&particles, records()[6].particle);
}

TEST_F(SpriteBatch, AQuadRecordJoinsAnEarlierOneOfItsStateWhenNothingBetweenOverlapsIt) {
    startRecording();
    cTexture* a = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    cTexture* b = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFF000000u));
    cMeshDrawRecord mesh;
    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0, 0);     // A1
    graphics().drawSprite(quad(20, 0, 28, 8), b, 0, 0);   // B1, apart from A2: A2 joins A1
    graphics().drawSprite(quad(40, 0, 48, 8), a, 0, 0);   // A2
    graphics().drawSprite(quad(40, 4, 48, 12), b, 0, 0);  // B2 over A2: joins B1 (nothing between)
    graphics().drawSprite(quad(44, 0, 52, 8), a, 0, 0);   // A3 over B2: stays after it
    graphics().drawSprite(quad(0, 0, 8, 8), a, 0x800, 0); // another blend: its own record
    graphics().drawMesh(&mesh, 0, 0);                     // may draw anywhere: nothing moves past it
    graphics().drawSprite(quad(20, 20, 28, 28), b, 0, 0); // B3
    graphics().endFrame();
    ASSERT_EQ(6u, records().size());
    const struct {
        const cTexture* texture;
        uint32_t renderType;
        uint32_t triangles;
    } expected[] = {{a, 0, 4}, {b, 0, 4}, {a, 0, 2}, {a, 0x800, 2}, {nullptr, 0, 0}, {b, 0, 2}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[i].texture ? expected[i].texture->getDeviceTexture() : 0u, records()[i].texture) << i;
        EXPECT_EQ(expected[i].renderType, records()[i].renderType) << i;
        EXPECT_EQ(expected[i].triangles, records()[i].triangleCount) << i;
    }
    EXPECT_EQ(&mesh, records()[4].mesh);
    // The joined record's indices count from its first vertex: A2's quad is vertices 8 to 11.
    std::vector<uint16_t> written = indices();
    const uint16_t joined[12] = {0, 2, 1, 1, 2, 3, 8, 10, 9, 9, 10, 11};
    EXPECT_TRUE(std::equal(joined, joined + 12, written.begin() + records()[0].startIndex));
    EXPECT_EQ(5, draws()) << "a draw a record, the mesh without geometry none";
}

TEST_F(SpriteBatch, QuadsThatChangeNoPixelAreLeftOutAndKeepTheBatchWhole) {
    startRecording();
    cTexture* atlas = makeTexture(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    struct Case {
        const char* what;
        cSpriteQuad quad;
        uint32_t renderType;
        bool drawn;
    };
    const Case cases[] = {
        {"no width", quad(100, 10, 100, 30), 0, false},
        {"no height", quad(10, 50, 40, 50), 0, false},
        {"a point, transparent", quad(0, 0, 0, 0, 0x00FFFFFFu), 0, false},
        {"transparent, alpha blended", quad(0, 0, 50, 50, 0x00FFFFFFu), 0, false},
        {"transparent, additive", quad(0, 0, 50, 50, 0x00FFFFFFu), RENDER_ADDITIVE, false},
        {"transparent, modulated", quad(0, 0, 50, 50, 0x00FFFFFFu), RENDER_MODULATE, true},
        {"transparent, multiplied", quad(0, 0, 50, 50, 0x00FFFFFFu), RENDER_MULTIPLY, true},
        {"transparent, opaque", quad(0, 0, 50, 50, 0x00FFFFFFu), RENDER_OPAQUE, true},
        {"one corner seen",
         [] {
             cSpriteQuad q = quad(0, 0, 50, 50, 0x00FFFFFFu);
             q.vertices[3].color = 0x01FFFFFFu;
             return q;
         }(),
         0, true},
        {"a line of one pixel", quad(0, 0, 50, 1), 0, true},
    };
    for (const Case& c : cases) {
        graphics().beginFrame();
        recording().clearCalls();
        // Between two atlas quads, untextured: drawn, it splits them into three draws.
        graphics().drawSprite(quad(0, 0, 8, 8), atlas, 0, 0);
        graphics().drawSprite(c.quad, nullptr, c.renderType, 0);
        graphics().drawSprite(quad(8, 0, 16, 8), atlas, 0, 0);
        graphics().endFrame();
        EXPECT_EQ(recording().getCalls("drawIndexed").size(), c.drawn ? 3u : 1u) << c.what;
    }
    // Wireframe shows every quad.
    graphics().setWireframe(true);
    graphics().beginFrame();
    recording().clearCalls();
    graphics().drawSprite(quad(100, 10, 100, 30), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(recording().getCalls("drawIndexed").size(), 1u);
}

TEST_F(SpriteBatch, SubdividedQuadIsAGridWithMixedColours) {
    startRecording();
    cSpriteQuad q = quad(0, 0, 20, 20);
    q.vertices[0].color = 0xFF000000u;
    q.vertices[1].color = 0xFFFF0000u;
    q.vertices[2].color = 0xFF00FF00u;
    q.vertices[3].color = 0xFF0000FFu;
    q.subdivision = 2;
    graphics().beginFrame();
    graphics().drawSprite(q, nullptr, 0, 0);
    graphics().endFrame();
    ASSERT_EQ(1u, records().size());
    EXPECT_EQ(9u, records()[0].vertexCount);
    EXPECT_EQ(8u, records()[0].triangleCount);
    std::vector<cBatchVertex> v = vertices();
    EXPECT_FLOAT_EQ(9.5f, v[4].x);
    EXPECT_FLOAT_EQ(9.5f, v[4].y);
    cColor centre;
    centre.fromARGB(v[4].color);
    EXPECT_NEAR(0.25f, centre.r, 0.005f);
    EXPECT_NEAR(0.25f, centre.g, 0.005f);
    EXPECT_NEAR(0.25f, centre.b, 0.005f);
    EXPECT_EQ(0xFF0000FFu, v[8].color);
}

TEST_F(SpriteBatch, CornersLandAtBackBufferPixels) {
    startRecording();
    graphics().beginFrame();
    graphics().drawSprite(quad(10, 20, 30, 40), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_FLOAT_EQ(9.5f, vertices()[0].x);
    EXPECT_FLOAT_EQ(19.5f, vertices()[0].y);
}

TEST_F(SpriteBatch, CornersLandAtFittedPixelsInFullScreen) {
    writeConfig("", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    graphics().beginFrame();
    graphics().drawSprite(quad(10, 20, 30, 40), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_FLOAT_EQ(258.0f, vertices()[0].x);
    EXPECT_FLOAT_EQ(36.0f, vertices()[0].y);
}

TEST_F(SpriteBatch, NothingIsWrittenWithoutAnOpenFrame) {
    startRecording();
    graphics().drawSprite(quad(0, 0, 8, 8), nullptr, 0, 0);
    EXPECT_EQ(0u, graphics().getBatch().getVertexCursor());
    graphics().endFrame();
    EXPECT_EQ(0, draws());
}

TEST_F(SpriteBatch, BuffersStartWithRoomFor4096SpritesAndFallBackToTheManagedPool) {
    startRecording();
    EXPECT_EQ(4096u, graphics().getReserveSpriteCount());
    EXPECT_EQ(1, int(recording().getCalls("createIndexBuffer 49152 pool 0").size()));
    EXPECT_EQ(1, int(recording().getCalls("createVertexBuffer 393216 pool 0").size()));

    recording().setPoolFailure(POOL_DEFAULT, RESULT_INVALID_CALL);
    graphics().setReserveSpriteCount(8);
    EXPECT_EQ(1, int(recording().getCalls("createIndexBuffer 96 pool 1").size()));
    EXPECT_EQ(1, int(recording().getCalls("createVertexBuffer 768 pool 1").size()));
    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 1, 1), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(1, draws());
}

TEST_F(SpriteBatch, NewBuffersDuringAFrameDropWhatTheFrameQueued) {
    startRecording();
    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 1, 1), nullptr, 0, 0);
    graphics().drawSprite(quad(0, 0, 1, 1), nullptr, RENDER_ADDITIVE, 0);
    graphics().setReserveSpriteCount(8);
    graphics().drawSprite(quad(0, 0, 1, 1), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(0, draws());
    EXPECT_TRUE(records().empty());

    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 1, 1), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(1, draws());
}

TEST_F(SpriteBatch, BuffersGrowInsteadOfOverrunning) {
    writeConfig("", "reserve_sprite_count=\"16\"");
    startRecording();
    graphics().beginFrame();
    for (int i = 0; i < 100; ++i)
        graphics().drawSprite(quad(float(i), 0, float(i) + 1, 1), nullptr, 0, 0);
    graphics().endFrame();
    EXPECT_GE(graphics().getReserveSpriteCount(), 100u);
    ASSERT_EQ(1u, records().size());
    EXPECT_EQ(400u, records()[0].vertexCount);
    // What was written before the growth came along into the new buffers.
    EXPECT_FLOAT_EQ(-0.5f, vertices()[0].x);
    EXPECT_FLOAT_EQ(98.5f, vertices()[396].x);
}

TEST_F(SpriteBatch, LongRunsSplitSoThatIndicesFitSixteenBits) {
    startRecording();
    const int quads = 20000; // 80000 vertices in one frame
    graphics().beginFrame();
    for (int i = 0; i < quads; ++i)
        graphics().drawSprite(quad(0, 0, 1, 1), nullptr, 0, 0);
    graphics().endFrame();
    ASSERT_EQ(2u, records().size());
    EXPECT_EQ(65536u, records()[0].vertexCount);
    EXPECT_EQ(65536u, records()[1].baseVertex);
    EXPECT_EQ(80000u - 65536u, records()[1].vertexCount);
    std::vector<uint16_t> written = indices();
    // The first quad of the second record counts from its base vertex again.
    EXPECT_EQ(0u, written[records()[1].startIndex]);
    EXPECT_EQ(2, draws());
}

TEST_F(SpriteBatch, StencilRecordsDrawTwiceAndSetTheirOwnAlphaReference) {
    startRecording();
    graphics().beginFrame();
    graphics().drawSprite(quad(0, 0, 8, 8), nullptr, 0x4 | 0x8, 0);
    graphics().drawSprite(quad(0, 0, 8, 8), nullptr, 0x8 | 0x400, 77);
    graphics().endFrame();
    EXPECT_EQ(3, draws());
    const std::string alphaRef = "setRenderState " + std::to_string(RS_ALPHA_REF) + " ";
    std::vector<std::string> expected = {alphaRef + "136", alphaRef + "0", alphaRef + "77"};
    EXPECT_EQ(expected, recording().getCalls(alphaRef));
    EXPECT_EQ(uint32_t(CMP_EQUAL), recording().getRenderState(RS_STENCIL_FUNC));
}

TEST_F(SpriteBatch, MeshLightsComeFromAValidSetAndLeftoversAreTurnedOff) {
    writeConfig("", "",
                "<lightConfig count=\"2\"/>"
                "<lights0 count=\"3\" ambient=\"FFFF0000\"/>"
                "<lights1 count=\"1\" ambient=\"FF0000FF\"/>");
    startRecording();
    TestQuadMesh mesh(device());
    cMeshDrawRecord big, small, invalid;
    big.mesh = small.mesh = invalid.mesh = &mesh;
    big.lighting = small.lighting = invalid.lighting = true;
    big.lightTable = 0;
    small.lightTable = 1;
    invalid.lightTable = 2;
    graphics().beginFrame();
    graphics().drawMesh(&big, 0, 0);
    graphics().drawMesh(&small, 0, 0);
    graphics().drawMesh(&invalid, 0, 0);
    graphics().endFrame();
    std::vector<std::string> expected = {"enableLight 0 1", "enableLight 1 1", "enableLight 2 1",
                                         "enableLight 0 1", "enableLight 1 0", "enableLight 2 0"};
    EXPECT_EQ(expected, recording().getCalls("enableLight"));
    const std::string ambient = "setRenderState " + std::to_string(RS_AMBIENT) + " ";
    // 0xAARRGGBB: red stays red, blue stays blue.
    std::vector<std::string> ambients = {ambient + std::to_string(0xFFFF0000u), ambient + std::to_string(0xFF0000FFu)};
    EXPECT_EQ(ambients, recording().getCalls(ambient));
    EXPECT_EQ(3, draws());
    EXPECT_EQ(0u, recording().getRenderState(RS_LIGHTING));
}

TEST_F(SpriteBatch, ParticleEffectIsPlacedWhenDirtyAndDrawnBetweenSavedStates) {
    writeConfig("", "fullscreen=\"1\"");
    startRecording(1920, 1080);
    CountingEffect effect;
    cParticleDrawRecord record;
    record.effect = &effect;
    record.x = 100;
    record.y = 50;
    record.offsetX = 10;
    record.scale = 1;
    graphics().beginFrame();
    graphics().drawPyroEffect(&record);
    graphics().endFrame();
    EXPECT_EQ(1, effect.m_renders);
    EXPECT_FLOAT_EQ(1.8f, effect.m_scale);
    // p - p x scale + (screen(p) - p) + offset x k
    EXPECT_FLOAT_EQ(100 - 180 + (420 - 100) + 18, effect.m_x);
    EXPECT_FALSE(record.dirty);
    EXPECT_EQ(1u, recording().getCalls("saveState").size());
    EXPECT_EQ(1u, recording().getCalls("restoreState").size());
}
