#include "engine/core/FileSystem.h"

#include "tests/support/PackBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace Engine;
using TestSupport::TempFolder;
using TestSupport::writePack;

namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string readAll(IFileSystem& fs, const std::string& name) {
    std::vector<uint8_t> bytes;
    fs.readFile(name, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// A data folder and a user folder of its own for every test.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("MEADOW_USER_DIR");
        m_oldUserDir = old ? old : "";
        setenv("MEADOW_USER_DIR", m_root.file("user").c_str(), 1);
    }
    void TearDown() override { setenv("MEADOW_USER_DIR", m_oldUserDir.c_str(), 1); }

    std::string dataPath(const std::string& relative) const { return m_root.file("Data/" + relative); }
    void writeData(const std::string& relative, const std::string& bytes) const { m_root.write("Data/" + relative, bytes); }
    std::unique_ptr<cFileSystem> make(cFileSystem::PackFilter filter = nullptr) const {
        return std::make_unique<cFileSystem>(wide(m_root.file("Data")), "pack", std::move(filter));
    }
    std::string userPath(IFileSystem& fs, const std::string& relative) const {
        return narrow(fs.getUserFolder()) + relative;
    }

    TempFolder m_root;
    std::string m_oldUserDir;
};

} // namespace

TEST_F(FileSystemTest, WrittenFileIsReadBackAndShadowsDataFile) {
    writeData("sys/Settings.xml", "shipped");
    auto fs = make();
    EXPECT_EQ(readAll(*fs, "sys/settings.xml"), "shipped");
    EXPECT_FALSE(fs->isUserFile("sys/settings.xml"));

    auto file = fs->openWrite("sys/settings.xml", true);
    ASSERT_EQ(file->write("mine", 4), 4);
    file->close();

    EXPECT_TRUE(fs->isUserFile("SYS/SETTINGS.XML"));
    EXPECT_EQ(readAll(*fs, "Sys/Settings.xml"), "mine");
}

TEST_F(FileSystemTest, NamesIgnoreAsciiCaseButOpenTheRealPath) {
    writeData("Meadow/Model/GameModel.xml", "model");
    auto fs = make();
    EXPECT_TRUE(fs->exists("meadow/model/gamemodel.xml"));
    EXPECT_EQ(readAll(*fs, "MEADOW/model/GAMEMODEL.xml"), "model");
    EXPECT_FALSE(fs->exists("Meadow\\Model\\GameModel.xml"));
}

TEST_F(FileSystemTest, MissingNameThrowsItsText) {
    auto fs = make();
    std::vector<uint8_t> bytes;
    try {
        fs->readFile("Nothing/Here.xml", bytes);
        FAIL();
    } catch (const std::string& text) {
        EXPECT_EQ(text, "File \"Nothing/Here.xml\" not found.");
    }
}
