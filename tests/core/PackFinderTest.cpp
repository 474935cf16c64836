#include "engine/core/PackFinder.h"

#include "engine/core/String.h"
#include "engine/platform/headless/HeadlessMessageBox.h"
#include "tests/support/PackBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using namespace Engine;
using TestSupport::TempFolder;
using TestSupport::writePack;

namespace {

std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Every name of the pack, or the text of what was thrown.
std::vector<std::string> scan(const std::string& path) {
    std::vector<std::string> names;
    cPackFinder::Handle pack = cPackFinder::openPack(wide(path));
    try {
        std::string name;
        for (bool found = cPackFinder::findFirst(pack, name); found; found = cPackFinder::findNext(pack, name))
            names.push_back(name);
    } catch (const cStringA& text) {
        names.push_back("thrown: " + text);
    }
    cPackFinder::closePack(pack);
    return names;
}

} // namespace

TEST(PackFinderTest, WalksEntriesInPackOrder) {
    TempFolder folder;
    writePack(folder.file("a.pack"), {{"b.txt", "1"}, {"dir/", ""}, {"dir/A.txt", "2"}});
    EXPECT_EQ(scan(folder.file("a.pack")), (std::vector<std::string>{"b.txt", "dir/", "dir/A.txt"}));
}

TEST(PackFinderTest, EmptyPackHasNoFirstEntry) {
    TempFolder folder;
    writePack(folder.file("empty.pack"), {});
    EXPECT_TRUE(scan(folder.file("empty.pack")).empty());
}

TEST(PackFinderTest, UnsafeOrOverlongNamesAreSkippedWithALogLine) {
    TempFolder folder;
    std::string longest(255, 'n');
    struct Case {
        std::string name;
        std::string reason;
    } cases[] = {
        {std::string(256, 'n'), "its name is 256 bytes or longer"},
        {"../outside.txt", "its name holds \"..\""},
        {"a/../../b.txt", "its name holds \"..\""},
        {"/etc/passwd", "its name is an absolute path"},
        {"C:/x.txt", "its name is an absolute path"},
        {"ui\\button.xml", "its name holds a backslash"},
    };
    for (const Case& c : cases) {
        std::string path = folder.file("bad.pack");
        writePack(path, {{longest, "fine"}, {c.name, "x"}, {"after.txt", "fine"}});
        EXPECT_EQ(scan(path), (std::vector<std::string>{longest, "after.txt"})) << c.name;
        std::string log = TestSupport::readFileBytes("error.log");
        EXPECT_NE(log.find("Pack \"" + path + "\" holds the entry \"" + c.name.substr(0, 255) +
                           "\", which is skipped: " + c.reason + "."),
                  std::string::npos)
            << c.name;
        // The first entry alone may be the refused one.
        writePack(path, {{c.name, "x"}, {"after.txt", "fine"}});
        EXPECT_EQ(scan(path), (std::vector<std::string>{"after.txt"})) << c.name;
    }
    writePack(folder.file("dots.pack"), {{"a..b/..c", "x"}});
    EXPECT_EQ(scan(folder.file("dots.pack")), (std::vector<std::string>{"a..b/..c"}));
}

TEST(PackFinderTest, UnreadablePacksAreNamed) {
    TempFolder folder;
    writePack(folder.file("whole.pack"), {{"a.txt", std::string(3000, 'a')}, {"b.txt", "b"}});
    std::string bytes = folder.read("whole.pack");
    folder.write("truncated.pack", bytes.substr(0, bytes.size() / 2));
    folder.write("text.pack", "not a zip at all");
    Platform::cHeadlessMessageBox& boxes = Platform::getHeadlessMessageBox();
    for (const char* name : {"truncated.pack", "text.pack", "missing.pack"}) {
        std::wstring path = wide(folder.file(name));
        boxes.clear();
        try {
            cPackFinder::openPack(path);
            ADD_FAILURE() << name;
        } catch (const std::wstring& text) {
            EXPECT_EQ(text, path + L" cannot be opened.");
        }
        // The text as message and caption, then the system's error number the same way.
        ASSERT_EQ(boxes.getRecords().size(), 2u) << name;
        EXPECT_EQ(boxes.getRecords()[0].text, folder.file(name) + " cannot be opened.");
        EXPECT_EQ(boxes.getRecords()[0].caption, boxes.getRecords()[0].text);
        const std::string& code = boxes.getRecords()[1].text;
        EXPECT_FALSE(code.empty());
        EXPECT_EQ(code.find_first_not_of("0123456789"), std::string::npos) << code;
        EXPECT_EQ(boxes.getRecords()[1].caption, code);
    }
    EXPECT_EQ(boxes.getRecords()[1].text, std::to_string(ENOENT)) << "missing.pack";
    boxes.clear();
}
