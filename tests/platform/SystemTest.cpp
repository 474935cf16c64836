#include "engine/platform/System.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using namespace Platform;

namespace {

// Sets or unsets an environment variable for the test's scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace

TEST(SystemTest, UserDataFolderPrefersOverrideThenXdgThenHome) {
    const std::string here = std::filesystem::current_path().string();
    const std::string unset = "<unset>";
    struct Case {
        std::string user, xdg, home, expected;
    } cases[] = {
        {here + "/override", here + "/xdg", here + "/home", here + "/override"},
        {unset, here + "/xdg", here + "/home", here + "/xdg"},
        {unset, "relative/xdg", here + "/home", here + "/home/.local/share"},
        {"", unset, here + "/home2", here + "/home2/.local/share"},
    };
    auto value = [&](const std::string& s) { return s == unset ? nullptr : s.c_str(); };
    for (const auto& c : cases) {
        ScopedEnv user("MEADOW_USER_DIR", value(c.user)), xdg("XDG_DATA_HOME", value(c.xdg)),
            home("HOME", value(c.home));
        EXPECT_EQ(getUserDataFolder(), c.expected);
        EXPECT_TRUE(std::filesystem::is_directory(c.expected)) << c.expected;
    }
}

TEST(SystemTest, ExecutablePathAndErrorText) {
    EXPECT_EQ(std::filesystem::path(getExecutablePath()).filename(), "platform_tests");
    errno = ENOENT;
    EXPECT_EQ(lastErrorText(), "No such file or directory");
    errno = 0;
    EXPECT_EQ(lastErrorText(), "");
    EXPECT_TRUE(isHeadless());
}
