#include "engine/core/AtomicFile.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Engine;
using TestSupport::TempFolder;

namespace {

std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

size_t fileCount(const TempFolder& folder) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++count;
    }
    return count;
}

} // namespace

TEST(AtomicFileTest, TargetChangesOnlyWhenClosed) {
    TempFolder folder;
    folder.write("settings.xml", "old");
    std::vector<bool> closes;
    {
        cAtomicFile file(wide(folder.file("settings.xml")), false);
        file.setCloseHandler([&](bool committed) { closes.push_back(committed); });
        EXPECT_EQ(file.write("new", 3), 3);
        EXPECT_EQ(folder.read("settings.xml"), "old");
    }
    EXPECT_EQ(folder.read("settings.xml"), "new");
    EXPECT_EQ(closes, std::vector<bool>{true});
    EXPECT_EQ(fileCount(folder), 1u);
}

TEST(AtomicFileTest, ShortWriteLeavesTheOldFileAndIsReported) {
    TempFolder folder;
    folder.write("profile.xml", "saved progress");
    std::string path = folder.file("profile.xml");
    std::vector<bool> closes;
    {
        TestSupport::FileSizeLimit limit(1024);
        cAtomicFile file(wide(path), false);
        file.setCloseHandler([&](bool committed) { closes.push_back(committed); });
        std::string big(4096, 'x');
        EXPECT_LT(file.write(big.data(), 4096), 4096);
        try {
            file.close();
            ADD_FAILURE() << "close must report the failed write";
        } catch (const std::string& text) {
            EXPECT_EQ(text.rfind("Can't write file \"" + path + "\". ", 0), 0u) << text;
        }
    }
    EXPECT_EQ(folder.read("profile.xml"), "saved progress");
    EXPECT_EQ(closes, std::vector<bool>{false});
    EXPECT_EQ(fileCount(folder), 1u);
}

TEST(AtomicFileTest, FailedRenameIsReportedAndDestructorNeverThrows) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("taken"));
    {
        cAtomicFile file(wide(folder.file("taken")), false);
        file.write("x", 1);
        EXPECT_THROW(file.close(), std::string);
        file.close(); // a second close has nothing left to do
    }
    {
        cAtomicFile file(wide(folder.file("taken")), false);
        file.write("x", 1);
    } // the failure goes to the log, not out of the destructor
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Can't write file \"" + folder.file("taken") + "\""), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken")));
    EXPECT_EQ(fileCount(folder), 1u);
}

TEST(AtomicFileTest, KeepContentsStartsFromTheOldFile) {
    TempFolder folder;
    folder.write("data.bin", "0123456789");
    {
        cAtomicFile file(wide(folder.file("data.bin")), true);
        EXPECT_EQ(file.seek(4, 0), 4);
        file.write("ab", 2);
    }
    EXPECT_EQ(folder.read("data.bin"), "0123ab6789");
    EXPECT_THROW(cAtomicFile(wide(folder.file("missing.bin")), true), std::wstring);
}

TEST(AtomicFileTest, FileSizeLimitIsAFailedWriteNotTheEndOfTheProcess) {
    TempFolder folder;
    folder.write("save.bin", "old");
    std::string path = folder.file("save.bin");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As a fresh process starts: the signal's default ends the process.
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 512;
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            cAtomicFile file(wide(path), false);
            std::string big(4096, 'x');
            file.write(big.data(), 4096);
            file.close();
        } catch (const std::string& text) {
            _exit(text.find("File too large") != std::string::npos ? 0 : 3);
        }
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(folder.read("save.bin"), "old");
}

TEST(AtomicFileTest, FailedOpenKeepsItsTextAndLogsTheReason) {
    TempFolder folder;
    std::string path = folder.file("no/such/folder/x.xml");
    try {
        cAtomicFile file(wide(path), false);
        ADD_FAILURE() << "the open must fail";
    } catch (const std::wstring& text) {
        EXPECT_EQ(text, wide("Can't open file \"" + path + "\"."));
    }
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Can't open file \"" + path + "\". No such file or directory"), std::string::npos) << log;
}
