#include "engine/core/PackStream.h"

#include "engine/core/ByteOrder.h"
#include "engine/core/FatalError.h"
#include "engine/core/PackPool.h"
#include "engine/core/String.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstdio>
#include <memory>

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

namespace {

// The current entry's uncompressed size. A zip64 entry's directory record holds 0xFFFFFFFF and
// the real size in its zip64 extra field (id 1), which minizip does not always pick up when other
// extra fields come first: that field is read here.
bool entrySize(unzFile zip, uint64_t& size) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    size = info.uncompressed_size;
    if (size != 0xFFFFFFFFu)
        return true;
    const size_t extraSize = info.size_file_extra;
    std::unique_ptr<uint8_t[]> extra(new uint8_t[extraSize + 1]);
    if (extraSize == 0 ||
        unzGetCurrentFileInfo64(zip, &info, nullptr, 0, extra.get(), uLong(extraSize), nullptr, 0) != UNZ_OK)
        return false;
    for (size_t at = 0; at + 4 <= extraSize;) {
        const uint16_t id = readUint16LE(&extra[at]);
        const size_t length = readUint16LE(&extra[at + 2]);
        if (at + 4 + length > extraSize)
            return false;
        // The uncompressed size comes first in the field, as its directory value is the one missing.
        if (id == 1 && length >= 8) {
            size = uint64_t(readUint32LE(&extra[at + 4])) | uint64_t(readUint32LE(&extra[at + 8])) << 32;
            return true;
        }
        at += 4 + length;
    }
    return false;
}

} // namespace

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
    uint64_t size = 0;
    if (!entrySize(m_zip, size) || size > 0x7FFFFFFFu) {
        m_pool.reset();
        close();
        fail("Cant't open file '" + entryName + "' in the '" + path + "' pack.");
    }
    m_size = static_cast<uint32_t>(size);
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
    // A damaged entry must not read on past its recorded size.
    count = int32_t(std::min<uint32_t>(uint32_t(count), m_size - std::min(m_position, m_size)));
    if (count == 0)
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
