#include "engine/core/Strings.h"

#include "engine/core/Constants.h"
#include "tests/support/FileServices.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Engine;
using TestSupport::FileServices;
using TestSupport::utf16Bytes;

namespace {

const char* const kDump = "strdubp.xml";

class StringsTest : public ::testing::Test {
protected:
    void start(bool dumpStrings, const std::string& strings = std::string()) {
        m_services.writeConstants(std::string("DumpStrings=\"") + (dumpStrings ? "1" : "0") + "\"");
        if (!strings.empty())
            m_services.writeData("sys/strings.xml", strings);
        m_services.start();
        m_constants = std::make_unique<cConstants>("sys/constants.xml");
    }
    void TearDown() override { m_constants.reset(); }

    FileServices m_services;
    std::unique_ptr<cConstants> m_constants;
};

const char* const kTable = "<Strings>"
                           "<s><text>Play</text><translation>Spielen</translation></s>"
                           "<s><text> Exit </text><translation>Ende</translation></s>"
                           "<s><text>Gone</text><translation></translation></s>"
                           "<s><text>Play</text><translation>Los</translation></s>"
                           "</Strings>";

} // namespace

TEST_F(StringsTest, TranslatesKnownTextsAndShowsOthersUnchanged) {
    start(false, kTable);
    {
        cStrings strings;
        EXPECT_EQ(getStrings(), &strings);
        EXPECT_FALSE(strings.getDumpStrings());
        EXPECT_EQ(strings.translate(L"Play"), L"Los") << "a later entry replaces an earlier one";
        EXPECT_EQ(strings.translate(L" Exit "), L"Ende") << "white space belongs to the text";
        EXPECT_EQ(strings.translate(L"Exit"), L"Exit");
        EXPECT_EQ(strings.translate(L"Gone"), L"");
        EXPECT_EQ(strings.translate(L""), L"");
    }
    EXPECT_EQ(getStrings(), nullptr);
    EXPECT_FALSE(m_services.userExists(kDump));
}

TEST_F(StringsTest, WithoutAStringsFileEveryTextStaysAsItIs) {
    start(false);
    cStrings strings;
    EXPECT_EQ(strings.translate(L"Play"), L"Play");
}

TEST_F(StringsTest, CollectsMissingTextsOnceAndDumpsThemAtShutdown) {
    start(true, kTable);
    {
        cStrings strings;
        EXPECT_TRUE(strings.getDumpStrings());
        EXPECT_EQ(strings.translate(L"Zebra"), L"!!!!!!!Zebra");
        EXPECT_EQ(strings.translate(L"Zebra"), L"!!!!!!!Zebra");
        EXPECT_EQ(strings.translate(L"A <b> & c"), L"!!!!!!!A <b> & c");
        EXPECT_EQ(strings.translate(L"Play"), L"Los");
        EXPECT_EQ(strings.translate(L""), L"");
    }
    EXPECT_EQ(m_services.readUser(kDump),
              utf16Bytes(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Strings>"
                         L"<s>\n<text>A &lt;b&gt; &amp; c</text>\n<translation>A &lt;b&gt; &amp; c</translation>\n</s>"
                         L"<s>\n<text>Zebra</text>\n<translation>Zebra</translation>\n</s>"
                         L"</Strings>",
                         false));
}

TEST_F(StringsTest, DumpReadsBackAsAStringsFile) {
    start(true);
    {
        cStrings strings;
        strings.translate(L"Say \"hi\" & <go>");
    }
    std::filesystem::create_directories(m_services.userPath("sys"));
    std::filesystem::rename(m_services.userPath(kDump), m_services.userPath("sys/strings.xml"));
    m_constants.reset();
    m_services.restart();
    m_constants = std::make_unique<cConstants>("sys/constants.xml");
    // Still collecting: only a text without translation is marked.
    cStrings strings;
    EXPECT_EQ(strings.translate(L"Say \"hi\" & <go>"), L"Say \"hi\" & <go>");
    EXPECT_EQ(strings.translate(L"Other"), L"!!!!!!!Other");
}

TEST_F(StringsTest, CollectingCanBeSwitchedAtRunTime) {
    start(false);
    {
        cStrings strings;
        strings.setDumpStrings(true);
        EXPECT_EQ(strings.translate(L"New"), L"!!!!!!!New");
    }
    EXPECT_TRUE(m_services.userExists(kDump));
}

TEST_F(StringsTest, FailedDumpIsLoggedNotThrown) {
    start(true);
    std::filesystem::create_directories(m_services.userPath(kDump));
    EXPECT_NO_THROW({
        cStrings strings;
        strings.translate(L"Missing");
    });
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Missing strings not written: "), std::string::npos) << log;
}

TEST_F(StringsTest, MalformedStringsFileFailsConstruction) {
    start(false, "<Strings><s><text>Play</text>");
    EXPECT_ANY_THROW(cStrings strings);
    EXPECT_EQ(getStrings(), nullptr);
}
