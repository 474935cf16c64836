#include "engine/core/String.h"

#include "engine/core/FileSystem.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

using namespace Engine;

TEST(WriteUtf16FileTest, WritesByteOrderUnitAndUnitsIntoTheUserFolder) {
    TestSupport::DataFolders folders;
    cFileSystem fs(folders.dataFolder(), "pack");
    EXPECT_EQ(writeUtf16File("sys/Out.xml", L"ab"), 6);
    EXPECT_EQ(TestSupport::readFileBytes(folders.userPath("sys/out.xml")), std::string("\xFF\xFE"
                                                                                       "a\0b\0",
                                                                                       6));
    EXPECT_TRUE(fs.isUserFile("sys/out.xml"));

    std::wstring text = {0x41F, 0xD83D, 0xDE00};
    EXPECT_EQ(writeUtf16File("sys/Out.xml", text), 8);
    EXPECT_EQ(TestSupport::readFileBytes(folders.userPath("sys/out.xml")),
              std::string("\xFF\xFE\x1F\x04\x3D\xD8\x00\xDE", 8));
}

TEST(WriteUtf16FileTest, NeedsAFileSystem) {
    EXPECT_THROW(writeUtf16File("a.xml", L"a"), std::string);
}
