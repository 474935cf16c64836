#pragma once

// A data folder ("Data", holding a minimal "sys/constants.xml") and a user-data folder of the
// test's own, for building a cFileSystem. The user-data folder is selected through
// MEADOW_USER_DIR while the object lives.

#include "tests/support/TempFolder.h"

#include <string>

namespace TestSupport {

class DataFolders {
public:
    // The application directory written into the constants; the user folder is named by it.
    static constexpr const char* APP_DIRECTORY = "Meadow Test";

    DataFolders();
    ~DataFolders();
    DataFolders(const DataFolders&) = delete;
    DataFolders& operator=(const DataFolders&) = delete;

    // The data folder as cFileSystem takes it.
    std::wstring dataFolder() const;
    std::string dataPath(const std::string& relative) const { return m_root.file("Data/" + relative); }
    void writeData(const std::string& relative, const std::string& bytes) const {
        m_root.write("Data/" + relative, bytes);
    }
    // The user-data folder (MEADOW_USER_DIR), with a trailing '/'.
    std::string userDataPath(const std::string& relative = "") const { return m_root.file("user/") + relative; }
    // The user folder the file system will use, with a trailing '/'.
    std::string userPath(const std::string& relative = "") const;
    void writeUser(const std::string& relative, const std::string& bytes) const;

private:
    TempFolder m_root;
    std::string m_oldUserDir;
    bool m_hadUserDir = false;
};

} // namespace TestSupport
