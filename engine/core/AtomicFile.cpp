#include "engine/core/AtomicFile.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/String.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace Engine {

namespace {

// A destructor cannot throw: the failure goes to the "error" log, or to stderr without one.
void reportCloseFailure(const std::string& text) noexcept {
    if (!logError(text))
        std::cerr << text << '\n';
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

cAtomicFile::cAtomicFile(const std::wstring& target, bool keepContents) {
    wideToUtf8(target, m_target);
    ignoreFileSizeSignal();
    auto cantOpen = [&] {
        logError("Can't open file \"" + m_target + "\". " + std::strerror(errno ? errno : EIO));
        return std::wstring(L"Can't open file \"" + target + L"\".");
    };

    int source = -1;
    if (keepContents) {
        source = openDescriptor(m_target, GENERIC_READ, OPEN_EXISTING);
        if (source < 0)
            throw cantOpen();
    }
    // A leading '.' keeps a temporary file left by a crash out of the file system's listings.
    size_t slash = m_target.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string pattern = m_target.substr(0, nameStart) + "." + m_target.substr(nameStart) + ".tmp-XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        int error = errno;
        if (source >= 0)
            ::close(source);
        errno = error;
        throw cantOpen();
    }
    m_temp = pattern;
    if (source >= 0) {
        char buffer[65536];
        for (;;) {
            ssize_t got = ::read(source, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                m_error = errno;
                break;
            }
            if (got == 0)
                break;
            if (cFile::write(buffer, static_cast<int32_t>(got)) != got) {
                m_error = errno ? errno : EIO;
                break;
            }
        }
        ::close(source);
        if (m_error != 0) {
            closeDescriptor();
            ::unlink(m_temp.c_str());
            errno = m_error;
            throw cantOpen();
        }
        ::lseek(m_fd, 0, SEEK_SET);
    }
}

cAtomicFile::~cAtomicFile() {
    try {
        close();
    } catch (const std::string&) {
        // fail() has logged it.
    } catch (...) {
        reportCloseFailure("Can't write file \"" + m_target + "\".");
    }
}

int32_t cAtomicFile::write(const void* buffer, int32_t count) {
    errno = 0;
    int32_t written = cFile::write(buffer, count);
    if (written < count && m_error == 0)
        m_error = errno ? errno : ENOSPC;
    return written;
}

void cAtomicFile::fail(int error) {
    closeDescriptor();
    ::unlink(m_temp.c_str());
    m_temp.clear();
    CloseHandler handler = std::move(m_onClose);
    m_onClose = nullptr;
    std::string text = "Can't write file \"" + m_target + "\". " + std::strerror(error);
    reportCloseFailure(text);
    if (handler)
        handler(false);
    throw text;
}

void cAtomicFile::close() {
    if (m_temp.empty())
        return;
    if (m_error != 0)
        fail(m_error);
    if (::fsync(m_fd) != 0)
        fail(errno);
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0)
        ::fchmod(m_fd, old.st_mode & 07777);
    int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0 && errno != EINTR)
        fail(errno);
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        fail(errno);
    m_temp.clear();
    int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    CloseHandler handler = std::move(m_onClose);
    m_onClose = nullptr;
    if (handler)
        handler(true);
}

} // namespace Engine
