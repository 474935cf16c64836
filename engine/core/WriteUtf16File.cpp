#include "engine/core/String.h"

#include "engine/core/FileSystem.h"

namespace Engine {

int writeUtf16File(const std::string &name, const std::wstring &text) {
    IFileSystem *fileSystem = getFileSystem();
    if (!fileSystem)
        throw std::string("Can't write file \"" + name + "\": there is no file system.");
    std::unique_ptr<cFile> file = fileSystem->openWrite(name, true);
    std::string bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes += '\xFF';
    bytes += '\xFE';
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    int written = file->write(bytes.data(), 2);
    written += file->write(bytes.data() + 2, static_cast<int32_t>(bytes.size() - 2));
    // Closing commits the file; a failure is thrown here rather than lost in the destructor.
    file->close();
    return written;
}

} // namespace Engine
