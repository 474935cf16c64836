#include "engine/core/ResourceManager.h"

#include "engine/core/File.h"
#include "engine/core/FileSystem.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "tests/support/FileServices.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

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
        m_folders.writeData("Layouts/Menu.xml", "<Menu v='1'/>");
        m_fileSystem = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
        m_manager = std::make_unique<cResourceManager>();
        m_manager->setLoader(RESOURCE_TEXTURE, [this](const std::string& path) -> cResource* {
            ++m_loaded;
            return new cFakeTexture(path, m_deleted);
        });
    }
    void TearDown() override {
        m_manager.reset();
        m_fileSystem.reset();
    }

    TestSupport::DataFolders m_folders;
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
    // The manager frees it when it ends (the leak checker of a sanitizer build watches this).
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

namespace {

// A resource of any kind that records its unloads, loads and deletions in a shared journal.
class cJournalResource : public cResource {
public:
    cJournalResource(const std::string& path, int kind, std::vector<std::string>& journal)
        : cResource(path), m_path(path), m_kind(kind), m_journal(journal) {}
    ~cJournalResource() override { m_journal.push_back("delete " + m_path); }
    int getKind() const override { return m_kind; }
    void unload() override { m_journal.push_back("unload " + m_path); }
    void load() override { m_journal.push_back("load " + m_path); }

private:
    std::string m_path;
    int m_kind;
    std::vector<std::string>& m_journal;
};

std::string utf16le(const std::string& ascii) {
    return TestSupport::utf16Bytes(toWideString(ascii), false);
}

} // namespace

class ResourceManagerKinds : public ResourceManager {
protected:
    void SetUp() override {
        ResourceManager::SetUp();
        registerKinds(*m_manager);
    }
    void registerKinds(cResourceManager& manager) {
        for (int kind : {RESOURCE_TEXTURE, RESOURCE_FONT, RESOURCE_VERTEX_SHADER, RESOURCE_SOUND, RESOURCE_MESH})
            manager.setLoader(kind, [this, kind](const std::string& path) -> cResource* {
                return new cJournalResource(path, kind, m_journal);
            });
    }
    std::vector<std::string> m_journal;
};

TEST_F(ResourceManagerKinds, CountsRiseWithGetsAndOnlyAPurgeDeletes) {
    cResource* texture = m_manager->getDeviceResource("Pics/Tree.PNG", RESOURCE_TEXTURE);
    EXPECT_EQ(m_manager->getDeviceResource("pics/tree.png", RESOURCE_TEXTURE), texture);
    EXPECT_EQ(texture->getRefCount(), 2);
    EXPECT_THROW(m_manager->getResource("pics/tree.png", RESOURCE_FONT), const char*);
    EXPECT_EQ(texture->getRefCount(), 2);

    EXPECT_FALSE(texture->decRef());
    EXPECT_TRUE(texture->decRef());
    EXPECT_EQ(m_manager->getDeviceResource("pics/tree.png", RESOURCE_TEXTURE), texture);
    EXPECT_EQ(texture->getRefCount(), 1);

    cResource* below = m_manager->getResource("fonts/a.fnt", RESOURCE_FONT);
    below->decRef();
    below->decRef();
    cResource* unused = m_manager->getResource("fonts/b.fnt", RESOURCE_FONT);
    unused->decRef();
    IXmlNode* document = m_manager->getXml("layouts/menu.xml");
    m_manager->getXml("layouts/menu.xml");
    document->decRef();
    document->decRef();

    m_manager->purgeUnused();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"delete fonts/a.fnt", "delete fonts/b.fnt"}));
    std::set<std::string> names = {"stale"};
    m_manager->collectNames(names);
    EXPECT_EQ(names, (std::set<std::string>{"layouts/menu.xml", "pics/tree.png"}));
    m_manager->destroyUnreferenced();
    EXPECT_EQ(m_journal.size(), 2u);
}

TEST_F(ResourceManagerKinds, DeviceSetHoldsWhatTheDeviceGettersTook) {
    m_manager->getDeviceResource("a.png", RESOURCE_TEXTURE);
    m_manager->getDeviceResource("a.vsh", RESOURCE_VERTEX_SHADER);
    m_manager->getResource("b.png", RESOURCE_TEXTURE); // a texture outside the device set
    m_manager->getResource("c.fnt", RESOURCE_FONT);
    m_manager->getResource("d.ogg", RESOURCE_SOUND);
    cResource* gone = m_manager->getDeviceResource("gone.mesh", RESOURCE_MESH);
    m_manager->forgetResource("gone.mesh");

    m_manager->unloadAll();
    m_manager->loadAll();
    std::sort(m_journal.begin(), m_journal.end());
    EXPECT_EQ(m_journal, (std::vector<std::string>{"load a.png", "load a.vsh", "unload a.png", "unload a.vsh"}));

    m_journal.clear();
    m_manager->reloadTextures();
    std::sort(m_journal.begin(), m_journal.end());
    EXPECT_EQ(m_journal, (std::vector<std::string>{"load a.png", "load b.png", "unload a.png", "unload b.png"}));

    m_journal.clear();
    m_manager->destroyAllSounds(); // samples never enter the device set
    EXPECT_TRUE(m_journal.empty());
    delete m_manager->findEntry("a.vsh"); // deleting unregisters: nothing dangles in the device set
    m_manager->unloadAll();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"delete a.vsh", "unload a.png"}));
    // A forgotten resource is its holder's to delete.
    delete gone;
}

TEST_F(ResourceManagerKinds, ResourceLogIsWrittenAsUtf16AndReadBack) {
    m_manager->getDeviceResource("pics/a&b.png", RESOURCE_TEXTURE);
    m_manager->getResource("fonts/main.fnt", RESOURCE_FONT);
    m_manager->getXml("layouts/menu.xml");
    m_manager->writeResourceLog("dev_view_log.xml");

    const std::string bytes =
        TestSupport::readFileBytes(wideToNarrow(m_fileSystem->getUserFolder()) + "dev_view_log.xml");
    const std::string head = utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<ResourceLog>\n");
    const std::string tail = utf16le("</ResourceLog>");
    ASSERT_EQ(bytes.substr(0, head.size()), head);
    ASSERT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    const std::string body = bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
    for (const char* line :
         {"<Tag Path=\"pics/a&amp;b.png\" Type=\"0\" />\n", "<Tag Path=\"fonts/main.fnt\" Type=\"2\" />\n",
          "<Tag Path=\"layouts/menu.xml\" Type=\"1\" />\n"})
        EXPECT_NE(body.find(utf16le(line)), std::string::npos) << line;
    EXPECT_EQ(body.size(), utf16le("<Tag Path=\"pics/a&amp;b.png\" Type=\"0\" />\n").size() +
                               utf16le("<Tag Path=\"fonts/main.fnt\" Type=\"2\" />\n").size() +
                               utf16le("<Tag Path=\"layouts/menu.xml\" Type=\"1\" />\n").size());

    // A fresh manager that already holds the font preloads the other two.
    m_manager.reset();
    m_manager = std::make_unique<cResourceManager>();
    registerKinds(*m_manager);
    cResource* font = m_manager->getResource("fonts/main.fnt", RESOURCE_FONT);
    IXmlNode* log = m_manager->getXml("dev_view_log.xml");
    ASSERT_EQ(log->getNodeCount(), 3);
    m_manager->readResourceLog(log, 0, 2);
    m_manager->readResourceLog(log, 2, 5);
    EXPECT_EQ(m_manager->findEntry("pics/a&b.png")->getRefCount(), 0);
    EXPECT_EQ(font->getRefCount(), 1);
    EXPECT_EQ(m_manager->findEntry("layouts/menu.xml")->getRefCount(), 1);

    m_manager->purgeUnused();
    EXPECT_EQ(m_manager->findEntry("pics/a&b.png"), nullptr);
    EXPECT_EQ(m_manager->findEntry("fonts/main.fnt"), font);
}

TEST_F(ResourceManagerKinds, LogEntriesOfOtherTypesAreSkipped) {
    TestSupport::writeFileBytes(wideToNarrow(m_fileSystem->getUserFolder()) + "log.xml",
                                "<ResourceLog><Tag Path='a.png' Type='7'/><Tag Path='b.png' Type='x'/>"
                                "<Tag Path='c.png' Type='0'/><Tag Path='d.png' Type='-1'/></ResourceLog>");
    m_manager.reset();
    m_fileSystem.reset();
    m_fileSystem = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
    m_manager = std::make_unique<cResourceManager>();
    registerKinds(*m_manager);
    m_manager->readResourceLog(m_manager->getXml("log.xml"), 0, 4);
    std::set<std::string> names;
    m_manager->collectNames(names);
    EXPECT_EQ(names, (std::set<std::string>{"c.png", "log.xml"}));
}

TEST_F(ResourceManagerKinds, ExtensionsNameTheKind) {
    const std::pair<const char*, int> table[] = {
        {"dds", RESOURCE_TEXTURE},    {"jng", RESOURCE_TEXTURE},  {"png", RESOURCE_TEXTURE},
        {"jpg", RESOURCE_TEXTURE},    {"tga", RESOURCE_TEXTURE},  {"bmp", RESOURCE_TEXTURE},
        {"xml", RESOURCE_XML},        {"fnt", RESOURCE_FONT},     {"vsh", RESOURCE_VERTEX_SHADER},
        {"ogg", RESOURCE_SOUND},      {"wav", RESOURCE_SOUND},    {"mesh", RESOURCE_MESH},
        {"anim", RESOURCE_ANIMATION}, {"jpeg", RESOURCE_UNKNOWN}, {"PNG", RESOURCE_UNKNOWN},
        {"", RESOURCE_UNKNOWN}};
    for (const auto& entry : table)
        EXPECT_EQ(cResourceManager::kindFromExtension(entry.first), entry.second) << entry.first;

    m_manager->getByExtension("Pics/Sky.PNG");
    m_manager->getByExtension("Pics/Sky.png");
    m_manager->getByExtension("notes.txt");
    m_manager->getByExtension("no-extension");
    EXPECT_EQ(m_manager->findEntry("pics/sky.png")->getRefCount(), 2);
    std::set<std::string> names;
    m_manager->collectNames(names);
    EXPECT_EQ(names, (std::set<std::string>{"pics/sky.png"}));
    m_manager->unloadAll(); // a texture got by extension is a device resource
    EXPECT_EQ(m_journal, (std::vector<std::string>{"unload pics/sky.png"}));
}

// The last map the atlas list names is missing: the constructor throws, keeping nothing it read.
TEST_F(ResourceManager, AFailedAtlasReadLeavesNeitherDocumentsNorTheForgetHookBehind) {
    std::string atlases = "<Atlases>";
    for (int i = 0; i < 2000; ++i)
        atlases += "<A><Path>atlas/page" + std::to_string(i) + ".png</Path><Map>maps/first.xml</Map></A>";
    m_folders.writeData("atlases.xml",
                        atlases + "<A><Path>atlas/last.png</Path><Map>maps/gone.xml</Map></A></Atlases>");
    m_folders.writeData("maps/first.xml", "<M><P><Name>ok.png</Name><Pos>1 1</Pos><Size>2 2</Size></P></M>");
    m_manager.reset();
    m_fileSystem.reset();
    m_fileSystem = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
    auto construct = [] {
        try {
            cResourceManager manager;
            ADD_FAILURE() << "constructed";
        } catch (const std::string& text) {
            EXPECT_EQ(text, "File \"maps/gone.xml\" not found.");
        }
    };
    construct(); // the parse buffer grows once
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 10; ++i)
        construct();
    EXPECT_LT(mallinfo2().uordblks, before + 100000) << "bytes kept by 10 failed constructions";
    EXPECT_EQ(getResourceManager(), nullptr);
    // A written file calls the forget hook: it must not reach the manager that never was.
    m_fileSystem->openWrite("notes.xml", true)->close();
}

TEST_F(ResourceManagerKinds, AtlasesMapPictureNamesToFramesOfTheirImages) {
    m_folders.writeData("atlases.xml", "<Atlases>"
                                       "<A><Path>Atlas\\First.PNG</Path><Map>maps/first.xml</Map></A>"
                                       "<A><Path>atlas/second.png</Path><Map>maps/second.xml</Map></A>"
                                       "</Atlases>");
    m_folders.writeData("maps/first.xml", "<M>"
                                          "<P><Name>Buttons\\OK.png</Name><Pos>4 8</Pos><Size>30 20</Size></P>"
                                          "<P><Name>buttons/cancel.png</Name><Pos>40 8</Pos></P>"
                                          "</M>");
    m_folders.writeData("maps/second.xml", "<M>"
                                           "<P><Name>logo.png</Name><Size>64 32</Size></P>"
                                           "<P><Name>buttons/ok.png</Name><Pos>1 1</Pos><Size>2 2</Size></P>"
                                           "</M>");
    m_manager.reset();
    m_fileSystem.reset();
    m_fileSystem = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
    m_manager = std::make_unique<cResourceManager>();

    std::string image;
    ASSERT_TRUE(m_manager->findAtlasImage("BUTTONS/OK.PNG", image));
    EXPECT_EQ(image, "atlas/first.png");
    const cAtlasFrame& ok = m_manager->getAtlasEntry("Buttons/Ok.png");
    EXPECT_EQ(ok.index, 0); // the first atlas keeps the name
    EXPECT_EQ(ok.position, cVector2(4.0f, 8.0f));
    EXPECT_EQ(ok.size, cVector2(30.0f, 20.0f));
    const cAtlasFrame& cancel = m_manager->getAtlasEntry("buttons/cancel.png");
    EXPECT_EQ(cancel.position, cVector2(40.0f, 8.0f));
    EXPECT_EQ(cancel.size, cVector2(30.0f, 20.0f)); // kept from the previous picture
    const cAtlasFrame& logo = m_manager->getAtlasEntry("logo.png");
    EXPECT_EQ(logo.index, 1);
    EXPECT_EQ(logo.position, cVector2(0.0f, 0.0f)); // each atlas starts again from (0, 0)

    const cAtlasFrame& none = m_manager->getAtlasEntry("buttons/help.png");
    EXPECT_EQ(none.index, -1);
    EXPECT_FALSE(m_manager->hasAtlasEntry("buttons/help.png"));
    EXPECT_TRUE(m_manager->hasAtlasEntry("LOGO.png"));
    EXPECT_FALSE(m_manager->findAtlasImage("buttons/help.png", image));
    EXPECT_TRUE(m_manager->isAtlasImage("atlas/second.png"));
    EXPECT_FALSE(m_manager->isAtlasImage("Atlas/Second.png"));

    registerKinds(*m_manager);
    cResource* picture = m_manager->getResource("logo.png", RESOURCE_TEXTURE);
    EXPECT_TRUE(m_manager->hasAtlasEntryFor(picture));
    EXPECT_FALSE(m_manager->hasAtlasEntryFor(nullptr));
}
