#include "engine/core/File.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Engine;
using TestSupport::TempFolder;

TEST(FileTest, ZeroCountsAndClosedFilesGiveZero) {
    TempFolder folder;
    folder.write("a.bin", "abc");
    cFile file(folder.file("a.bin"), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    char buffer[4];
    EXPECT_EQ(file.read(buffer, 0), 0);
    EXPECT_EQ(file.write("x", 0), 0);
    file.close();
    EXPECT_EQ(file.getSize(), 0);
    EXPECT_EQ(file.seek(2, 0), 0);
    EXPECT_EQ(file.read(buffer, 3), 0);
    file.close();
}

TEST(FileTest, GetSizeRewindsToTheStart) {
    TempFolder folder;
    std::string bytes(300, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i);
    folder.write("a.bin", bytes);
    cFile file(folder.file("a.bin"), GENERIC_READ, OPEN_EXISTING);
    char buffer[100];
    ASSERT_EQ(file.read(buffer, 100), 100);
    EXPECT_EQ(file.getSize(), 300);
    ASSERT_EQ(file.read(buffer, 1), 1);
    EXPECT_EQ(buffer[0], 0);
}

TEST(FileTest, SeekOriginsAndShortRead) {
    TempFolder folder;
    folder.write("a.bin", "0123456789");
    cFile file(folder.file("a.bin"), GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(file.seek(4, 0), 4);
    EXPECT_EQ(file.seek(2, 1), 6);
    EXPECT_EQ(file.seek(-3, 2), 7);
    EXPECT_EQ(file.seek(1, 9), 1); // an unknown origin counts from the start
    char buffer[20];
    EXPECT_EQ(file.read(buffer, 20), 9);
    EXPECT_EQ(std::string(buffer, 9), "123456789");
}

TEST(FileTest, CreateAlwaysTruncatesAndOpenExistingThrowsForMissingFiles) {
    TempFolder folder;
    folder.write("a.bin", "old contents");
    {
        cFile file(folder.file("a.bin"), GENERIC_WRITE, CREATE_ALWAYS);
        EXPECT_EQ(file.write("new", 3), 3);
    }
    EXPECT_EQ(folder.read("a.bin"), "new");

    std::string missing = folder.file("missing.bin");
    try {
        cFile file(missing, GENERIC_READ, OPEN_EXISTING);
        FAIL();
    } catch (const std::string& text) {
        EXPECT_EQ(text, "Can't open file \"" + missing + "\".");
    }
    try {
        cFile file(std::wstring(missing.begin(), missing.end()), GENERIC_READ, 7);
        FAIL();
    } catch (const std::wstring& text) {
        EXPECT_EQ(text, L"Can't open file \"" + std::wstring(missing.begin(), missing.end()) + L"\".");
    }
}
