#pragma once

// A plain file reached through file-descriptor calls; the file system opens one for every
// folder file it reads and for every write.

#include "engine/core/DataStream.h"

#include <cstdint>
#include <string>

namespace Engine {

// Access bits and creation modes of cFile, with their Win32 values.
constexpr uint32_t GENERIC_READ = 0x80000000u;
constexpr uint32_t GENERIC_WRITE = 0x40000000u;
constexpr uint32_t CREATE_ALWAYS = 2;
constexpr uint32_t OPEN_EXISTING = 3;

// Makes a write past the process's file-size limit fail with EFBIG, like any failed write,
// instead of ending the process with SIGXFSZ. A handler somebody installed stays.
void ignoreFileSizeSignal();

class cFile : public IDataStream {
public:
    // Throw "Can't open file \"<name>\"." as std::string (narrow name) or std::wstring (wide name);
    // a failed open for writing also logs the system's reason to the "error" channel.
    cFile(const std::string& name, uint32_t access, uint32_t creation);
    cFile(const std::wstring& name, uint32_t access, uint32_t creation);
    ~cFile() override;
    cFile(const cFile&) = delete;
    cFile& operator=(const cFile&) = delete;

    // Leaves the file positioned at its start.
    int32_t getSize() override;
    int32_t seek(int32_t offset, int origin) override;
    int32_t read(void* buffer, int32_t count) override;
    int32_t write(const void* buffer, int32_t count) override;
    void close() override;

    bool isOpen() const { return m_fd >= 0; }

protected:
    // For derived files that open their descriptor themselves.
    cFile() = default;
    // Opens path with the cFile flag rules; returns -1 (errno set) on failure.
    static int openDescriptor(const std::string& path, uint32_t access, uint32_t creation);
    void closeDescriptor();

    int32_t m_fd = -1;
};

} // namespace Engine
