#include "engine/platform/System.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace Platform {

namespace {

ReportHandler g_reportHandler = nullptr;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = getpwuid(getuid()))
        if (entry->pw_dir)
            return entry->pw_dir;
    return ".";
}

} // namespace

bool isHeadless() {
    return environment("MEADOW_HEADLESS") == "1";
}

std::string getExecutablePath() {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return std::string();
        if (size_t(length) < buffer.size())
            return std::string(buffer.data(), size_t(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string getUserDataFolder() {
    std::string folder = environment("MEADOW_USER_DIR");
    if (folder.empty()) {
        std::string xdg = environment("XDG_DATA_HOME");
        folder = !xdg.empty() && xdg[0] == '/' ? xdg : homeFolder() + "/.local/share";
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string lastErrorText() {
    int error = errno;
    if (error == 0)
        return std::string();
    char buffer[512];
    // GNU strerror_r may return a static text instead of filling the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return text ? std::string(text) : std::string();
}

void setReportHandler(ReportHandler handler) {
    g_reportHandler = handler;
}

void report(const std::string& text) {
    if (g_reportHandler)
        g_reportHandler(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

void returnLargeBlocksToTheSystem() {
    // A fixed threshold also stops glibc from raising it after the first large block is freed,
    // after which every decoded picture of that size stayed in the heap once freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

} // namespace Platform
