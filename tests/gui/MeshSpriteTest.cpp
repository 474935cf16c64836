// Sprites with a mesh and a skeletal animation: the mesh record they hand to the device's mesh
// path, and the blend from one animation to the next.

#include "engine/core/ResourceManager.h"
#include "engine/gui/Sprite.h"
#include "engine/media/Mesh.h"
#include "engine/media/MeshAnimation.h"
#include "tests/media/MeshFiles.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Engine;
using namespace TestMeshes;
using TestSupport::UiHarness;

namespace {

class MeshSpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.writeFile("models/box.mesh", mesh(MESH_FORMAT_PNT, 32, 3, {0, 1, 2}));
        ui.writeFile("models/man.mesh", skinnedMesh({0, 0, 0, 10, 0, 0, 0, 10, 0}, {0, 1, 1},
                                                    {translation(0, 0, 0), translation(5, 0, 0)}));
        ui.writeFile("models/walk.anim", animation(2, {{-1, {{translation(0, 0, 0), 0}, {translation(4, 0, 0), 2}}},
                                                       {0, {{translation(5, 0, 0), 0}}}}));
        ui.writeFile("models/wave.anim", animation(1, {{-1, {{translation(0, 3, 0), 0}}}, {0, {}}}));
        ui.writeFile("models/one.anim", animation(1, {{-1, {{translation(0, 1, 0), 0}}}}));
        ui.start();
    }
    std::unique_ptr<cSprite> load(const std::string& attributes) {
        const std::string name = "m" + std::to_string(m_files++) + ".xml";
        ui.writeFile(name, "<S Visible=\"1\" Enable=\"1\" " + attributes + "/>");
        auto sprite = std::make_unique<cSprite>(nullptr);
        sprite->loadXML(ui.layout(name));
        return sprite;
    }
    cMeshAnimation* anim(const std::string& path) {
        cMeshAnimation* animation = getResourceManager()->getAnimation(path);
        animation->decRef();
        return animation;
    }

    UiHarness ui;
    int m_files = 0;
};

} // namespace

TEST_F(MeshSpriteTest, MeshSpritesHandTheirRecordToTheMeshPath) {
    auto sprite = load("Mesh=\"models/man.mesh\" Animation=\"models/walk.anim\" anim_length=\"1\" "
                       "anim_position=\"0.25\" position=\"30,40\" deep=\"2\" color=\"80FF0000\"");
    auto box = load("Mesh=\"models/box.mesh\" position=\"1,1\"");
    ui.step();
    EXPECT_TRUE(ui.draws().empty());
    ASSERT_EQ(ui.graphics().meshDraws(), 2);
    const cMeshDrawRecord& record = sprite->getMeshDrawData();
    EXPECT_EQ(ui.graphics().meshRecords()[0] == &record || ui.graphics().meshRecords()[1] == &record, true);
    cMesh* man = getResourceManager()->getMesh("models/man.mesh");
    man->decRef();
    EXPECT_EQ(record.mesh, static_cast<const IMeshGeometry*>(man));
    EXPECT_EQ(record.animation, static_cast<const IMeshAnimation*>(anim("models/walk.anim")));
    // A quarter of the sprite's animation length is a quarter of the animation's own 2 s.
    EXPECT_FLOAT_EQ(record.time, 0.5f);
    EXPECT_FLOAT_EQ(record.world.m[12], 30);
    EXPECT_FLOAT_EQ(record.world.m[13], 40);
    EXPECT_FLOAT_EQ(record.world.m[14], 2);
    EXPECT_NEAR(record.diffuse.a, 0.5f, 0.01f);
    EXPECT_EQ(box->getMeshDrawData().animation, nullptr);
    EXPECT_EQ(box->getMeshDrawData().time, 0.0f);
}

TEST_F(MeshSpriteTest, ANewAnimationBlendsFromTheOldPoseOverTheBlendTime) {
    auto sprite = load("Mesh=\"models/man.mesh\" Animation=\"models/walk.anim\" IsAniblend=\"1\" "
                       "AnimBlendTime=\"0.15\"");
    ui.step(0.05f);
    cMeshAnimation* walk = anim("models/walk.anim");
    const float walkTime = walk->getTime();
    sprite->setAnimation(anim("models/wave.anim"));
    const cMeshDrawRecord& record = sprite->getMeshDrawData();
    EXPECT_EQ(record.blendFactor, 1.0f);
    EXPECT_FLOAT_EQ(sprite->getAnimBlendRemaining(), 0.15f);
    // The blend starts from the old animation a hundredth of a second on.
    EXPECT_NEAR(walk->getTime(), walkTime + 0.01f, 1e-6f);
    ASSERT_EQ(record.blendSource.size(), 2u);
    EXPECT_EQ(record.blendSource[0].m[12], walk->getBoneMatrices()[0].m[12]);
    const float factors[] = {0.667f, 0.333f, 0.0f};
    for (float factor : factors) {
        ui.step(0.05f);
        EXPECT_NEAR(sprite->getMeshDrawData().blendFactor, factor, 1e-3f);
    }
    EXPECT_EQ(ui.graphics().meshDraws(), 1);
}

TEST_F(MeshSpriteTest, NoBlendWithoutItsConditions) {
    struct Case {
        const char* name;
        const char* attributes;
        const char* first;
        bool hide;
    };
    const Case cases[] = {
        {"blending off", "IsAniblend=\"0\"", "models/walk.anim", false},
        {"hidden", "IsAniblend=\"1\"", "models/walk.anim", true},
        {"bone counts differ", "IsAniblend=\"1\"", "models/one.anim", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sprite = load(std::string("Mesh=\"models/man.mesh\" Animation=\"") + c.first + "\" " + c.attributes);
        ui.step();
        if (c.hide)
            sprite->hide();
        sprite->setAnimation(anim("models/wave.anim"));
        EXPECT_EQ(sprite->getMeshDrawData().blendFactor, 0.0f);
        EXPECT_EQ(sprite->getAnimBlendRemaining(), 0.0f);
    }
    // Before its first record the sprite has no mesh to blend.
    auto fresh = load("Mesh=\"models/man.mesh\" Animation=\"models/walk.anim\" IsAniblend=\"1\"");
    fresh->setAnimation(anim("models/wave.anim"));
    EXPECT_EQ(fresh->getMeshDrawData().blendFactor, 0.0f);
    // A new mesh ends a running blend.
    auto running = load("Mesh=\"models/man.mesh\" Animation=\"models/walk.anim\" IsAniblend=\"1\"");
    ui.step();
    running->setAnimation(anim("models/wave.anim"));
    EXPECT_GT(running->getAnimBlendRemaining(), 0.0f);
    cMesh* box = getResourceManager()->getMesh("models/box.mesh");
    running->setMesh(box);
    box->decRef();
    EXPECT_EQ(running->getAnimBlendRemaining(), 0.0f);
    EXPECT_EQ(running->getMeshDrawData().blendFactor, 0.0f);
}
