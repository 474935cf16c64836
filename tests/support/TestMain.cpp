// Every test program runs headless, in a fresh temporary folder that is also the user folder,
// so no test touches a real home folder, a display or a sound card.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "meadow-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        perror("mkdtemp");
        return 1;
    }
    fs::path root = pattern;
    fs::create_directories(root / "user");
    setenv("MEADOW_HEADLESS", "1", 0);
    setenv("MEADOW_USER_DIR", (root / "user").c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    setenv("MEADOW_TEST_DATA", MEADOW_TEST_DATA_DIR, 0);
    if (chdir(root.c_str()) != 0) {
        perror("chdir");
        return 1;
    }

    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();

    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(root, ec);
    return result;
}
