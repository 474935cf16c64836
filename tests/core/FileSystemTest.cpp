#include "engine/core/FileSystem.h"

#include "tests/support/DataFolders.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/PackBuilder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace Engine;
using TestSupport::writePack;

namespace {

std::string readAll(IFileSystem& fs, const std::string& name) {
    std::vector<uint8_t> bytes;
    fs.readFile(name, bytes);
    return std::string(bytes.begin(), bytes.end());
}

void writeName(IFileSystem& fs, const std::string& name, const std::string& bytes) {
    auto file = fs.openWrite(name, true);
    ASSERT_EQ(file->write(bytes.data(), static_cast<int32_t>(bytes.size())), static_cast<int32_t>(bytes.size()));
    file->close();
}

std::string sample(size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i)
        text += char('a' + i % 23);
    return text;
}

template <class F> std::string thrownText(F&& action) {
    try {
        action();
    } catch (const std::string& text) {
        return text;
    } catch (const std::wstring& text) {
        return std::string(text.begin(), text.end());
    } catch (const char* text) {
        return text;
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

void put16(std::string& out, uint32_t value) {
    out += char(value & 0xFF);
    out += char(value >> 8 & 0xFF);
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// One stored entry in the form other zip programs write in zip64 mode: the local header's sizes and
// the directory record's uncompressed size are 0xFFFFFFFF, the real ones sit in zip64 extra
// fields (in the directory behind another field).
std::string zip64StoredPack(const std::string& name, const std::string& bytes) {
    const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size())));
    const uint32_t size = uint32_t(bytes.size());
    std::string out;
    put32(out, 0x04034b50);
    put16(out, 45);
    put16(out, 0);
    put16(out, 0);
    put32(out, 0);
    put32(out, crc);
    put32(out, 0xFFFFFFFFu);
    put32(out, 0xFFFFFFFFu);
    put16(out, uint32_t(name.size()));
    put16(out, 20);
    out += name;
    put16(out, 0x0001);
    put16(out, 16);
    put32(out, size);
    put32(out, 0);
    put32(out, size);
    put32(out, 0);
    out += bytes;
    std::string extra;
    put16(extra, 0x5455); // a time stamp field
    put16(extra, 5);
    extra += std::string("\x01\0\0\0\0", 5);
    put16(extra, 0x0001);
    put16(extra, 8);
    put32(extra, size);
    put32(extra, 0);
    const uint32_t directory = uint32_t(out.size());
    put32(out, 0x02014b50);
    put16(out, 45);
    put16(out, 45);
    put16(out, 0);
    put16(out, 0);
    put32(out, 0);
    put32(out, crc);
    put32(out, size);
    put32(out, 0xFFFFFFFFu);
    put16(out, uint32_t(name.size()));
    put16(out, uint32_t(extra.size()));
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    out += name + extra;
    const uint32_t directorySize = uint32_t(out.size()) - directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    put32(out, directorySize);
    put32(out, directory);
    put16(out, 0);
    return out;
}

class FileSystemTest : public ::testing::Test {
protected:
    std::unique_ptr<cFileSystem> make(cFileSystem::PackFilter filter = nullptr) const {
        return std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack", std::move(filter));
    }

    TestSupport::DataFolders m_folders;
};

} // namespace

TEST_F(FileSystemTest, GetterFollowsTheLifetime) {
    EXPECT_EQ(getFileSystem(), nullptr);
    {
        auto fs = make();
        EXPECT_EQ(getFileSystem(), fs.get());
        EXPECT_EQ(thrownText([&] { make(); }), "Object already exist.");
    }
    EXPECT_EQ(getFileSystem(), nullptr);
}

TEST_F(FileSystemTest, PrecedenceOfUserFolderDataFolderAndPacks) {
    m_folders.writeData("both.txt", "data file");
    m_folders.writeData("shadowed.txt", "data file");
    writePack(m_folders.dataPath("a.pack"),
              {{"both.txt", "pack a"}, {"packs.txt", "pack a"}, {"dataVsUser.txt", "pack a"}});
    writePack(m_folders.dataPath("sub/b.pack"), {{"packs.txt", "pack b"}, {"Deep/Inner.txt", "pack b"}});
    m_folders.writeUser("shadowed.txt", "user file");
    writePack(m_folders.userPath("mine.pack"), {{"dataVsUser.txt", "user pack"}, {"onlyUser.txt", "user pack"}});

    auto fs = make();
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"both.txt", "data file"},     // a plain data file beats a pack entry
        {"packs.txt", "pack b"},       // the pack that sorts last wins
        {"deep/inner.txt", "pack b"},  // entries are named from the pack's root
        {"shadowed.txt", "user file"}, // the user folder beats everything
        {"dataVsUser.txt", "pack a"},  // data packs beat user packs
        {"onlyUser.txt", "user pack"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readAll(*fs, c.name), c.expected) << c.name;
    EXPECT_FALSE(fs->exists("a.pack"));
    EXPECT_FALSE(fs->exists("sub/b.pack"));
}

TEST_F(FileSystemTest, WrittenFileShadowsUntilDeletedThenFallsBack) {
    m_folders.writeData("sys/Settings.xml", "shipped");
    writePack(m_folders.userPath("extra.pack"), {{"level.xml", "packed"}});
    auto fs = make();
    std::vector<std::string> forgotten;
    fs->setForgetHook([&](const std::string& name) { forgotten.push_back(name); });

    writeName(*fs, "Sys/Settings.xml", "mine");
    writeName(*fs, "level.xml", "edited");
    writeName(*fs, "fresh/new.xml", "new");
    EXPECT_TRUE(fs->isUserFile("SYS/SETTINGS.XML"));
    EXPECT_EQ(readAll(*fs, "sys/settings.xml"), "mine");
    EXPECT_EQ(readAll(*fs, "level.xml"), "edited");
    EXPECT_NE(std::find(forgotten.begin(), forgotten.end(), "sys/settings.xml"), forgotten.end());

    forgotten.clear();
    EXPECT_TRUE(fs->deleteFile("SYS/settings.XML"));
    EXPECT_TRUE(fs->deleteFile("level.xml"));
    EXPECT_TRUE(fs->deleteFile("fresh/new.xml"));
    EXPECT_EQ(forgotten, (std::vector<std::string>{"sys/settings.xml", "level.xml", "fresh/new.xml"}));
    EXPECT_EQ(readAll(*fs, "sys/settings.xml"), "shipped");
    EXPECT_EQ(readAll(*fs, "level.xml"), "packed");
    EXPECT_FALSE(fs->exists("fresh/new.xml"));
    EXPECT_FALSE(fs->deleteFile("fresh/new.xml"));
}

TEST_F(FileSystemTest, UserFileKeepsItsOnDiskCase) {
    m_folders.writeUser("Profiles/Player.XML", "old");
    auto fs = make();
    writeName(*fs, "profiles/player.xml", "new");
    EXPECT_EQ(TestSupport::readFileBytes(m_folders.userPath("Profiles/Player.XML")), "new");
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath("profiles/player.xml")));
    EXPECT_TRUE(fs->deleteFile("PROFILES/PLAYER.xml"));
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath("Profiles/Player.XML")));
}

TEST_F(FileSystemTest, NewFilesAreWrittenLowerCaseInsideFoldersAsSpelledOnDisk) {
    m_folders.writeUser("Profiles/00000001.xml", "kept");
    auto fs = make();
    writeName(*fs, "Saves\\Slot.SAVE", "a");
    writeName(*fs, "profiles/00000002.XML", "b");
    writeName(*fs, "PROFILES/Sub/Three.xml", "c");
    EXPECT_EQ(TestSupport::readFileBytes(m_folders.userPath("saves/slot.save")), "a");
    EXPECT_EQ(TestSupport::readFileBytes(m_folders.userPath("Profiles/00000002.xml")), "b");
    EXPECT_EQ(TestSupport::readFileBytes(m_folders.userPath("Profiles/sub/three.xml")), "c");
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath("profiles")));
    EXPECT_EQ(readAll(*fs, "saves/slot.save"), "a");
}

TEST_F(FileSystemTest, TemporaryFilesOfAnInterruptedWriteAreRemovedAtStart) {
    m_folders.writeUser(".settings.xml.tmp-Ab12Cd", "half");
    m_folders.writeUser("profiles/.00000001.xml.tmp-XyZ789", "half");
    m_folders.writeUser(".notes.tmp-1", "kept");
    m_folders.writeUser("settings.xml", "kept");
    auto fs = make();
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath(".settings.xml.tmp-Ab12Cd")));
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath("profiles/.00000001.xml.tmp-XyZ789")));
    EXPECT_TRUE(std::filesystem::exists(m_folders.userPath(".notes.tmp-1")));
    EXPECT_EQ(readAll(*fs, "settings.xml"), "kept");
}

TEST_F(FileSystemTest, Zip64PacksAreRead) {
    writePack(m_folders.dataPath("minizip64.pack"), {{"a.txt", sample(3000)}, {"b.txt", "bee"}}, false, true);
    m_folders.writeData("other64.pack", zip64StoredPack("c.txt", "stored in zip64 form"));
    auto fs = make();
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_EQ(thrownText([&] { readAll(*fs, name); }), "(nothing thrown)") << name;
    EXPECT_EQ(readAll(*fs, "a.txt"), sample(3000));
    EXPECT_EQ(readAll(*fs, "b.txt"), "bee");
    EXPECT_EQ(readAll(*fs, "c.txt"), "stored in zip64 form");
}

TEST_F(FileSystemTest, PackEntriesWithUnsafeNamesAreSkippedTheRestIsRead) {
    writePack(m_folders.dataPath("mixed.pack"),
              {{"ui/ok.xml", "ok"}, {"ui\\win.xml", "x"}, {"../up.xml", "x"}, {"ui/last.xml", "last"}});
    auto fs = make();
    std::vector<std::string> names;
    fs->listNames("", names, true);
    EXPECT_EQ(names, (std::vector<std::string>{"sys/constants.xml", "ui/last.xml", "ui/ok.xml"}));
    EXPECT_EQ(readAll(*fs, "ui/last.xml"), "last");
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Pack \"" + m_folders.dataPath("mixed.pack") +
                       "\" holds the entry \"ui\\win.xml\", which is skipped: its name holds a backslash."),
              std::string::npos)
        << log;
}

TEST_F(FileSystemTest, NamesIgnoreAsciiCaseButBackslashesAreNotSeparators) {
    m_folders.writeData("Meadow/Model/GameModel.xml", "model");
    m_folders.writeData("Fonts/Stra\xC3\x9F\xC3\x89.fnt", "font"); // UTF-8 on disk
    auto fs = make();
    EXPECT_EQ(readAll(*fs, "MEADOW/model/GAMEMODEL.xml"), "model");
    EXPECT_EQ(readAll(*fs, "fonts/STRA\xC3\x9F\xC3\x89.FNT"), "font");
    EXPECT_FALSE(fs->exists("Meadow\\Model\\GameModel.xml"));
}

TEST_F(FileSystemTest, HiddenFilesFolderEntriesAndFilteredPacksStayOut) {
    m_folders.writeData(".hidden.xml", "x");
    m_folders.writeData(".svn/entries.xml", "x");
    m_folders.writeData("ui/.swap.xml", "x");
    writePack(m_folders.dataPath("kept.pack"), {{"ui/", ""}, {"ui/Button.xml", "kept"}});
    writePack(m_folders.dataPath("skipped.pack"), {{"ui/Button.xml", "skipped"}, {"ui/Other.xml", "skipped"}});
    auto fs = make([](const std::string& pack) { return pack != "skipped.pack"; });

    std::vector<std::string> names;
    fs->listNames("", names, true);
    EXPECT_EQ(names, (std::vector<std::string>{"sys/constants.xml", "ui/button.xml"}));
    EXPECT_EQ(readAll(*fs, "ui/button.xml"), "kept");
}

TEST_F(FileSystemTest, ListNamesByPrefix) {
    for (const char* name : {"ui/b.xml", "ui/A.xml", "ui/sub/c.xml", "uix.xml"})
        m_folders.writeData(name, "x");
    auto fs = make();
    std::vector<std::string> names;
    fs->listNames("UI/", names, true);
    EXPECT_EQ(names, (std::vector<std::string>{"ui/a.xml", "ui/b.xml", "ui/sub/c.xml"}));
    names.clear();
    fs->listNames("ui/", names, false);
    EXPECT_TRUE(names.empty());
    fs->listNames("ui/B.xml", names, false);
    EXPECT_EQ(names, (std::vector<std::string>{"ui/b.xml"}));
}

TEST_F(FileSystemTest, ListUserFolderGivesFilesWithoutPacks) {
    m_folders.writeUser("profiles/1.xml", "x");
    m_folders.writeUser("profiles/2.xml", "x");
    writePack(m_folders.userPath("profiles/old.pack"), {{"x.xml", "x"}});
    m_folders.writeUser("profiles/sub/3.xml", "x");
    auto fs = make();
    std::vector<std::string> list;
    fs->listUserFolder("profiles/", list);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::string>{"1.xml", "2.xml"}));
}

TEST_F(FileSystemTest, ReadFileOfEmptyFileLeavesTheVector) {
    m_folders.writeData("empty.txt", "");
    auto fs = make();
    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_EQ(fs->readFile("empty.txt", bytes), 0);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(FileSystemTest, ErrorsNameTheFile) {
    m_folders.writeData("gone.txt", "x");
    auto fs = make();
    std::filesystem::remove(m_folders.dataPath("gone.txt"));
    std::vector<uint8_t> bytes;
    EXPECT_EQ(thrownText([&] { fs->readFile("Nothing/Here.xml", bytes); }), "File \"Nothing/Here.xml\" not found.");
    EXPECT_EQ(thrownText([&] { fs->openRead("gone.txt"); }),
              "Can't open file \"" + m_folders.dataPath("gone.txt") + "\".");
    EXPECT_EQ(thrownText([&] { fs->openWrite("missing.txt", false); }),
              "Can't open file \"" + m_folders.userPath("missing.txt") + "\".");
    EXPECT_FALSE(fs->exists("missing.txt"));
}

TEST_F(FileSystemTest, CorruptPackEntryIsAReadError) {
    std::string text(4000, 'a');
    writePack(m_folders.dataPath("bad.pack"), {{"big.txt", text}});
    // An invalid deflate block type right at the start of the entry's data.
    std::fstream pack(m_folders.dataPath("bad.pack"), std::ios::in | std::ios::out | std::ios::binary);
    pack.seekp(30 + 7);
    pack.put('\xFF');
    pack.close();
    auto fs = make();
    std::vector<uint8_t> bytes;
    EXPECT_EQ(thrownText([&] { fs->readFile("big.txt", bytes); }), "Can't read file \"big.txt\".");
    EXPECT_TRUE(bytes.empty());
}

TEST_F(FileSystemTest, BrokenPacksStopStartUpNamingThePack) {
    m_folders.writeData("broken.pack", "this is not a zip");
    EXPECT_EQ(thrownText([&] { make(); }), m_folders.dataPath("broken.pack") + " cannot be opened.");
}

TEST_F(FileSystemTest, OpenWriteKeepsContentsWithoutCreate) {
    m_folders.writeUser("log.txt", "first");
    auto fs = make();
    auto file = fs->openWrite("log.txt", false);
    file->seek(0, 2);
    file->write("+second", 7);
    file->close();
    EXPECT_EQ(readAll(*fs, "log.txt"), "first+second");
}

TEST_F(FileSystemTest, MovePathRegistersAUserFileAndReplacesTheDestination) {
    auto fs = make();
    std::string source = m_folders.userPath("incoming.tmp");
    TestSupport::writeFileBytes(source, "moved");
    m_folders.writeUser("saves/slot.save", "old");
    fs->movePath(source, m_folders.userPath("saves/slot.save"));
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_TRUE(fs->isUserFile("saves/slot.save"));
    EXPECT_EQ(readAll(*fs, "saves/slot.save"), "moved");
}

TEST_F(FileSystemTest, PackStreamsOpenTogetherStayIndependent) {
    writePack(m_folders.dataPath("ui.pack"), {{"a.txt", "aaaaaaaa"}, {"b.txt", "bbbbbbbb"}});
    auto fs = make();
    char buffer[4];
    auto a = fs->openRead("a.txt");
    auto b = fs->openRead("b.txt");
    ASSERT_EQ(a->read(buffer, 2), 2);
    ASSERT_EQ(b->read(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "bbb");
    a.reset();
    auto again = fs->openRead("B.TXT"); // takes the handle a gave back
    ASSERT_EQ(again->read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "bbbb");
    ASSERT_EQ(b->read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "bbbb");
    fs.reset();
    EXPECT_EQ(b->read(buffer, 2), 1); // streams outlive the file system
}

TEST_F(FileSystemTest, UserFolderIsNamedByTheConstants) {
    std::string base = m_folders.userDataPath();
    struct Case {
        const char* constants;
        std::string userFolder;
    } cases[] = {
        {"<c><game app_directory='Studio\\Meadow' window_title='Title'/></c>", base + "Studio/Meadow/"},
        {"<c><game app_directory='' window_title='Meadow Game'/></c>", base + "Meadow Game/"},
    };
    for (const Case& c : cases) {
        m_folders.writeData("sys/constants.xml", c.constants);
        auto fs = make();
        EXPECT_EQ(fs->getUserFolder(), std::wstring(c.userFolder.begin(), c.userFolder.end())) << c.constants;
        EXPECT_TRUE(std::filesystem::is_directory(c.userFolder));
    }
    for (const char* constants : {"<c><game window_title=''/></c>", "<c><other app_directory='x'/></c>"}) {
        m_folders.writeData("sys/constants.xml", constants);
        EXPECT_EQ(thrownText([&] { make(); }), "app_directory not defined.") << constants;
        EXPECT_EQ(getFileSystem(), nullptr);
    }
}

TEST_F(FileSystemTest, MovePathAcrossDevicesCopiesAndReportsAShortCopy) {
    struct stat shm {
    }, here{};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(".", &here) != 0 || shm.st_dev == here.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm to move across";
    m_folders.writeUser("saves/slot.save", "old");
    auto fs = make();
    std::string source = "/dev/shm/meadow-move-" + std::to_string(::getpid());
    TestSupport::writeFileBytes(source, std::string(300000, 'm'));

    {
        TestSupport::FileSizeLimit limit(100000);
        EXPECT_EQ(thrownText([&] { fs->movePath(source, m_folders.userPath("saves/slot.save")); })
                      .rfind("File \"" + source + "\" can't be moved into \"" + m_folders.userPath("saves/slot.save") +
                                 "\".\n",
                             0),
                  0u);
    }
    EXPECT_EQ(readAll(*fs, "saves/slot.save"), "old");

    fs->movePath(source, m_folders.userPath("saves/slot.save"));
    EXPECT_EQ(readAll(*fs, "saves/slot.save"), std::string(300000, 'm'));
    EXPECT_TRUE(std::filesystem::exists(source)); // a copy leaves the source
    std::filesystem::remove(source);
}

TEST_F(FileSystemTest, DamagedEntryHeaderNamesEntryAndPack) {
    writePack(m_folders.dataPath("ui.pack"), {{"a.txt", "aaaa"}});
    std::fstream pack(m_folders.dataPath("ui.pack"), std::ios::in | std::ios::out | std::ios::binary);
    pack.put('X'); // the entry's local header signature
    pack.close();
    auto fs = make();
    for (int attempt = 0; attempt < 2; ++attempt) // the failed handle is not kept for reuse
        EXPECT_EQ(thrownText([&] { fs->openRead("A.txt"); }),
                  "Cant't open file 'a.txt' in the '" + m_folders.dataPath("ui.pack") + "' pack.");
}

TEST_F(FileSystemTest, PathOperationsWorkOnRealPaths) {
    auto fs = make();
    std::string root = m_folders.userDataPath("paths");
    {
        auto file = fs->openPath(root + "/Deep/Er/New.bin", true);
        file->write("abc", 3);
    }
    m_folders.writeUser("../paths/top.txt", "x");
    m_folders.writeUser("../paths/.hidden/inner.txt", "x");
    EXPECT_TRUE(fs->pathExists(root + "/Deep/Er/New.bin"));
    EXPECT_FALSE(fs->pathExists(root + "/deep/er/new.bin"));
    EXPECT_FALSE(fs->exists("deep/er/new.bin")); // real paths stay out of the name space

    std::wstring wideRoot(root.begin(), root.end());
    std::vector<std::wstring> flat, deep;
    fs->listFolder(wideRoot, flat, false);
    fs->listFolder(wideRoot + L"/", deep, true);
    std::sort(deep.begin(), deep.end());
    EXPECT_EQ(flat, std::vector<std::wstring>{wideRoot + L"/top.txt"});
    EXPECT_EQ(deep, (std::vector<std::wstring>{wideRoot + L"/Deep/Er/New.bin", wideRoot + L"/top.txt"}));
}
