// Mesh resources drawn through the graphics device's batch: a skinned mesh posed by its
// animation is skinned on the CPU and drawn as a plain mesh; other meshes keep the device's
// vertex blending.

#include "tests/media/GraphicsFixture.h"

#include "engine/media/Mesh.h"
#include "engine/media/MeshAnimation.h"
#include "tests/media/MeshFiles.h"
#include "tests/support/PixelTest.h"

#include <cstring>
#include <memory>

using namespace Engine;
using namespace TestMeshes;

class MeshDraw : public GraphicsFixture {};

TEST_F(MeshDraw, SkinnedMeshIsSkinnedOnTheCpuAndDrawnAsAPlainMesh) {
    startRecording();
    const std::string meshFile =
        skinnedMesh({0, 0, 0, 10, 0, 0, 0, 10, 0}, {0, 1, 1}, {translation(0, 0, 0), translation(5, 0, 0)});
    const std::string animFile =
        animation(1, {{-1, {{translation(0, 0, 0), 0}, {translation(4, 0, 0), 1}}}, {0, {{translation(5, 0, 0), 0}}}});
    std::unique_ptr<cMesh> mesh(
        loadMeshBytes("s.mesh", reinterpret_cast<const uint8_t*>(meshFile.data()), meshFile.size()));
    cMeshAnimation animation("s.anim", reinterpret_cast<const uint8_t*>(animFile.data()), animFile.size());
    cMeshDrawRecord record;
    record.mesh = mesh.get();
    record.animation = &animation;
    record.time = 0.5f;
    graphics().beginFrame();
    recording().clearCalls();
    graphics().drawMesh(&record, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(recording().getCalls("drawIndexedTriangles"), std::vector<std::string>{"drawIndexedTriangles 0 0 3 0 1"});
    // Skinned on the CPU: one world matrix, the skinned buffer of 32-byte vertices.
    EXPECT_TRUE(recording().getCalls("setTransform 257").empty());
    const IMeshGeometry* skinned = mesh->getSkinned(animation.getBoneMatrices());
    ASSERT_NE(skinned, nullptr);
    EXPECT_EQ(recording().getCalls("setStreamSource " + std::to_string(skinned->getVertexBuffer()) + " 32").size(), 1u);
    // At half time bone 0 has moved by 2; bone 1 follows its parent from its bind pose.
    std::vector<uint8_t> bytes = recording().getBufferBytes(skinned->getVertexBuffer());
    ASSERT_EQ(bytes.size(), 96u);
    float v[24];
    std::memcpy(v, bytes.data(), sizeof(v));
    EXPECT_FLOAT_EQ(v[0], 2);  // vertex 0 on bone 0
    EXPECT_FLOAT_EQ(v[8], 12); // vertex 1 on bone 1
    EXPECT_FLOAT_EQ(v[17], 10);
    EXPECT_FLOAT_EQ(v[11], 0); // normal (0, 0, -1) kept
    EXPECT_FLOAT_EQ(v[13], -1);
}

TEST_F(MeshDraw, MeshesWithoutOwnSkinningUseTheDevicesVertexBlending) {
    startRecording();
    const std::string animFile = animation(1, {{-1, {}}, {-1, {}}});
    cMeshAnimation animation("a.anim", reinterpret_cast<const uint8_t*>(animFile.data()), animFile.size());
    TestQuadMesh mesh(device());
    cMeshDrawRecord record;
    record.mesh = &mesh;
    record.animation = &animation;
    graphics().beginFrame();
    recording().clearCalls();
    graphics().drawMesh(&record, 0, 0);
    graphics().endFrame();
    EXPECT_EQ(recording().getCalls("setTransform 257").size(), 1u);
    EXPECT_EQ(recording().getState().renderStates[Platform::RS_VERTEX_BLEND], 0u);
}

TEST_F(MeshDraw, SkinnedTriangleDrawsWhereItsBoneMovedIt) {
    if (!startGl())
        GTEST_SKIP() << "No headless OpenGL: " << m_skipReason;
    const std::string meshFile = skinnedMesh({0, 0, 0, 10, 0, 0, 0, 10, 0}, {0, 0, 0}, {translation(0, 0, 0)});
    const std::string animFile = animation(1, {{-1, {{translation(30, 20, 0), 0}}}});
    std::unique_ptr<cMesh> mesh(
        loadMeshBytes("s.mesh", reinterpret_cast<const uint8_t*>(meshFile.data()), meshFile.size()));
    cMeshAnimation animation("s.anim", reinterpret_cast<const uint8_t*>(animFile.data()), animFile.size());
    cMeshDrawRecord record;
    record.mesh = mesh.get();
    record.animation = &animation;
    graphics().beginFrame();
    graphics().drawMesh(&record, 0, 0);
    graphics().endFrame();
    EXPECT_TRUE(TestSupport::pixelNear(device(), 32, 22, 0xFFFFFF));
    EXPECT_TRUE(TestSupport::pixelNear(device(), 2, 2, 0x000000));
}

TEST_F(MeshDraw, VerticesOnBonesPastThePoseStayAtTheirBindPlace) {
    startRecording();
    // Two bones in the mesh, one track in the animation: vertex 1 names a bone the pose lacks.
    const std::string meshFile =
        skinnedMesh({0, 0, 0, 10, 0, 0, 0, 10, 0}, {0, 1, 0}, {translation(0, 0, 0), translation(0, 0, 0)});
    const std::string animFile = animation(1, {{-1, {{translation(3, 0, 0), 0}}}});
    std::unique_ptr<cMesh> mesh(
        loadMeshBytes("s.mesh", reinterpret_cast<const uint8_t*>(meshFile.data()), meshFile.size()));
    cMeshAnimation animation("s.anim", reinterpret_cast<const uint8_t*>(animFile.data()), animFile.size());
    std::vector<cMatrix4> pose;
    animation.getPose(0, *mesh, pose);
    ASSERT_EQ(pose.size(), 1u);
    const IMeshGeometry* skinned = mesh->getSkinned(pose);
    ASSERT_NE(skinned, nullptr);
    std::vector<uint8_t> bytes = recording().getBufferBytes(skinned->getVertexBuffer());
    ASSERT_EQ(bytes.size(), 96u);
    float v[24];
    std::memcpy(v, bytes.data(), sizeof(v));
    EXPECT_FLOAT_EQ(v[0], 3);  // vertex 0 moved by bone 0
    EXPECT_FLOAT_EQ(v[8], 10); // vertex 1 where the file put it
    EXPECT_FLOAT_EQ(v[16], 3); // vertex 2 on bone 0 again
    EXPECT_FLOAT_EQ(v[17], 10);
}
