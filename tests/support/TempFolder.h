#pragma once

// A fresh folder under the test's temporary folder, removed with its contents when the
// fixture ends, and small helpers to put files into it.

#include <string>

namespace TestSupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    // Path of a file inside the folder.
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }
    // Writes bytes to a file inside the folder, creating the folders on the way.
    void write(const std::string& relative, const std::string& bytes) const;
    // Reads a whole file; throws when it cannot be opened.
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;

private:
    std::string m_path;
};

// Bytes of a file anywhere; throws when it cannot be opened.
std::string readFileBytes(const std::string& path);
// Writes bytes to a file anywhere, creating the folders on the way.
void writeFileBytes(const std::string& path, const std::string& bytes);

} // namespace TestSupport
