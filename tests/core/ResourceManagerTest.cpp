#include "engine/core/ResourceManager.h"

#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

using namespace Engine;

namespace {

// A resource of another kind that counts its destructions.
class cFakeTexture : public cResource {
public:
    explicit cFakeTexture(const std::string& path, int& deleted) : cResource(path), m_deleted(deleted) {}
    ~cFakeTexture() override { ++m_deleted; }
    int getKind() const override { return RESOURCE_TEXTURE; }

private:
    int& m_deleted;
};

std::string thrownText(const std::function<void()>& action) {
    try {
        action();
    } catch (const char* text) {
        return text;
    }
    return "no error";
}

class ResourceManager : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("MEADOW_USER_DIR");
        m_oldUserDir = old ? old : "";
        setenv("MEADOW_USER_DIR", m_root.file("user").c_str(), 1);
        m_root.write("Data/sys/constants.xml", "<c><game app_directory='Meadow'/></c>");
        m_root.write("Data/Layouts/Menu.xml", "<Menu v='1'/>");
        std::string data = m_root.file("Data");
        m_fileSystem = std::make_unique<cFileSystem>(std::wstring(data.begin(), data.end()), "pack");
        m_manager = std::make_unique<cResourceManager>();
        m_manager->setLoader(RESOURCE_TEXTURE, [this](const std::string& path) -> cResource* {
            ++m_loaded;
            return new cFakeTexture(path, m_deleted);
        });
    }
    void TearDown() override {
        m_manager.reset();
        m_fileSystem.reset();
        setenv("MEADOW_USER_DIR", m_oldUserDir.c_str(), 1);
    }

    TestSupport::TempFolder m_root;
    std::string m_oldUserDir;
    std::unique_ptr<cFileSystem> m_fileSystem;
    std::unique_ptr<cResourceManager> m_manager;
    int m_loaded = 0;
    int m_deleted = 0;
};

} // namespace

TEST_F(ResourceManager, DocumentsAreCachedByLowerCasePathAndSurviveTheirRelease) {
    IXmlNode* first = m_manager->getXml("Layouts/MENU.xml");
    IXmlNode* second = getResourceManager()->getXml("layouts/menu.xml");
    EXPECT_EQ(first, second);
    auto* document = static_cast<cXmlDocument*>(first);
    EXPECT_EQ(document->getRefCount(), 2);
    EXPECT_TRUE(first->decRef());
    EXPECT_TRUE(first->decRef());
    EXPECT_EQ(document->getRefCount(), 2);
    EXPECT_EQ(document->getName(), "layouts/menu.xml");
    EXPECT_EQ(m_manager->findEntry("layouts/menu.xml"), document);
    EXPECT_EQ(m_manager->findEntry("Layouts/Menu.xml"), nullptr);
}

TEST_F(ResourceManager, AnotherKindUnderTheSamePathIsRefused) {
    cResource* texture = m_manager->getResource("Pics/A.png", RESOURCE_TEXTURE);
    EXPECT_EQ(thrownText([&] { m_manager->getXml("pics/a.png"); }), "Wrong resource type.");
    EXPECT_EQ(m_manager->getResource("PICS/a.PNG", RESOURCE_TEXTURE), texture);
    EXPECT_EQ(texture->getRefCount(), 2);
    EXPECT_EQ(m_loaded, 1);
}

TEST_F(ResourceManager, AWrittenFileIsReadAgainAtTheNextGet) {
    IXmlNode* old = m_manager->getXml("layouts/menu.xml");
    auto file = m_fileSystem->openWrite("Layouts/Menu.xml", true);
    std::string text = "<Menu v='2'/>";
    file->write(text.data(), int32_t(text.size()));
    file->close();

    IXmlNode* fresh = m_manager->getXml("layouts/menu.xml");
    EXPECT_NE(fresh, old);
    EXPECT_EQ(fresh->getAttribute(L"v"), L"2");
    // The forgotten document lives on for its holders, unregistered.
    EXPECT_EQ(old->getAttribute(L"v"), L"1");
    EXPECT_EQ(thrownText([&] { static_cast<cXmlDocument*>(old)->getName(); }), "Unknown resource.");
    delete static_cast<cXmlDocument*>(old);
}

TEST_F(ResourceManager, ForgetAndDestructionLeaveOrDeleteTheRightResources) {
    cResource* forgotten = m_manager->getResource("a.png", RESOURCE_TEXTURE);
    m_manager->getResource("b.png", RESOURCE_TEXTURE);
    m_manager->forgetResource("a.png");
    m_manager->forgetResource("not-there.png");
    EXPECT_EQ(m_manager->findEntry("a.png"), nullptr);
    EXPECT_NE(m_manager->getResource("a.png", RESOURCE_TEXTURE), forgotten);
    EXPECT_EQ(m_loaded, 3);

    m_manager.reset();
    EXPECT_EQ(m_deleted, 2);
    EXPECT_EQ(getResourceManager(), nullptr);
    delete forgotten;
    EXPECT_EQ(m_deleted, 3);
}

TEST_F(ResourceManager, SecondManagerAndFailedLoadsLeaveTheCacheAlone) {
    EXPECT_EQ(thrownText([] { cResourceManager second; }), "Object already exist.");
    EXPECT_THROW(m_manager->getXml("missing.xml"), std::string);
    EXPECT_EQ(m_manager->findEntry("missing.xml"), nullptr);
    EXPECT_THROW(m_manager->getResource("x.vsh", RESOURCE_VERTEX_SHADER), cStringA);
    EXPECT_EQ(m_manager->findEntry("x.vsh"), nullptr);
}
