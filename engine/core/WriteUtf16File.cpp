#include "engine/core/String.h"

#include "engine/core/FileSystem.h"

namespace Engine {

int writeUtf16File(const std::string& name, const std::wstring& text) {
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw std::string("Can't write file \"" + name + "\": there is no file system.");
    std::unique_ptr<cFile> file = fileSystem->openWrite(name, true);
    const std::string bytes = "\xFF\xFE" + wideToUtf16Bytes(text);
    int written = file->write(bytes.data(), 2);
    written += file->write(bytes.data() + 2, static_cast<int32_t>(bytes.size() - 2));
    // Closing commits the file; a failure is thrown here rather than lost in the destructor.
    file->close();
    return written;
}

} // namespace Engine
