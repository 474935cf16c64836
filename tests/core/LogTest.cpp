#include "engine/core/Log.h"
#include "engine/core/FatalError.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

using namespace Engine;

namespace {

const std::string kHeader = R"(\d\d/\d\d/\d{4} - \d\d:\d\d:\d\d -{56}\n)";
const std::string kEntry = R"(\[\d\d:\d\d:\d\d - (\d{5})\]\t)";

cLog& processLog() {
    return *static_cast<cLog*>(getLog());
}

// Each test opens its channels afresh: a channel still open from an earlier test (or an
// earlier repeat) would neither truncate nor write a new header.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override { processLog().closeChannels(); }
    void TearDown() override { processLog().closeChannels(); }
};

} // namespace

TEST_F(LogTest, AppendsHeaderAndNumberedEntriesToAnExistingFile) {
    TestSupport::writeFileBytes("append.log", "earlier run\n");
    ILogSink* channel = getLog()->getChannel(L"append", false);
    channel->write("%s=%d", "moves", 12);
    channel->writeEntry(L"wide \u00e9");

    std::smatch match;
    std::string text = TestSupport::readFileBytes("append.log");
    ASSERT_TRUE(std::regex_match(
        text, match, std::regex("earlier run\n" + kHeader + kEntry + "moves=12\n" + kEntry + "wide \xE9\n")))
        << text;
    EXPECT_EQ(std::stoi(match[2]), std::stoi(match[1]) + 1);
    EXPECT_EQ(getLog()->getChannel(L"append", true), channel);
}

TEST_F(LogTest, TruncateStartsTheFileAfreshAndReopeningAddsAHeader) {
    TestSupport::writeFileBytes("fresh.log", "earlier run\n");
    getLog()->getChannel(L"fresh", true)->write("one");
    processLog().closeChannels();
    getLog()->getChannel(L"fresh", false)->write("two");

    std::string text = TestSupport::readFileBytes("fresh.log");
    EXPECT_TRUE(std::regex_match(text, std::regex(kHeader + kEntry + "one\n" + kHeader + kEntry + "two\n"))) << text;
}

TEST_F(LogTest, LongMessagesAreWrittenWhole) {
    std::string message(10000, 'x');
    getLog()->getChannel(L"long", true)->write("%s|", message.c_str());
    std::string text = TestSupport::readFileBytes("long.log");
    EXPECT_NE(text.find("\t" + message + "|\n"), std::string::npos);
}

TEST_F(LogTest, UnopenableFileThrowsTheErrorTextAndIsRetriedLater) {
    std::filesystem::remove_all("blocked.log"); // what an earlier run left
    std::filesystem::create_directory("blocked.log");
    std::string saved = errorCallStack();
    errorCallStack() = "earlier failure\n";
    try {
        getLog()->getChannel(L"blocked", false);
        FAIL() << "no exception";
    } catch (const std::wstring& text) {
        EXPECT_EQ(text, L"earlier failure\nUnable to open [./blocked.log] log file.\n");
    }
    errorCallStack() = saved;

    std::filesystem::remove("blocked.log");
    EXPECT_NO_THROW(getLog()->getChannel(L"blocked", false)->write("now"));
    EXPECT_TRUE(std::filesystem::is_regular_file("blocked.log"));
}
