#include "engine/media/Texture.h"

#include "engine/core/DirectXError.h"
#include "engine/media/ImageDecoder.h"
#include "tests/media/ImageFiles.h"
#include "tests/media/MediaFixture.h"

#include <functional>

using namespace Engine;

namespace {

std::string thrownText(const std::function<void()>& action) {
    try {
        action();
    } catch (const cStringA& text) {
        return text;
    } catch (const std::string& text) {
        return text;
    } catch (const char* text) {
        return text;
    }
    return "no error";
}

} // namespace

class Texture : public MediaFixture {};

TEST_F(Texture, LoadsAnImageFileIntoATextureOfItsSize) {
    const TestImages::Pixels pixels = TestImages::pattern(13, 7);
    writeData("pics/tree.png", TestImages::png(13, 7, pixels));
    start();
    cTexture* texture = m_manager->getTexture("Pics/Tree.PNG");
    EXPECT_EQ(texture->getKind(), RESOURCE_TEXTURE);
    EXPECT_EQ(texture->getName(), "pics/tree.png");
    EXPECT_EQ(texture->getSizeRef(), cIntPair(13, 7));
    EXPECT_EQ(texture->getImageSize(), cIntPair(13, 7));
    EXPECT_EQ(texture->getUvScale(), cVector2(1.0f, 1.0f));
    EXPECT_EQ(texture->getHalfTexel(), cVector2(0.5f / 13.0f, 0.5f / 7.0f));
    EXPECT_EQ(m_device.getTexels(texture->getDeviceTexture()), pixels);
    EXPECT_EQ(m_device.getTexturePool(texture->getDeviceTexture()), Platform::POOL_MANAGED);
    EXPECT_EQ(m_factory->getTextureMemory(), 13 * 7 * 4);
    EXPECT_EQ(m_manager->getTexture("pics/tree.png"), texture);
    EXPECT_EQ(texture->getRefCount(), 2);
}

TEST_F(Texture, ADeviceThatNeedsPowersOfTwoGetsALargerTextureAndTheScaleToMapIt) {
    m_device.setNonPowerOfTwo(false);
    writeData("pics/wide.png", TestImages::png(100, 60, TestImages::pattern(100, 60)));
    start();
    cTexture* texture = m_manager->getTexture("pics/wide.png");
    EXPECT_EQ(texture->getSizeRef(), cIntPair(128, 64));
    EXPECT_EQ(texture->getImageSize(), cIntPair(100, 60));
    EXPECT_EQ(texture->getUvScale(), cVector2(0.78125f, 0.9375f));
    EXPECT_EQ(texture->getHalfTexel(), cVector2(0.00390625f, 0.0078125f));
    EXPECT_EQ(m_factory->getTextureMemory(), 32768);
    const std::vector<uint32_t> texels = m_device.getTexels(texture->getDeviceTexture());
    ASSERT_EQ(texels.size(), 128u * 64u);
    EXPECT_EQ(texels[100], 0u); // the margin stays transparent black
    EXPECT_EQ(texels[60 * 128], 0u);
    EXPECT_EQ(texels.back(), 0u);
}

TEST_F(Texture, EveryFormatLoadsAndTheMemoryCounterStaysExactThroughUnloadAndPurge) {
    const TestImages::Pixels pixels = TestImages::pattern(8, 4);
    writeData("a.png", TestImages::png(8, 4, pixels));
    writeData("a.jpg", TestImages::jpeg(8, 4, pixels));
    writeData("a.tga", TestImages::tga(8, 4, pixels, 32, true));
    writeData("a.bmp", TestImages::bmp(8, 4, pixels, 24));
    writeData("a.dds", TestImages::ddsArgb(8, 4, pixels));
    writeData("a.jng", TestImages::jng(8, 4, pixels, true));
    start();
    for (const char* name : {"a.png", "a.jpg", "a.tga", "a.bmp", "a.dds", "a.jng"})
        EXPECT_EQ(m_manager->getTexture(name)->getImageSize(), cIntPair(8, 4)) << name;
    EXPECT_EQ(m_device.getTextureCount(), 6u);
    EXPECT_EQ(m_factory->getTextureMemory(), 6 * 8 * 4 * 4);

    m_manager->unloadAll();
    EXPECT_EQ(m_device.getTextureCount(), 0u);
    EXPECT_EQ(m_factory->getTextureMemory(), 0);
    m_manager->loadAll();
    m_manager->reloadTextures();
    EXPECT_EQ(m_device.getTextureCount(), 6u);
    EXPECT_EQ(m_factory->getTextureMemory(), 6 * 8 * 4 * 4);

    m_manager->findEntry("a.png")->decRef();
    m_manager->purgeUnused();
    EXPECT_EQ(m_manager->findEntry("a.png"), nullptr);
    EXPECT_EQ(m_device.getTextureCount(), 5u);
    EXPECT_EQ(m_factory->getTextureMemory(), 5 * 8 * 4 * 4);
}

TEST_F(Texture, BadFilesGiveAnErrorNamingTheFileAndRegisterNothing) {
    const std::string good = TestImages::png(8, 8, TestImages::pattern(8, 8));
    writeData("good.png", good);
    writeData("empty.png", "");
    writeData("cut.png", good.substr(0, good.size() / 2));
    std::string pvr(64, 'x');
    pvr.replace(44, 4, "PVR!");
    writeData("phone.dds", pvr);
    start();
    m_manager->getTexture("good.png");

    // An empty file is an error, not the previous file's bytes decoded again.
    EXPECT_EQ(thrownText([&] { m_manager->getTexture("empty.png"); }),
              "Cannot load texture \"empty.png\": the file is empty.");
    EXPECT_EQ(thrownText([&] { m_manager->getTexture("cut.png"); }).find("Cannot load texture \"cut.png\": PNG"), 0u);
    EXPECT_EQ(thrownText([&] { m_manager->getTexture("phone.dds"); }),
              "Cannot load texture \"phone.dds\": PowerVR textures are not supported");
    // Without an atlas list every picture of the atlases is missing: the message names the list.
    EXPECT_EQ(thrownText([&] { m_manager->getTexture("missing.png"); }),
              "File \"missing.png\" not found, and there is no atlas list \"atlases.xml\" in the data folder.");
    for (const char* name : {"empty.png", "cut.png", "phone.dds", "missing.png"})
        EXPECT_EQ(m_manager->findEntry(name), nullptr) << name;
    EXPECT_EQ(m_device.getTextureCount(), 1u);
    EXPECT_EQ(m_factory->getTextureMemory(), 8 * 8 * 4);
}

TEST_F(Texture, APictureOfAnAtlasGivesTheAtlasImageMarkedAsAtlas) {
    writeData("atlases.xml", "<Atlases><A><Path>Atlas/UI.png</Path><Map>atlas/ui_map.xml</Map></A></Atlases>");
    writeData("atlas/ui_map.xml", "<M><P><Name>buttons/ok.png</Name><Pos>2 3</Pos><Size>4 5</Size></P></M>");
    writeData("atlas/ui.png", TestImages::png(16, 16, TestImages::pattern(16, 16)));
    writeData("log.xml", "<ResourceLog><Tag Path='buttons/ok.png' Type='0'/></ResourceLog>");
    start();

    cTexture* picture = m_manager->getTexture("Buttons/OK.png");
    EXPECT_EQ(picture->getName(), "atlas/ui.png");
    EXPECT_TRUE(m_manager->isAtlasTexture(picture));
    EXPECT_FALSE(m_manager->isAtlasTexture(nullptr));
    const cAtlasFrame& frame = m_manager->getAtlasEntry("buttons/ok.png");
    EXPECT_EQ(frame.index, 0);
    EXPECT_EQ(frame.position, cVector2(2.0f, 3.0f));
    EXPECT_EQ(frame.size, cVector2(4.0f, 5.0f));
    cTexture* image = m_manager->getTexture("atlas/ui.png");
    EXPECT_EQ(image, picture);
    EXPECT_EQ(image->getRefCount(), 2);
    EXPECT_EQ(m_manager->getAtlasEntry("buttons/none.png").index, -1);
    EXPECT_EQ(thrownText([&] { m_manager->getTexture("buttons/none.png"); }), "File \"buttons/none.png\" not found.");

    // A log entry of a picture name goes through the same mapping.
    m_manager->readResourceLog(m_manager->getXml("log.xml"), 0, 1);
    EXPECT_EQ(image->getRefCount(), 2);
    EXPECT_EQ(m_manager->findEntry("buttons/ok.png"), nullptr);
}

TEST_F(Texture, WrappingADeviceTextureKeepsItUnnamed) {
    cTexture wrapped(Platform::tTextureHandle(0));
    EXPECT_EQ(wrapped.getDeviceTexture(), 0u);
    EXPECT_EQ(wrapped.getUvScale(), cVector2(1.0f, 1.0f));
    EXPECT_EQ(wrapped.getHalfTexel(), cVector2(0.0f, 0.0f));
    EXPECT_EQ(thrownText([&] { wrapped.getName(); }), "Unknown resource.");
}
