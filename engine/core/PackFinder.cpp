#include "engine/core/PackFinder.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/ExceptionLog.h"
#include "engine/core/String.h"
#include "engine/platform/MessageBox.h"

#include <minizip/unzip.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace Engine {

struct cPackFinder::Pack {
    unzFile zip = nullptr;
    std::string path;
};

namespace {

constexpr size_t NAME_BUFFER = 256;

// Names that would escape the name space or that the finder cannot hold whole.
const char* refusalReason(const std::string& name, uLong storedSize) {
    if (storedSize >= NAME_BUFFER)
        return "its name is 256 bytes or longer";
    if (name.empty())
        return "its name is empty";
    if (name.find('\\') != std::string::npos)
        return "its name holds a backslash";
    if (name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        return "its name is an absolute path";
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return "its name holds \"..\"";
        start = end + 1;
    }
    return nullptr;
}

// False when minizip cannot give the name; refused is set for a name the name space must not hold.
bool fetchName(unzFile zip, const std::string& packPath, std::string& nameOut, bool& refused) {
    char buffer[NAME_BUFFER];
    unz_file_info info{};
    if (unzGetCurrentFileInfo(zip, &info, buffer, sizeof buffer, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    size_t length = info.size_filename < NAME_BUFFER ? info.size_filename : NAME_BUFFER - 1;
    std::string name(buffer, length);
    refused = false;
    if (const char* reason = refusalReason(name, info.size_filename)) {
        // One odd entry must not cost the rest of the pack (and with it the start of the game).
        logError("Pack \"" + packPath + "\" holds the entry \"" + name + "\", which is skipped: " + reason + ".");
        refused = true;
        return true;
    }
    nameOut = name;
    return true;
}

// A pack of no entries is only its end record at offset 0, which minizip fails to find.
bool isEmptyZip(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    unsigned char record[22];
    bool empty = std::fread(record, 1, sizeof record, file) == sizeof record && record[0] == 'P' && record[1] == 'K' &&
                 record[2] == 5 && record[3] == 6 && record[10] == 0 && record[11] == 0;
    if (empty) {
        long commentLength = readUint16LE(record + 20);
        empty = std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) == 22 + commentLength;
    }
    std::fclose(file);
    return empty;
}

// The walk's texts, with the pack they concern.
[[noreturn]] void walkError(const char* text, const std::string& packPath) {
    throw cStringA(std::string(text) + " Pack '" + packPath + "'.");
}

} // namespace

cPackFinder::Handle cPackFinder::openPack(const std::wstring& packPath) {
    auto pack = std::make_unique<Pack>();
    wideToUtf8(packPath, pack->path);
    errno = 0;
    pack->zip = openPackZip(pack->path);
    int error = errno; // the empty-pack check below may overwrite it
    if (!pack->zip && !isEmptyZip(pack->path)) {
        std::wstring text = packPath + L" cannot be opened.";
        // Shown at once: the start-up stops here, before any window exists.
        std::string shown;
        wideToUtf8(text, shown);
        Platform::showMessageBox(shown, shown, Platform::MessageBoxIcon::INFORMATION);
        std::string code = std::to_string(error);
        Platform::showMessageBox(code, code, Platform::MessageBoxIcon::INFORMATION);
        throw text;
    }
    return pack.release();
}

namespace {

// Settles on the entry that result went to, or on the first acceptable one after it.
bool settle(unzFile zip, const std::string& packPath, int result, const char* failure, std::string& nameOut) {
    for (;;) {
        if (result == UNZ_END_OF_LIST_OF_FILE)
            return false;
        if (result != UNZ_OK)
            walkError(failure, packPath);
        bool refused = false;
        if (!fetchName(zip, packPath, nameOut, refused))
            walkError((std::string(failure) + " (File name can't be obtained.)").c_str(), packPath);
        if (!refused)
            return true;
        result = unzGoToNextFile(zip);
        failure = "Pack finder raise error during search.";
    }
}

} // namespace

bool cPackFinder::findFirst(Handle handle, std::string& nameOut) {
    // minizip reports an empty pack's first entry as a bad record, not as the end of the list.
    unz_global_info global{};
    if (!handle->zip || (unzGetGlobalInfo(handle->zip, &global) == UNZ_OK && global.number_entry == 0))
        return false;
    return settle(handle->zip, handle->path, unzGoToFirstFile(handle->zip),
                  "Pack finder raise error during begin of search.", nameOut);
}

bool cPackFinder::findNext(Handle handle, std::string& nameOut) {
    if (!handle->zip)
        return false;
    return settle(handle->zip, handle->path, unzGoToNextFile(handle->zip), "Pack finder raise error during search.",
                  nameOut);
}

cPackEntryPosition cPackFinder::getPosition(Handle handle) {
    unz_file_pos pos{};
    if (handle->zip)
        unzGetFilePos(handle->zip, &pos);
    return {static_cast<uint32_t>(pos.pos_in_zip_directory), static_cast<uint32_t>(pos.num_of_file)};
}

void cPackFinder::closePack(Handle handle) {
    std::unique_ptr<Pack> pack(handle);
    if (!pack)
        return;
    if (pack->zip && unzClose(pack->zip) != UNZ_OK)
        throw cStringA("Error has occurred while closing zip find.");
}

} // namespace Engine
