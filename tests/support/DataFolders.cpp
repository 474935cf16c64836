#include "tests/support/DataFolders.h"

#include <cstdlib>

namespace TestSupport {

DataFolders::DataFolders() {
    if (const char* old = std::getenv("MEADOW_USER_DIR")) {
        m_hadUserDir = true;
        m_oldUserDir = old;
    }
    setenv("MEADOW_USER_DIR", m_root.file("user").c_str(), 1);
    writeData("sys/constants.xml", std::string("<constants><game app_directory=\"") + APP_DIRECTORY +
                                       "\" window_title=\"Meadow\"/></constants>");
}

DataFolders::~DataFolders() {
    if (m_hadUserDir)
        setenv("MEADOW_USER_DIR", m_oldUserDir.c_str(), 1);
    else
        unsetenv("MEADOW_USER_DIR");
}

std::wstring DataFolders::dataFolder() const {
    std::string path = m_root.file("Data");
    return std::wstring(path.begin(), path.end());
}

std::string DataFolders::userPath(const std::string& relative) const {
    return userDataPath(APP_DIRECTORY) + "/" + relative;
}

void DataFolders::writeUser(const std::string& relative, const std::string& bytes) const {
    writeFileBytes(userPath(relative), bytes);
}

} // namespace TestSupport
