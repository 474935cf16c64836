#include "engine/media/Mesh.h"

#include "engine/core/String.h"
#include "engine/core/Vector3.h"
#include "tests/media/MediaFixture.h"
#include "tests/media/MeshFiles.h"

#include <cstring>
#include <functional>
#include <memory>

using namespace Engine;
using namespace TestMeshes;

namespace {

// The text of whatever the call throws: plain texts and narrow strings alike.
std::string thrownText(const std::function<void()>& call) {
    try {
        call();
    } catch (const char* text) {
        return text;
    } catch (const std::string& text) {
        return text;
    } catch (...) {
        return "(other)";
    }
    return "";
}

} // namespace

class Mesh : public MediaFixture {
protected:
    std::unique_ptr<cMesh> load(const std::string& bytes) {
        return std::unique_ptr<cMesh>(
            loadMeshBytes("m.mesh", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
    std::string loadError(const std::string& bytes) {
        return thrownText([&] { load(bytes); });
    }
};

TEST_F(Mesh, EachLayoutKeepsItsBytesInManagedBuffers) {
    struct Case {
        uint32_t format, stride;
    };
    for (Case c : {Case{0x112, 32}, Case{0x102, 20}, Case{0x12, 24}}) {
        std::string file = mesh(c.format, c.stride, 3, {0, 1, 2, 2, 1, 0});
        std::unique_ptr<cMesh> m = load(file);
        EXPECT_EQ(m->getKind(), RESOURCE_MESH);
        EXPECT_EQ(m->getVertexFormat(), c.format);
        EXPECT_EQ(m->getVertexStride(), c.stride);
        EXPECT_EQ(m->getVertexCount(), 3u);
        EXPECT_EQ(m->getTriangleCount(), 2u);
        EXPECT_EQ(m->getBones(), nullptr);
        std::vector<uint8_t> vertices = m_device.getBufferBytes(m->getVertexBuffer());
        ASSERT_EQ(vertices.size(), 3u * c.stride);
        EXPECT_EQ(std::memcmp(vertices.data(), file.data() + 20, vertices.size()), 0);
        std::vector<uint8_t> indices = m_device.getBufferBytes(m->getIndexBuffer());
        ASSERT_EQ(indices.size(), 12u);
        EXPECT_EQ(indices[4], 2);
    }
    EXPECT_NE(dynamic_cast<cMeshPNT*>(load(mesh(0x112, 32, 3, {0, 1, 2})).get()), nullptr);
    EXPECT_NE(dynamic_cast<cMeshPT*>(load(mesh(0x102, 20, 3, {0, 1, 2})).get()), nullptr);
    EXPECT_NE(dynamic_cast<cMeshPN*>(load(mesh(0x12, 24, 3, {0, 1, 2})).get()), nullptr);
}

TEST_F(Mesh, SkinnedMeshKeepsItsBindMatrices) {
    std::vector<cMatrix4> bind = {translation(1, 2, 3), translation(4, 5, 6)};
    std::unique_ptr<cMesh> m = load(skinnedMesh({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 1}, bind));
    ASSERT_NE(dynamic_cast<cSkinnedMesh*>(m.get()), nullptr);
    EXPECT_EQ(m->getVertexStride(), 48u);
    EXPECT_EQ(m->getVertexFormat(), 0x111Cu);
    ASSERT_NE(m->getBones(), nullptr);
    ASSERT_EQ(m->getBones()->size(), 2u);
    EXPECT_FLOAT_EQ((*m->getBones())[1].m[13], 5);
}

TEST_F(Mesh, IndexCountOfSevenGivesTwoTriangles) {
    std::unique_ptr<cMesh> m = load(mesh(0x112, 32, 3, {0, 1, 2, 2, 1, 0}, 7));
    EXPECT_EQ(m->getTriangleCount(), 2u);
}

TEST_F(Mesh, DamagedFilesGiveClearErrors) {
    const std::string good = mesh(0x102, 20, 3, {0, 1, 2});
    std::string innerSignature = good;
    innerSignature[16] = 'x';
    std::string unknownFormat = good;
    unknownFormat[4] = 0x55;
    std::string hugeCount = good;
    hugeCount[8] = hugeCount[9] = hugeCount[10] = hugeCount[11] = char(0xFF);
    struct Case {
        std::string bytes, error;
    };
    const Case cases[] = {
        {"", "Invalid mesh format. File:m.mesh"},
        {"quor" + good.substr(4), "Invalid mesh format. File:m.mesh"},
        {unknownFormat, "Undefined vertex format. Resource:m.mesh"},
        {innerSignature, "Invalid resource format"},
        {hugeCount, "Unexpected end of source"},
        {mesh(0x102, 20, 3, {0, 1, 3}), "Mesh index out of range"},
        {mesh(0x102, 20, 3, {}), "Mesh without triangles"},
        {skinnedMesh({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 0}, {cMatrix4(), cMatrix4()}),
         "Mesh bone number out of range"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadError(c.bytes), c.error) << c.error;
    // Every cut of a valid file is refused without reading past it.
    const std::string skinned = skinnedMesh({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 0}, {cMatrix4()});
    for (size_t size = 4; size < skinned.size(); ++size)
        EXPECT_EQ(loadError(skinned.substr(0, size)), "Unexpected end of source") << size;
    EXPECT_EQ(m_device.getBufferCount(), 0u);
}

TEST_F(Mesh, BufferCreationFailureIsAnErrorAndLeavesNothing) {
    m_device.setPoolFailure(Platform::POOL_MANAGED, Platform::RESULT_OUT_OF_VIDEO_MEMORY);
    EXPECT_NE(loadError(mesh(0x102, 20, 3, {0, 1, 2})), "");
    m_device.setPoolFailure(Platform::POOL_MANAGED, Platform::RESULT_OK);
    EXPECT_EQ(m_device.getBufferCount(), 0u);
}

TEST_F(Mesh, UnloadAndLoadRebuildTheBuffers) {
    std::unique_ptr<cMesh> m = load(mesh(0x12, 24, 3, {0, 1, 2}));
    m->unload();
    EXPECT_EQ(m->getVertexBuffer(), 0u);
    EXPECT_EQ(m_device.getBufferCount(), 0u);
    m->load();
    EXPECT_EQ(m_device.getBufferBytes(m->getVertexBuffer()).size(), 72u);
}

TEST_F(Mesh, ResourceManagerCachesMeshesByPath) {
    writeData("models/box.mesh", mesh(0x112, 32, 3, {0, 1, 2}));
    writeData("models/bad.mesh", "rouq");
    start();
    cMesh* first = m_manager->getMesh("Models/Box.mesh");
    EXPECT_EQ(m_manager->getMesh("models/box.mesh"), first);
    EXPECT_EQ(first->getRefCount(), 2);
    EXPECT_EQ(first->getName(), "models/box.mesh");
    EXPECT_EQ(thrownText([&] { m_manager->getMesh("models/bad.mesh"); }), "Unexpected end of source");
    EXPECT_EQ(m_manager->findEntry("models/bad.mesh"), nullptr);
    EXPECT_EQ(thrownText([&] { m_manager->getMesh("models/none.mesh"); }), "File \"models/none.mesh\" not found.");
}
