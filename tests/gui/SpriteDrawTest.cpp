#include "engine/core/XmlNode.h"
#include "engine/gui/Sprite.h"
#include "engine/media/Texture.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::DrawCall;
using TestSupport::UiHarness;

namespace {

// Counts its rebuilds and its animation ends.
class CountingSprite : public cSprite {
public:
    using cSprite::cSprite;
    void onAnimationEnd() override { ++ends; }
    int builds = 0, ends = 0;

protected:
    void buildQuad(cSpriteQuad& quad, unsigned frame, float alphaFactor) override {
        ++builds;
        cSprite::buildQuad(quad, frame, alphaFactor);
    }
};

class SpriteDrawTest : public ::testing::Test {
protected:
    static void expectCorner(const DrawCall& call, int vertex, float x, float y) {
        EXPECT_NEAR(call.quad.vertices[vertex].position.x, x, 1e-3f) << "vertex " << vertex;
        EXPECT_NEAR(call.quad.vertices[vertex].position.y, y, 1e-3f) << "vertex " << vertex;
    }
    static void expectUv(const cSpriteQuad& quad, float left, float top, float right, float bottom) {
        EXPECT_NEAR(quad.textureRect[0], left, 1e-6f);
        EXPECT_NEAR(quad.textureRect[1], top, 1e-6f);
        EXPECT_NEAR(quad.textureRect[2], right, 1e-6f);
        EXPECT_NEAR(quad.textureRect[3], bottom, 1e-6f);
    }

    UiHarness ui;
};

} // namespace

TEST_F(SpriteDrawTest, QuadCornersFollowPositionSizeAndAngle) {
    cSprite sprite(nullptr);
    sprite.setPosition(cVector2(100, 50));
    sprite.setSize(cVector2(40, 20));
    sprite.show();
    ui.step();
    ASSERT_EQ(ui.draws().size(), 1u);
    expectCorner(ui.draws()[0], 0, 80, 40);
    expectCorner(ui.draws()[0], 1, 120, 40);
    expectCorner(ui.draws()[0], 2, 80, 60);
    expectCorner(ui.draws()[0], 3, 120, 60);
    EXPECT_EQ(ui.draws()[0].alphaRef, 0);

    // 90 degrees: a corner offset (x, y) becomes (y, -x).
    sprite.setAngle(90);
    ui.step();
    expectCorner(ui.draws()[0], 0, 90, 70);
    expectCorner(ui.draws()[0], 3, 110, 30);

    // A negative width swaps the left and right corners: the picture is mirrored.
    sprite.setAngle(0);
    sprite.setSize(cVector2(-40, 20));
    ui.step();
    expectCorner(ui.draws()[0], 0, 120, 40);
    expectCorner(ui.draws()[0], 1, 80, 40);

    sprite.setOffset(cVector2(5, 6));
    ui.step();
    expectCorner(ui.draws()[0], 0, 125, 46);
}

TEST_F(SpriteDrawTest, ColourPackingWithAlphaAndTheRootFade) {
    struct Case {
        cColor color;
        float rootFade;
        uint32_t packed;
    };
    const Case cases[] = {
        {cColor(1, 1, 1, 1), 1, 0xFFFFFFFFu},
        {cColor(1, 0.5f, 0, 0.5f), 1, 0x80FF8000u},
        {cColor(1, 0.5f, 0, 0.5f), 0.5f, 0x40FF8000u},
        {cColor(2, -1, 0.2f, 3), 1, 0xFFFF0033u},
    };
    for (const Case& c : cases) {
        cWidget root(nullptr);
        root.show();
        auto* sprite = new cSprite(&root);
        sprite->setColor(c.color);
        sprite->show();
        if (c.rootFade < 1) {
            // One frame of the fade-out brings the root's value down to rootFade.
            root.setFadeSpeed((1 - c.rootFade) / UiHarness::FRAME_TIME);
            root.fadeOut();
        }
        ui.step();
        ASSERT_EQ(ui.draws().size(), 1u);
        EXPECT_EQ(ui.draws()[0].quad.vertices[3].color, c.packed) << std::hex << c.packed;
    }
}

TEST_F(SpriteDrawTest, TextureRectangles) {
    struct Case {
        const char* name;
        cVector2 size, tile;
        unsigned columns, rows, frames;
        int frame;
        bool inverseX, inverseY;
        float uv[4];
    };
    const Case cases[] = {
        {"plain", {10, 10}, {0, 0}, 1, 1, 1, 0, false, false, {0, 0, 1, 1}},
        {"mirrored column", {10, 10}, {0, 0}, 4, 1, 4, 1, true, false, {0.5f, 0, 0.25f, 1}},
        {"grid cell", {10, 10}, {0, 0}, 2, 2, 4, 3, false, true, {0.5f, 1, 1, 0.5f}},
        {"tiled", {100, 50}, {50, 25}, 1, 1, 1, 0, false, false, {0, 0, 2, 2}},
        {"tile without y", {100, 50}, {50, 0}, 1, 1, 1, 0, false, false, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cSprite sprite(nullptr);
        sprite.setSize(c.size);
        sprite.setTile(c.tile);
        sprite.setAnimGrid(c.columns, c.rows);
        sprite.setFramesCount(c.frames);
        sprite.setAnimFrame(c.frame);
        sprite.setInverseX(c.inverseX);
        sprite.setInverseY(c.inverseY);
        expectUv(sprite.getQuad(), c.uv[0], c.uv[1], c.uv[2], c.uv[3]);
    }
}

TEST_F(SpriteDrawTest, AtlasFramesMapIntoTheAtlasImage) {
    UiHarness& atlas = ui;
    atlas.writeFile("atlases.xml", "<Atlases><A><Path>atlas/ui.tga</Path><Map>atlas/map.xml</Map></A></Atlases>");
    atlas.writeFile("atlas/map.xml", "<M><P><Name>ui/button.png</Name><Pos>64 0</Pos><Size>64 32</Size></P></M>");
    atlas.writePicture("atlas/ui.tga", 256, 256, 0xFFFFFFFFu);
    atlas.writeFile("b.xml", "<S Picture=\"ui/button.png\" anim_columns=\"2\" frames_count=\"2\"/>");
    cSprite sprite(nullptr);
    sprite.loadXML(atlas.layout("b.xml"));
    EXPECT_EQ(sprite.getFrame().index, 0);
    expectUv(sprite.getQuad(), 0.25f, 0, 0.375f, 0.125f);
    sprite.setAnimFrame(1);
    expectUv(sprite.getQuad(), 0.375f, 0, 0.5f, 0.125f);
    sprite.setPicture("");
    EXPECT_EQ(sprite.getFrame().index, -1);
}

TEST_F(SpriteDrawTest, CrossFadeWeights) {
    cSprite sprite(nullptr);
    sprite.setFramesCount(4);
    sprite.setAnimGrid(4, 1);
    sprite.setDoubleAnimRender(true);
    sprite.show();
    struct Case {
        float time;
        uint32_t firstAlpha, secondAlpha;
        float secondLeft;
    };
    const Case cases[] = {{0.0625f, 255, 128, 0.25f}, {0.1875f, 128, 255, 0.25f}, {0.875f, 255, 255, 0.0f}};
    for (const Case& c : cases) {
        sprite.setAnimPosition(c.time);
        ui.step();
        ASSERT_EQ(ui.draws().size(), 2u);
        EXPECT_EQ(ui.draws()[0].alpha(), c.firstAlpha) << c.time;
        EXPECT_EQ(ui.draws()[1].alpha(), c.secondAlpha) << c.time;
        EXPECT_FLOAT_EQ(ui.draws()[1].quad.textureRect[0], c.secondLeft) << c.time;
    }
}

TEST_F(SpriteDrawTest, AnimationTimeWrapsWithAndWithoutLooping) {
    struct Case {
        float time;
        bool loop;
        float wrapped;
        int frame;
        int ends;
    };
    const Case cases[] = {
        {0.5f, true, 0.5f, 2, 0},   {1.0f, true, 1.0f, 3, 0},    {1.25f, true, 0.25f, 1, 0},
        {1.25f, false, 1.0f, 3, 1}, {-0.25f, true, 0.75f, 3, 0}, {-0.25f, false, 0.0f, 0, 0},
        {9.5f, true, 0.5f, 2, 0},
    };
    for (const Case& c : cases) {
        CountingSprite sprite(nullptr);
        sprite.setFramesCount(4);
        sprite.setAnimLoop(c.loop);
        sprite.setAnimPosition(c.time);
        sprite.prepareDraw();
        SCOPED_TRACE(c.time);
        EXPECT_FLOAT_EQ(sprite.getAnimPosition(), c.wrapped);
        EXPECT_EQ(sprite.getAnimFrame(), c.frame);
        EXPECT_EQ(sprite.ends, c.ends);
        sprite.invalidate();
        sprite.prepareDraw();
        EXPECT_EQ(sprite.ends, c.ends);
    }
}

TEST_F(SpriteDrawTest, SetAnimFrameGivesTheFrameBackForEveryLength) {
    const float lengths[] = {0.1f, 0.3f, 0.7f, 1.0f, 1.3f, 2.9f, 0.05f};
    const unsigned counts[] = {3, 5, 7, 10, 13};
    for (float length : lengths)
        for (unsigned count : counts) {
            cSprite sprite(nullptr);
            sprite.setAnimLength(length);
            sprite.setFramesCount(count);
            for (int frame = int(count) - 1; frame >= 0; --frame) {
                sprite.setAnimFrame(frame);
                ASSERT_EQ(sprite.getAnimFrame(), frame) << "length " << length << ", " << count << " frames";
            }
        }
    cSprite sprite(nullptr);
    sprite.setFramesCount(4);
    sprite.setAnimFrame(10);
    EXPECT_EQ(sprite.getAnimPosition(), 1.0f);
}

TEST_F(SpriteDrawTest, ZeroLengthAnimationStaysFinite) {
    cSprite sprite(nullptr);
    sprite.setAnimLength(0);
    sprite.setFramesCount(4);
    sprite.setAnimGrid(4, 1);
    sprite.setDoubleAnimRender(true);
    sprite.setAnimFrame(2);
    sprite.advanceAnimation(0.3f);
    const cSpriteQuad& quad = sprite.getQuad();
    EXPECT_TRUE(std::isfinite(sprite.getAnimPosition()));
    for (float uv : quad.textureRect)
        EXPECT_TRUE(std::isfinite(uv));
    EXPECT_TRUE(std::isfinite(sprite.getSecondQuad().textureRect[0]));
}

TEST_F(SpriteDrawTest, DrawOrderByDepthThenTextureStableForTies) {
    ui.writePicture("a.tga", 2, 2, 0xFFFFFFFFu);
    ui.start();
    std::vector<std::unique_ptr<cSprite>> sprites;
    const float depths[] = {5, 4, 4, 4, 4, 4, 3};
    for (float depth : depths) {
        sprites.push_back(std::make_unique<cSprite>(nullptr));
        sprites.back()->setDepth(depth);
        sprites.back()->setPicture("a.tga");
        sprites.back()->setPosition(cVector2(float(sprites.size()), 0.0f));
        sprites.back()->show();
    }
    std::vector<float> first;
    for (int frame = 0; frame < 6; ++frame) {
        // Moving sprites and re-listing them must not reorder equal ones.
        sprites[frame % 5 + 1]->setPosition(cVector2(float(frame % 5 + 2), float(frame)));
        sprites[3]->hide();
        sprites[3]->show();
        ui.step();
        ASSERT_EQ(ui.draws().size(), 7u);
        std::vector<float> order;
        for (const DrawCall& call : ui.draws())
            order.push_back(call.quad.vertices[0].position.x + 0.5f);
        if (frame == 0)
            first = order;
        EXPECT_EQ(order, first) << "frame " << frame;
    }
    // Depth 3 first, depth 5 last, the depth-4 sprites in creation order.
    EXPECT_EQ(first, (std::vector<float>{7, 2, 3, 4, 5, 6, 1}));
}

// A sprite whose animation end hides a sprite (itself or another) while the frame is drawn.
TEST_F(SpriteDrawTest, SpriteHiddenByAnAnimationEndWhileDrawingLeavesTheRestOfTheFrameWhole) {
    struct HidingSprite : cSprite {
        using cSprite::cSprite;
        void onAnimationEnd() override { target->hide(); }
        cSprite* target = nullptr;
    };
    ui.start();
    for (int hidden : {0, 2}) {
        SCOPED_TRACE(hidden);
        HidingSprite first(nullptr);
        cSprite second(nullptr), third(nullptr);
        cSprite* sprites[] = {&first, &second, &third};
        for (int i = 0; i < 3; ++i) {
            sprites[i]->setDepth(float(3 + i));
            sprites[i]->setPosition(cVector2(float(i + 1), 0.0f));
            sprites[i]->show();
        }
        first.target = sprites[hidden];
        first.setAnimLoop(false);
        first.setAnimPosition(2.0f);
        ui.step();
        std::vector<float> order;
        for (const DrawCall& call : ui.draws())
            order.push_back(call.quad.vertices[0].position.x + 0.5f);
        // The hiding sprite's last picture is drawn; one hidden before its turn is not.
        EXPECT_EQ(order, hidden == 0 ? (std::vector<float>{1, 2, 3}) : (std::vector<float>{1, 2}));
        ui.step();
        EXPECT_EQ(ui.draws().size(), 2u);
    }
}

TEST_F(SpriteDrawTest, RebuildsOnlyAfterAChange) {
    CountingSprite sprite(nullptr);
    sprite.show();
    CountingSprite hidden(nullptr);
    hidden.show();
    hidden.hide();
    ui.step();
    EXPECT_EQ(sprite.builds, 1);
    ui.steps(3);
    EXPECT_EQ(sprite.builds, 1);
    EXPECT_EQ(ui.draws().size(), 1u);
    sprite.setAngle(10);
    sprite.setAngle(10);
    sprite.setColor(cColor(1, 1, 1, 1));
    ui.step();
    EXPECT_EQ(sprite.builds, 2);
    sprite.invalidate(true);
    EXPECT_EQ(sprite.builds, 3);
    EXPECT_EQ(hidden.builds, 0);
}

TEST_F(SpriteDrawTest, MultiSpritesDrawTheirQuadList) {
    cSprite sprite(nullptr);
    sprite.setMultiSprites(true);
    sprite.setSize(cVector2(4, 4));
    sprite.show();
    ui.step();
    ASSERT_EQ(ui.draws().size(), 1u);
    EXPECT_EQ(sprite.getQuads().size(), 1u);
    expectCorner(ui.draws()[0], 0, -2, -2);
}
