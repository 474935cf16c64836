#include "tests/support/FileServices.h"

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"

#include <filesystem>

namespace TestSupport {

FileServices::FileServices() = default;

FileServices::~FileServices() {
    stop();
}

void FileServices::writeConstants(const std::string& gameAttributes) const {
    writeData("sys/constants.xml", std::string("<constants><game app_directory=\"") + DataFolders::APP_DIRECTORY +
                                       "\" " + gameAttributes + "/></constants>");
}

std::string FileServices::readUser(const std::string& relative) const {
    return readFileBytes(userPath(relative));
}

bool FileServices::userExists(const std::string& relative) const {
    return std::filesystem::exists(userPath(relative));
}

void FileServices::start() {
    m_fileSystem = std::make_unique<Engine::cFileSystem>(m_folders.dataFolder(), "pack");
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
