#pragma once

// One entry of a zip pack, read through minizip. Every stream opens its pack anew, so several
// entries of one pack can be open at once. Packs are read-only.

#include "engine/core/DataStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Engine {

class cPackPool;

// Where an entry sits in its pack's central directory (minizip's unz_file_pos), recorded once at
// start-up so that opening the entry needs no directory walk.
struct cPackEntryPosition {
    uint32_t directoryOffset = 0;
    uint32_t entryNumber = 0;
};

// The file-open function handed to minizip: opens the UTF-8 path as a buffered file. mode is
// minizip's open-mode bits; null when the mode is unknown or the file can't be opened.
void* openPackFileHook(void* opaque, const char* name, int mode);
// Opens a pack with minizip's default file functions and the hook above; null on failure.
void* openPackZip(const std::string& utf8Path);

class cPackStream : public IDataStream {
public:
    // entryName is the entry's name in the file system's name space, used in messages only.
    // Throws a cStringA naming the pack and the entry when the pack or the entry can't be opened.
    // With a pool, the pack handle is taken from it when one is idle and given back on close.
    cPackStream(const std::wstring& packPath, const std::string& entryName, const cPackEntryPosition& position,
                std::shared_ptr<cPackPool> pool = nullptr);
    ~cPackStream() override;
    cPackStream(const cPackStream&) = delete;
    cPackStream& operator=(const cPackStream&) = delete;

    int32_t getSize() override;
    int32_t seek(int32_t offset, int origin) override;
    int32_t read(void* buffer, int32_t count) override;
    // Always 0: packs are read-only.
    int32_t write(const void* buffer, int32_t count) override;
    void close() override;

private:
    [[noreturn]] static void fail(const std::string& text);
    bool rewind();

    std::shared_ptr<cPackPool> m_pool;
    std::string m_packPath;
    void* m_zip = nullptr;
    uint32_t m_size = 0;
    uint32_t m_position = 0;
};

} // namespace Engine
