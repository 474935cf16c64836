#include "tests/support/FileServices.h"

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"

#include <cstdlib>
#include <filesystem>

namespace TestSupport {

FileServices::FileServices() {
    const char* old = std::getenv("MEADOW_USER_DIR");
    m_hadUserDir = old != nullptr;
    m_oldUserDir = old ? old : "";
    std::filesystem::create_directories(m_root.file("Data"));
    std::filesystem::create_directories(m_root.file("user"));
    setenv("MEADOW_USER_DIR", m_root.file("user").c_str(), 1);
}

FileServices::~FileServices() {
    stop();
    if (m_hadUserDir)
        setenv("MEADOW_USER_DIR", m_oldUserDir.c_str(), 1);
    else
        unsetenv("MEADOW_USER_DIR");
}

void FileServices::writeData(const std::string& relative, const std::string& bytes) const {
    m_root.write("Data/" + relative, bytes);
}

void FileServices::writeUser(const std::string& relative, const std::string& bytes) const {
    m_root.write("user/" + relative, bytes);
}

std::string FileServices::readUser(const std::string& relative) const { return m_root.read("user/" + relative); }

bool FileServices::userExists(const std::string& relative) const { return m_root.exists("user/" + relative); }

std::string FileServices::userPath(const std::string& relative) const { return m_root.file("user/" + relative); }

void FileServices::start() {
    std::string data = m_root.file("Data");
    m_fileSystem = std::make_unique<Engine::cFileSystem>(std::wstring(data.begin(), data.end()), "pack");
    m_resources = std::make_unique<Engine::cResourceManager>();
}

void FileServices::stop() {
    m_resources.reset();
    m_fileSystem.reset();
}

void FileServices::restart() {
    stop();
    start();
}

std::string utf16Bytes(const std::wstring& text, bool byteOrderMark) {
    std::string bytes = byteOrderMark ? std::string("\xFF\xFE") : std::string();
    for (wchar_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char((unit >> 8) & 0xFF);
    }
    return bytes;
}

} // namespace TestSupport
