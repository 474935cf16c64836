#include "engine/core/ProfileManager.h"

#include "engine/core/Constants.h"
#include "tests/support/FileServices.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Engine;
using TestSupport::FileServices;
using TestSupport::utf16Bytes;

namespace {

const char* const kList = "profiles/profiles.xml";
const std::wstring kHeader = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";

std::string listBytes(const std::wstring& root, const std::wstring& lines) {
    return utf16Bytes(kHeader + L"\n" + root + L"\n" + lines + L"</Profiles>", true);
}

std::string propsBytes(const std::wstring& props) {
    return utf16Bytes(kHeader + L"<Props>" + props + L"</Props>", true);
}

class ProfileManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        cProfileManager::clearAll();
        // The constant spells the folder in its own case; files are written lower case.
        m_services.writeConstants("profiles=\"Profiles\"");
    }
    void TearDown() override {
        m_constants.reset();
        cProfileManager::clearAll();
    }
    void start() {
        m_services.start();
        m_constants = std::make_unique<cConstants>("sys/constants.xml");
    }
    // What the next run of the program sees.
    void restart() {
        m_constants.reset();
        m_services.restart();
        m_constants = std::make_unique<cConstants>("sys/constants.xml");
    }
    std::list<std::wstring> names() {
        std::list<std::wstring> list;
        getProfileManager()->getProfileNames(list);
        return list;
    }

    FileServices m_services;
    std::unique_ptr<cConstants> m_constants;
};

} // namespace

TEST_F(ProfileManagerTest, FirstStartCreatesTheListAndAnExitClosesIt) {
    start();
    {
        cProfileManager manager(L"Anna");
        EXPECT_EQ(getProfileManager(), &manager);
        EXPECT_EQ(manager.getCurrentProfileId(), "00000001");
        EXPECT_EQ(m_services.readUser(kList),
                  listBytes(L"<Profiles NextID=\"2\" CurrentUser=\"Anna\" NowPlaying=\"1\" >",
                            L"<Profile Name=\"Anna\" ID=\"1\" />\n"));
        EXPECT_FALSE(m_services.userExists("profiles/00000001.xml"));
        gBoolProps["HasBinarySave"] = true;
    }
    EXPECT_EQ(getProfileManager(), nullptr);
    EXPECT_TRUE(gBoolProps.empty()) << "the tables are emptied with the manager";
    EXPECT_EQ(m_services.readUser(kList), listBytes(L"<Profiles NextID=\"2\" CurrentUser=\"Anna\" NowPlaying=\"0\" >",
                                                    L"<Profile Name=\"Anna\" ID=\"1\" />\n"));
    EXPECT_EQ(m_services.readUser("profiles/00000001.xml"),
              propsBytes(L"<prop Name=\"HasBinarySave\" Val=\"1\" Type=\"Bool\" />"));
}

TEST_F(ProfileManagerTest, EveryTableIsWrittenInTypeOrderAndReadBack) {
    start();
    {
        cProfileManager manager(L"Anna");
        gFloatProps["Volume"] = 0.5f;
        gFloatProps["Timer"] = 1.5f;
        gDoubleProps["Pi"] = 3.14159265;
        gIntProps["Volume"] = -3;
        gUIntProps["MusicVolume"] = 70;
        gLongProps["Low"] = INT32_MIN;
        gULongProps["High"] = UINT32_MAX;
        gLongLongProps["Big"] = -9000000000LL;
        gDXColorProps["White"] = cColor(1.f, 1.f, 1.f, 1.f);
        gDXColorProps["Clear"] = cColor(0.f, 0.f, 0.f, 0.f);
        gBoolProps["Off"] = false;
        gUInt16Props["Short"] = 65535;
        gVector2Props["Pos"] = cVector2(1.5f, 2.f);
        gStringProps["Name"] = "H\xE9";
        gWStringProps["Quote"] = L"a\"<&>'b";
        manager.save();
        EXPECT_EQ(m_services.readUser("profiles/00000001.xml"),
                  propsBytes(L"<prop Name=\"Timer\" Val=\"1.5\" Type=\"Float\" />"
                             L"<prop Name=\"Volume\" Val=\"0.5\" Type=\"Float\" />"
                             L"<prop Name=\"Pi\" Val=\"3.14159\" Type=\"Double\" />"
                             L"<prop Name=\"Volume\" Val=\"-3\" Type=\"Int\" />"
                             L"<prop Name=\"MusicVolume\" Val=\"70\" Type=\"UInt\" />"
                             L"<prop Name=\"Low\" Val=\"-2147483648\" Type=\"Long\" />"
                             L"<prop Name=\"High\" Val=\"4294967295\" Type=\"ULong\" />"
                             L"<prop Name=\"Big\" Val=\"-9000000000\" Type=\"LongLong\" />"
                             L"<prop Name=\"Clear\" Val=\"0x00000000\" Type=\"DXColor\" />"
                             L"<prop Name=\"White\" Val=\"0xffffffff\" Type=\"DXColor\" />"
                             L"<prop Name=\"Off\" Val=\"0\" Type=\"Bool\" />"
                             L"<prop Name=\"Short\" Val=\"65535\" Type=\"UInt16\" />"
                             L"<prop Name=\"Pos\" Val=\"1.5 2\" Type=\"Vector2\" />"
                             L"<prop Name=\"Name\" Val=\"H\u00E9\" Type=\"String\" />"
                             L"<prop Name=\"Quote\" Val=\"a&quot;&lt;&amp;&gt;&apos;b\" Type=\"WString\" />"));
    }
    EXPECT_TRUE(gFloatProps.empty());

    restart();
    cProfileManager manager(L"Anna");
    EXPECT_EQ(gFloatProps["Timer"], 1.5f);
    EXPECT_EQ(gFloatProps["Volume"], 0.5f);
    EXPECT_EQ(gIntProps["Volume"], -3);
    EXPECT_NEAR(gDoubleProps["Pi"], 3.14159, 1e-9);
    EXPECT_EQ(gUIntProps["MusicVolume"], 70u);
    EXPECT_EQ(gLongProps["Low"], INT32_MIN);
    EXPECT_EQ(gULongProps["High"], UINT32_MAX);
    EXPECT_EQ(gLongLongProps["Big"], -9000000000LL);
    EXPECT_EQ(gDXColorProps["White"].toARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(gDXColorProps["Clear"].toARGB(), 0u);
    EXPECT_EQ(gBoolProps.count("Off"), 1u);
    EXPECT_FALSE(gBoolProps["Off"]);
    EXPECT_EQ(gUInt16Props["Short"], 65535);
    EXPECT_EQ(gVector2Props["Pos"], cVector2(1.5f, 2.f));
    EXPECT_EQ(gStringProps["Name"], "H\xE9");
    EXPECT_EQ(gWStringProps["Quote"], L"a\"<&>'b");
}

TEST_F(ProfileManagerTest, BadPropertyTextsLoadAsZeroAndUnknownTypesAreSkipped) {
    m_services.writeUser(kList, "<Profiles NextID=\"8\" CurrentUser=\"Anna\" NowPlaying=\"0\">"
                                "<Profile Name=\"Anna\" ID=\"7\"/></Profiles>");
    m_services.writeUser("profiles/00000007.xml", "<Props>"
                                                  "<prop Name=\"A\" Val=\"abc\" Type=\"Int\"/>"
                                                  "<prop Name=\"B\" Val=\"\" Type=\"Float\"/>"
                                                  "<prop Name=\"C\" Val=\"true\" Type=\"Bool\"/>"
                                                  "<prop Name=\"D\" Val=\"70000\" Type=\"UInt16\"/>"
                                                  "<prop Name=\"E\" Val=\"7\" Type=\"int\"/>"
                                                  "<prop Name=\"F\" Val=\"7\" Type=\"Money\"/>"
                                                  "<prop Name=\"G\" Val=\"0x1F\" Type=\"ULong\"/>"
                                                  "<prop Name=\"H\" Val=\"FF0000\" Type=\"DXColor\"/>"
                                                  "<prop Name=\"I\" Val=\"3\" Type=\"Vector2\"/>"
                                                  "</Props>");
    start();
    cProfileManager manager(L"Anna");
    EXPECT_EQ(manager.getCurrentProfileId(), "00000007");
    EXPECT_EQ(gIntProps.at("A"), 0);
    EXPECT_EQ(gFloatProps.at("B"), 0.f);
    EXPECT_FALSE(gBoolProps.at("C"));
    EXPECT_EQ(gUInt16Props.at("D"), 0);
    EXPECT_EQ(gIntProps.count("E"), 0u) << "type names are case-sensitive";
    EXPECT_EQ(gULongProps.at("G"), 31u);
    EXPECT_EQ(gDXColorProps.at("H").toARGB(), 0x00FF0000u) << "six digits leave the alpha at zero";
    EXPECT_EQ(gVector2Props.at("I"), cVector2(3.f, 0.f));
    size_t total = gFloatProps.size() + gIntProps.size() + gBoolProps.size() + gUInt16Props.size() +
                   gULongProps.size() + gDXColorProps.size() + gVector2Props.size();
    EXPECT_EQ(total, 7u);
}

TEST_F(ProfileManagerTest, NewNameJoinsTheListWithTheNextIdAndEmptyTables) {
    start();
    {
        cProfileManager manager(L"Anna");
        gIntProps["Level"] = 4;
    }
    gIntProps["Stale"] = 1;
    {
        cProfileManager manager(L"Bert");
        EXPECT_EQ(manager.getCurrentProfileId(), "00000002");
        EXPECT_TRUE(gIntProps.empty());
        EXPECT_EQ(names(), (std::list<std::wstring>{L"Anna", L"Bert"}));
        EXPECT_EQ(readCurrentUserName(), L"Bert");
    }
    {
        cProfileManager manager(L"Anna");
        EXPECT_EQ(gIntProps["Level"], 4);
    }
    EXPECT_EQ(m_services.readUser(kList), listBytes(L"<Profiles NextID=\"3\" CurrentUser=\"Anna\" NowPlaying=\"0\" >",
                                                    L"<Profile Name=\"Anna\" ID=\"1\" />\n"
                                                    L"<Profile Name=\"Bert\" ID=\"2\" />\n"));
}

// The player dialogs' switch: the current player's manager goes (saving its tables) and the named
// player's comes; an empty name leaves nobody.
TEST_F(ProfileManagerTest, SwitchingMakesTheNamedPlayerCurrentAndAnEmptyNameLeavesNobody) {
    start();
    switchProfile(L"Anna");
    ASSERT_NE(getProfileManager(), nullptr);
    EXPECT_EQ(getProfileManager()->getCurrentName(), L"Anna");
    gIntProps["Level"] = 4;
    switchProfile(L"Bert");
    EXPECT_EQ(getProfileManager()->getCurrentName(), L"Bert");
    EXPECT_TRUE(gIntProps.empty());
    switchProfile(L"Anna");
    EXPECT_EQ(gIntProps["Level"], 4);
    switchProfile(L"");
    EXPECT_EQ(getProfileManager(), nullptr);
    switchProfile(L"");
    EXPECT_EQ(getProfileManager(), nullptr);
    EXPECT_EQ(readCurrentUserName(), L"Anna");
}

TEST_F(ProfileManagerTest, DeletingTheCurrentPlayerRemovesItsFilesAndIdsAreNotReused) {
    m_services.writeUser("profiles/00000001.save", "level");
    start();
    { cProfileManager manager(L"Anna"); }
    { cProfileManager manager(L"Bert"); }
    {
        cProfileManager manager(L"Anna");
        manager.deleteProfile(L"Anna");
        EXPECT_EQ(manager.getCurrentName(), L"Bert");
        gIntProps["Unsaved"] = 1;
    }
    EXPECT_FALSE(m_services.userExists("profiles/00000001.xml"));
    EXPECT_FALSE(m_services.userExists("profiles/00000001.save"));
    EXPECT_TRUE(m_services.userExists("profiles/00000002.xml"));
    // The deleting manager writes nothing more: Bert's file is untouched.
    EXPECT_EQ(m_services.readUser("profiles/00000002.xml"), propsBytes(L""));
    EXPECT_EQ(m_services.readUser(kList), listBytes(L"<Profiles NextID=\"3\" CurrentUser=\"Bert\" NowPlaying=\"1\" >",
                                                    L"<Profile Name=\"Bert\" ID=\"2\" />\n"));
    {
        cProfileManager manager(L"Cleo");
        EXPECT_EQ(manager.getCurrentProfileId(), "00000003");
    }
}

TEST_F(ProfileManagerTest, DeletingTheLastPlayerDeletesTheListAndNumberingRestarts) {
    start();
    {
        cProfileManager manager(L"Anna");
        manager.save();
        manager.deleteProfile(L"Anna");
        EXPECT_EQ(manager.getCurrentName(), L"");
        EXPECT_FALSE(profilesFileExists());
    }
    EXPECT_FALSE(m_services.userExists(kList));
    EXPECT_FALSE(m_services.userExists("profiles/00000001.xml"));
    EXPECT_EQ(readCurrentUserName(), L"");

    restart();
    cProfileManager manager(L"Bert");
    EXPECT_EQ(manager.getCurrentProfileId(), "00000001");
}

TEST_F(ProfileManagerTest, DeletingAnotherPlayerKeepsAndSavesTheCurrentOne) {
    start();
    { cProfileManager manager(L"Anna"); }
    {
        cProfileManager manager(L"Bert");
        gIntProps["Level"] = 9;
        manager.deleteProfile(L"Anna");
        EXPECT_EQ(manager.getCurrentName(), L"Bert");
        EXPECT_EQ(m_services.readUser("profiles/00000002.xml"),
                  propsBytes(L"<prop Name=\"Level\" Val=\"9\" Type=\"Int\" />"));
        gIntProps["Level"] = 10;
    }
    EXPECT_FALSE(m_services.userExists("profiles/00000001.xml"));
    EXPECT_EQ(m_services.readUser(kList), listBytes(L"<Profiles NextID=\"3\" CurrentUser=\"Bert\" NowPlaying=\"0\" >",
                                                    L"<Profile Name=\"Bert\" ID=\"2\" />\n"));
    cProfileManager manager(L"Bert");
    EXPECT_EQ(gIntProps["Level"], 10);
}

TEST_F(ProfileManagerTest, DeletingAnUnknownNameDoesNothing) {
    start();
    cProfileManager manager(L"Anna");
    manager.deleteProfile(L"Nobody");
    EXPECT_EQ(names(), std::list<std::wstring>{L"Anna"});
    EXPECT_EQ(manager.getCurrentName(), L"Anna");
}

TEST_F(ProfileManagerTest, ManagerWithoutANameTouchesNoFile) {
    start();
    { cProfileManager manager(L"Anna"); }
    std::string list = m_services.readUser(kList);
    {
        cProfileManager manager(L"");
        EXPECT_TRUE(names().empty());
        EXPECT_THROW(manager.getCurrentProfileId(), const char*);
        manager.save();
    }
    EXPECT_EQ(m_services.readUser(kList), list);
    EXPECT_EQ(readCurrentUserName(), L"Anna");
}

TEST_F(ProfileManagerTest, UnknownCurrentNameIsAProfileIdError) {
    start();
    cProfileManager manager(L"Anna");
    manager.deleteProfile(L"Anna");
    try {
        manager.getCurrentProfileId();
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "ProfileID error.");
    }
}

TEST_F(ProfileManagerTest, NamesWithMarkupCharactersAreEscapedAndReadBack) {
    start();
    { cProfileManager manager(L"Tom & \"Jerry\" <3"); }
    EXPECT_EQ(m_services.readUser(kList),
              listBytes(L"<Profiles NextID=\"2\" CurrentUser=\"Tom &amp; &quot;Jerry&quot; &lt;3\" NowPlaying=\"0\" >",
                        L"<Profile Name=\"Tom &amp; &quot;Jerry&quot; &lt;3\" ID=\"1\" />\n"));
    restart();
    EXPECT_EQ(readCurrentUserName(), L"Tom & \"Jerry\" <3");
    cProfileManager manager(L"Tom & \"Jerry\" <3");
    EXPECT_EQ(names(), std::list<std::wstring>{L"Tom & \"Jerry\" <3"});
    EXPECT_EQ(manager.getCurrentProfileId(), "00000001");
}

TEST_F(ProfileManagerTest, FailedWriteAtShutdownIsLoggedNotThrown) {
    start();
    {
        cProfileManager manager(L"Anna");
        // A folder where the property file should go: the rename over it fails.
        std::filesystem::create_directories(m_services.userPath("profiles/00000001.xml"));
        gIntProps["Level"] = 3;
        EXPECT_ANY_THROW(manager.save());
    }
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Profile properties not saved: "), std::string::npos) << log;
    // The list was still written.
    EXPECT_EQ(m_services.readUser(kList), listBytes(L"<Profiles NextID=\"2\" CurrentUser=\"Anna\" NowPlaying=\"0\" >",
                                                    L"<Profile Name=\"Anna\" ID=\"1\" />\n"));
}

TEST_F(ProfileManagerTest, FullDiskKeepsThePreviousPropertyFile) {
    start();
    auto manager = std::make_unique<cProfileManager>(L"Anna");
    gIntProps["Level"] = 3;
    manager->save();
    const std::string previous = m_services.readUser("profiles/00000001.xml");
    gWStringProps["Diary"] = std::wstring(4000, L'x');
    {
        TestSupport::FileSizeLimit disk(2048);
        EXPECT_ANY_THROW(manager->save());
        EXPECT_NO_THROW(manager.reset());
    }
    EXPECT_EQ(m_services.readUser("profiles/00000001.xml"), previous);
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Profile properties not saved: "), std::string::npos) << log;
}

TEST_F(ProfileManagerTest, HelpersNameTheFiles) {
    EXPECT_EQ(idToString(1), "00000001");
    EXPECT_EQ(idToString(123456789), "123456789");
    start();
    EXPECT_EQ(profilesFolder(), "Profiles/");
    EXPECT_FALSE(profilesFileExists());
    EXPECT_EQ(readCurrentUserName(), L"");
}
