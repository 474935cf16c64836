#include "engine/media/MeshAnimation.h"

#include "engine/core/Vector3.h"
#include "engine/media/Mesh.h"
#include "tests/media/MediaFixture.h"
#include "tests/media/MeshFiles.h"

#include <functional>
#include <memory>

using namespace Engine;
using namespace TestMeshes;

namespace {

std::unique_ptr<cMeshAnimation> animationOf(const std::string& bytes) {
    return std::make_unique<cMeshAnimation>("a.anim", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string errorOf(const std::string& bytes) {
    try {
        animationOf(bytes);
    } catch (const char* text) {
        return text;
    }
    return "";
}

// The translation row of a bone matrix.
cVector3 moved(const cMatrix4& m) {
    return cVector3(m.m[12], m.m[13], m.m[14]);
}

const std::vector<cMatrix4> NO_BIND_OFFSET = {cMatrix4(), cMatrix4(), cMatrix4()};

} // namespace

class MeshAnimation : public MediaFixture {};

TEST_F(MeshAnimation, InterpolatesBetweenKeysAndHoldsTheEnds) {
    auto a = animationOf(animation(4, {{-1, {{translation(0, 0, 0), 1}, {translation(8, 0, 0), 3}}}}));
    struct Case {
        float time, x;
    };
    for (Case c : {Case{0.5f, 0}, Case{1, 0}, Case{1.5f, 2}, Case{2, 4}, Case{3.5f, 8}}) {
        a->setTime(c.time, &NO_BIND_OFFSET);
        EXPECT_NEAR(moved(a->getBoneMatrices()[0]).x, c.x, 1e-5) << c.time;
    }
}

TEST_F(MeshAnimation, BlendedRotationsKeepTheirAxisLengths) {
    cMatrix4 turned;
    turned.setAxisRotation(cVector3(0, 0, 1), 3.14159265f / 2);
    auto a = animationOf(animation(2, {{-1, {{cMatrix4(), 0}, {turned, 1}}}}));
    a->setTime(0.5f, &NO_BIND_OFFSET);
    cVector3 scale = a->getBoneMatrices()[0].getScale();
    EXPECT_NEAR(scale.x, 1, 1e-4);
    EXPECT_NEAR(scale.y, 1, 1e-4);
}

TEST_F(MeshAnimation, TimeWrapsIntoTheLength) {
    auto a = animationOf(animation(2, {{-1, {{translation(0, 0, 0), 0}, {translation(2, 0, 0), 2}}}}));
    for (float time : {5.0f, -0.5f, 2.0f}) {
        a->setTime(time, &NO_BIND_OFFSET);
        float expected = time == 5 ? 1 : time == -0.5f ? 1.5f : 0;
        EXPECT_FLOAT_EQ(a->getTime(), expected) << time;
        EXPECT_NEAR(moved(a->getBoneMatrices()[0]).x, expected, 1e-5) << time;
    }
}

TEST_F(MeshAnimation, ChildrenTakeTheirParentsGlobalMatrixWhateverTheOrder) {
    // Bone 0 is the child of bone 1, whose record comes later; bone 2 has an empty track.
    auto a = animationOf(
        animation(1, {{1, {{translation(1, 0, 0), 0}}}, {-1, {{translation(0, 10, 0), 0}}}, {1, {}}, {-1, {}}}));
    a->setTime(0.5f, &NO_BIND_OFFSET);
    const std::vector<cMatrix4>& bones = a->getBoneMatrices();
    EXPECT_NEAR(moved(bones[0]).x, 1, 1e-5);
    EXPECT_NEAR(moved(bones[0]).y, 10, 1e-5);
    EXPECT_NEAR(moved(bones[2]).y, 10, 1e-5); // the parent's matrix
    EXPECT_FLOAT_EQ(bones[3].m[0], 1);        // identity
    EXPECT_FLOAT_EQ(moved(bones[3]).y, 0);
}

TEST_F(MeshAnimation, PoseIsCachedOnTimeAndBindMatricesTogether) {
    auto a = animationOf(animation(1, {{-1, {{translation(3, 0, 0), 0}}}}));
    std::vector<cMatrix4> bindA = {translation(1, 0, 0)}, bindB = {translation(2, 0, 0)};
    a->setTime(0.25f, &bindA);
    a->setTime(0.25f, &bindA);
    EXPECT_EQ(a->getPoseCount(), 1u);
    EXPECT_NEAR(moved(a->getBoneMatrices()[0]).x, 2, 1e-5);
    a->setTime(0.25f, &bindB);
    EXPECT_EQ(a->getPoseCount(), 2u);
    EXPECT_NEAR(moved(a->getBoneMatrices()[0]).x, 1, 1e-5);
    a->setTime(0.25f, nullptr);
    EXPECT_EQ(a->getPoseCount(), 2u);
}

TEST_F(MeshAnimation, SkinnedPositionsEqualBindPositionsUnderTheBindPose) {
    // Bone 1 hangs below bone 0; the animation's keys put both at their bind pose.
    cMatrix4 bind0 = translation(5, 0, 0), bind1;
    bind1.setAxisRotation(cVector3(0, 0, 1), 0.7f);
    bind1 = bind1 * translation(5, 3, 0);
    cMatrix4 parentInverse = bind0;
    parentInverse.affineInverse();
    auto a = animationOf(animation(1, {{-1, {{bind0, 0}}}, {0, {{bind1 * parentInverse, 0}}}}));
    const std::string meshFile = skinnedMesh({1, 2, 3, 4, 5, 6, -1, 0, 2}, {0, 1, 1}, {bind0, bind1});
    std::unique_ptr<cMesh> m(
        loadMeshBytes("s.mesh", reinterpret_cast<const uint8_t*>(meshFile.data()), meshFile.size()));
    std::vector<cMatrix4> pose;
    a->getPose(0, *m, pose);
    ASSERT_EQ(pose.size(), 2u);
    for (const cMatrix4& bone : pose) {
        cVector3 p = cVector3(4, 5, 6).transform(bone);
        EXPECT_NEAR(p.x, 4, 1e-4);
        EXPECT_NEAR(p.y, 5, 1e-4);
        EXPECT_NEAR(p.z, 6, 1e-4);
    }
}

TEST_F(MeshAnimation, DamagedFilesGiveClearErrors) {
    const Key key{cMatrix4(), 0};
    struct Case {
        std::string bytes, error;
    };
    std::string hugeBones = animation(1, {});
    hugeBones[4] = hugeBones[5] = hugeBones[6] = hugeBones[7] = char(0xFF);
    std::string hugeKeys = animation(1, {{-1, {key}}});
    hugeKeys[12] = hugeKeys[13] = hugeKeys[14] = char(0xFF);
    const Case cases[] = {
        {"", "Unexpected end of source"},
        {"quor" + animation(1, {}).substr(4), "Invalid resource format"},
        {hugeBones, "Unexpected end of source"},
        {hugeKeys, "Unexpected end of source"},
        {animation(0, {}), "Invalid animation length"},
        {animation(1, {{2, {}}, {-1, {}}}), "Invalid bone parent"},
        {animation(1, {{-2, {}}}), "Invalid bone parent"},
        {animation(1, {{0, {}}}), "Invalid bone parent"},
        {animation(1, {{-1, {}}, {2, {}}, {1, {}}}), "Invalid bone parent"},
        {animation(1, {{-1, {{cMatrix4(), 1}, {cMatrix4(), 0}}}}), "Invalid keyframe time"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.bytes), c.error) << c.error;
    const std::string good = animation(1, {{-1, {key, key}}, {0, {key}}});
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_NE(errorOf(good.substr(0, size)), "") << size;
}

TEST_F(MeshAnimation, DeepHierarchyNeedsNoDeepStack) {
    std::vector<Bone> chain;
    for (int32_t b = 0; b < 200000; ++b)
        chain.push_back({b - 1, b == 0 ? std::vector<Key>{{translation(1, 0, 0), 0}} : std::vector<Key>{}});
    auto a = animationOf(animation(1, chain));
    a->setTime(0.5f, &NO_BIND_OFFSET);
    EXPECT_NEAR(moved(a->getBoneMatrices().back()).x, 1, 1e-5);
}

TEST_F(MeshAnimation, ResourceManagerCachesAnimationsByPath) {
    writeData("models/walk.anim", animation(2, {{-1, {}}}));
    start();
    cMeshAnimation* walk = m_manager->getAnimation("Models/Walk.anim");
    EXPECT_EQ(walk->getKind(), RESOURCE_ANIMATION);
    EXPECT_EQ(walk->getBoneCount(), 1u);
    EXPECT_FLOAT_EQ(walk->getLength(), 2);
    EXPECT_EQ(m_manager->getAnimation("models/walk.anim"), walk);
}
