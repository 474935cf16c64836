#include "engine/core/PackStream.h"

#include "engine/core/FatalError.h"
#include "engine/core/PackPool.h"
#include "engine/core/String.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstdio>

namespace Engine {

void* openPackFileHook(void* /*opaque*/, const char* name, int mode) {
    const char* modeText = nullptr;
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
        modeText = "rb";
    else if (mode & ZLIB_FILEFUNC_MODE_EXISTING)
        modeText = "r+b";
    else if (mode & ZLIB_FILEFUNC_MODE_CREATE)
        modeText = "wb";
    if (!modeText || !name)
        return nullptr;
    return std::fopen(name, modeText);
}

void* openPackZip(const std::string& utf8Path) {
    zlib_filefunc_def functions;
    fill_fopen_filefunc(&functions);
    functions.zopen_file = openPackFileHook;
    return unzOpen2(utf8Path.c_str(), &functions);
}

void cPackStream::fail(const std::string& text) {
    errorCallStack() = text;
    throw cStringA(text);
}

cPackStream::cPackStream(const std::wstring& packPath, const std::string& entryName, const cPackEntryPosition& position,
                         std::shared_ptr<cPackPool> pool)
    : m_pool(std::move(pool)) {
    std::string& path = m_packPath;
    wideToUtf8(packPath, path);
    if (m_pool)
        m_zip = m_pool->take(path);
    if (!m_zip)
        m_zip = openPackZip(path);
    if (!m_zip)
        fail("Cant't open pack file '" + path + "'");
    unz_file_pos pos{position.directoryOffset, position.entryNumber};
    unz_file_info info{};
    if (unzGoToFilePos(m_zip, &pos) != UNZ_OK) {
        m_pool.reset();
        close();
        fail("Cant't find file '" + entryName + "' in the '" + path + "' pack.");
    }
    if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
        m_pool.reset();
        close();
        fail("Cant't open file '" + entryName + "' in the '" + path + "' pack.");
    }
    if (unzGetCurrentFileInfo(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.uncompressed_size > 0x7FFFFFFFu) {
        m_pool.reset();
        close();
        fail("Cant't open file '" + entryName + "' in the '" + path + "' pack.");
    }
    m_size = static_cast<uint32_t>(info.uncompressed_size);
}

cPackStream::~cPackStream() {
    close();
}

int32_t cPackStream::getSize() {
    return static_cast<int32_t>(m_size);
}

int32_t cPackStream::read(void* buffer, int32_t count) {
    if (!m_zip || count <= 0)
        return 0;
    int got = unzReadCurrentFile(m_zip, buffer, static_cast<unsigned>(count));
    if (got <= 0)
        return 0;
    m_position += static_cast<uint32_t>(got);
    return got;
}

int32_t cPackStream::write(const void*, int32_t) {
    return 0;
}

bool cPackStream::rewind() {
    unzCloseCurrentFile(m_zip);
    m_position = 0;
    return unzOpenCurrentFile(m_zip) == UNZ_OK;
}

int32_t cPackStream::seek(int32_t offset, int origin) {
    if (!m_zip)
        return 0;
    int64_t target;
    switch (origin) {
    case 0:
        target = offset;
        break;
    case 1:
        target = int64_t(m_position) + offset;
        break;
    case 2:
        target = int64_t(m_size) + offset;
        break;
    default:
        return static_cast<int32_t>(m_position);
    }
    target = std::clamp<int64_t>(target, 0, m_size);
    // The zip reader only reads forward: going back means opening the entry again.
    if (target < int64_t(m_position) && !rewind())
        return static_cast<int32_t>(m_position);
    char scratch[16384];
    while (int64_t(m_position) < target) {
        int32_t want = static_cast<int32_t>(std::min<int64_t>(target - m_position, sizeof scratch));
        if (read(scratch, want) <= 0)
            break;
    }
    return static_cast<int32_t>(m_position);
}

void cPackStream::close() {
    if (!m_zip)
        return;
    unzCloseCurrentFile(m_zip);
    if (m_pool)
        m_pool->give(m_packPath, m_zip);
    else
        unzClose(m_zip);
    m_zip = nullptr;
}

} // namespace Engine
