#pragma once

// The data and user folders of DataFolders with the file system and the resource manager over
// them, started and stopped as the application does. For tests of the services that read and
// write files by name.

#include "tests/support/DataFolders.h"

#include <memory>
#include <string>

namespace Engine {
class cFileSystem;
class cResourceManager;
} // namespace Engine

namespace TestSupport {

class FileServices {
public:
    FileServices();
    ~FileServices();
    FileServices(const FileServices&) = delete;
    FileServices& operator=(const FileServices&) = delete;

    // Files put in place before start (the file system lists the folders when it starts).
    void writeData(const std::string& relative, const std::string& bytes) const {
        m_folders.writeData(relative, bytes);
    }
    void writeUser(const std::string& relative, const std::string& bytes) const {
        m_folders.writeUser(relative, bytes);
    }
    // "sys/constants.xml" with the application directory and these attributes of "game".
    void writeConstants(const std::string& gameAttributes) const;
    std::string readUser(const std::string& relative) const;
    bool userExists(const std::string& relative) const;
    std::string userPath(const std::string& relative) const { return m_folders.userPath(relative); }

    // Creates the file system over the folders, then the resource manager.
    void start();
    // Destroys them in the reverse order.
    void stop();
    // stop, then start: what the next run of the program sees.
    void restart();

private:
    DataFolders m_folders;
    std::unique_ptr<Engine::cFileSystem> m_fileSystem;
    std::unique_ptr<Engine::cResourceManager> m_resources;
};

// The bytes of a UTF-16LE file holding the text, with or without the byte-order unit.
std::string utf16Bytes(const std::wstring& text, bool byteOrderMark);

} // namespace TestSupport
