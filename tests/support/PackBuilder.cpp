#include "tests/support/PackBuilder.h"

#include <minizip/zip.h>

#include <filesystem>
#include <stdexcept>

namespace TestSupport {

void writePack(const std::string& path, const std::vector<PackEntry>& entries, bool stored, bool zip64) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!zip)
        throw std::runtime_error("cannot create pack " + path);
    for (const PackEntry& entry : entries) {
        zip_fileinfo info{};
        int method = stored ? 0 : Z_DEFLATED;
        int level = stored ? 0 : Z_DEFAULT_COMPRESSION;
        if (zipOpenNewFileInZip64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method, level,
                                  zip64 ? 1 : 0) != ZIP_OK ||
            zipWriteInFileInZip(zip, entry.bytes.data(), static_cast<unsigned>(entry.bytes.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            zipClose(zip, nullptr);
            throw std::runtime_error("cannot write entry " + entry.name + " of " + path);
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK)
        throw std::runtime_error("cannot close pack " + path);
}

} // namespace TestSupport
