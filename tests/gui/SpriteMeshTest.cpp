// Mesh sprites against stand-ins of the mesh resources (the mesh classes implement the batch's
// geometry interface): the mesh record. The blend needs the real animation class: MeshSpriteTest.

#include "engine/core/Resource.h"
#include "engine/gui/Sprite.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class FakeMesh : public cResource, public IMeshGeometry {
public:
    FakeMesh() : cResource("fake.mesh") {}
    int getKind() const override { return RESOURCE_MESH; }
    Platform::tBufferHandle getIndexBuffer() const override { return 0; }
    Platform::tBufferHandle getVertexBuffer() const override { return 0; }
    uint32_t getVertexStride() const override { return 24; }
    uint32_t getVertexFormat() const override { return 0; }
    uint32_t getVertexCount() const override { return 0; }
    uint32_t getTriangleCount() const override { return 0; }
};

// Two bones whose first element is the time asked for.
class FakeAnimation : public cResource, public IMeshAnimation {
public:
    FakeAnimation() : cResource("fake.anim") {}
    int getKind() const override { return RESOURCE_ANIMATION; }
    void getPose(float time, const IMeshGeometry&, std::vector<cMatrix4>& pose) const override {
        pose.assign(2, cMatrix4());
        for (cMatrix4& bone : pose)
            bone[0] = time;
    }
};

class SpriteMeshTest : public ::testing::Test {
protected:
    void SetUp() override { ui.start(); }
    UiHarness ui;
    FakeMesh mesh;
    FakeAnimation walk, run;
};

} // namespace

TEST_F(SpriteMeshTest, MeshRecordCarriesTheLookAndTheMaterial) {
    cSprite sprite(nullptr);
    sprite.setMesh(&mesh);
    sprite.setAnimation(&walk);
    sprite.setPosition(cVector2(10, 20));
    sprite.setDepth(3);
    sprite.setColor(cColor(1, 0.5f, 0.25f, 0.5f));
    sprite.setLightingEnable(true);
    sprite.setLightTable(2);
    sprite.setPower(8);
    sprite.show();
    ui.step();
    EXPECT_EQ(ui.graphics().meshDraws(), 1);
    EXPECT_TRUE(ui.draws().empty());

    const cMeshDrawRecord& record = sprite.getMeshDrawData();
    EXPECT_EQ(record.mesh, &mesh);
    EXPECT_EQ(record.animation, &walk);
    EXPECT_EQ(record.diffuse, cColor(1, 0.5f, 0.25f, 0.5f));
    EXPECT_TRUE(record.lighting);
    EXPECT_EQ(record.lightTable, 2);
    EXPECT_EQ(record.power, 8.0f);
    // Base flip of y and z, then the translation by position and depth.
    EXPECT_EQ(record.world.at(1, 1), -1.0f);
    EXPECT_EQ(record.world.at(2, 2), -1.0f);
    EXPECT_EQ(record.world.at(3, 0), 10.0f);
    EXPECT_EQ(record.world.at(3, 1), 20.0f);
    EXPECT_EQ(record.world.at(3, 2), 3.0f);
    EXPECT_EQ(mesh.getRefCount(), 2);
}
