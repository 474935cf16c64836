#include "engine/core/File.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/String.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Engine {

namespace {

bool retryable(int error) {
    return error == EAGAIN || error == EINTR;
}

std::string utf8Path(const std::wstring& name) {
    std::string path;
    wideToUtf8(name, path);
    return path;
}

// The text stays the caller's; the log gets it with the reason the system gave.
void logOpenFailure(const std::string& path, uint32_t access, int error) {
    if (access & GENERIC_WRITE)
        logError("Can't open file \"" + path + "\". " + std::strerror(error));
}

} // namespace

void ignoreFileSizeSignal() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

int cFile::openDescriptor(const std::string& path, uint32_t access, uint32_t creation) {
    int flags = O_RDONLY;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        flags = O_RDWR;
    else if (access & GENERIC_WRITE)
        flags = O_WRONLY;
    flags |= O_CLOEXEC;
    if (access & GENERIC_WRITE)
        ignoreFileSizeSignal();
    if (creation == CREATE_ALWAYS)
        flags |= O_CREAT | O_TRUNC;
    int fd;
    do {
        fd = ::open(path.c_str(), flags, S_IRUSR | S_IWUSR);
    } while (fd < 0 && retryable(errno));
    return fd;
}

cFile::cFile(const std::string& name, uint32_t access, uint32_t creation) {
    m_fd = openDescriptor(name, access, creation);
    if (m_fd < 0) {
        logOpenFailure(name, access, errno);
        throw std::string("Can't open file \"" + name + "\".");
    }
}

cFile::cFile(const std::wstring& name, uint32_t access, uint32_t creation) {
    std::string path = utf8Path(name);
    m_fd = openDescriptor(path, access, creation);
    if (m_fd < 0) {
        logOpenFailure(path, access, errno);
        throw std::wstring(L"Can't open file \"" + name + L"\".");
    }
}

cFile::~cFile() {
    closeDescriptor();
}

int32_t cFile::getSize() {
    if (m_fd < 0)
        return 0;
    ::lseek(m_fd, 0, SEEK_SET);
    off_t size = ::lseek(m_fd, 0, SEEK_END);
    ::lseek(m_fd, 0, SEEK_SET);
    return static_cast<int32_t>(size);
}

int32_t cFile::seek(int32_t offset, int origin) {
    if (m_fd < 0)
        return 0;
    int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    return static_cast<int32_t>(::lseek(m_fd, offset, whence));
}

int32_t cFile::read(void* buffer, int32_t count) {
    if (count <= 0 || m_fd < 0)
        return 0;
    auto* out = static_cast<char*>(buffer);
    int32_t done = 0;
    while (done < count) {
        ssize_t got = ::read(m_fd, out + done, static_cast<size_t>(count - done));
        if (got > 0)
            done += static_cast<int32_t>(got);
        else if (got == 0 || !retryable(errno))
            break;
    }
    return done;
}

int32_t cFile::write(const void* buffer, int32_t count) {
    if (count <= 0 || m_fd < 0)
        return 0;
    auto* in = static_cast<const char*>(buffer);
    int32_t done = 0;
    while (done < count) {
        ssize_t put = ::write(m_fd, in + done, static_cast<size_t>(count - done));
        if (put > 0)
            done += static_cast<int32_t>(put);
        else if (put == 0 || !retryable(errno))
            break;
    }
    return done;
}

void cFile::close() {
    closeDescriptor();
}

void cFile::closeDescriptor() {
    if (m_fd < 0)
        return;
    // After EINTR Linux has already released the descriptor; closing again could hit a reused one.
    ::close(m_fd);
    m_fd = -1;
}

} // namespace Engine
