#pragma once

// Makes every write past a file size fail with EFBIG while the object lives, like a full disk.

#include "engine/core/Log.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace TestSupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        // The error log is written under the limit too: a log grown by the tests run before in
        // this process starts afresh, so that what the test logs now reaches it.
        if (auto* log = static_cast<Engine::cLog*>(Engine::getLog())) {
            log->closeChannels();
            std::error_code error;
            std::filesystem::remove("error.log", error);
        }
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{limit, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace TestSupport
