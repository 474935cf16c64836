#include "engine/platform/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Platform {

namespace {

int errorCode(int error) {
    switch (error) {
    case 0:
        return SOCKET_OK;
    case EINTR:
        return SOCKET_EINTR;
    case EFAULT:
        return SOCKET_EFAULT;
    case EAGAIN:
        return SOCKET_EWOULDBLOCK;
    case EINPROGRESS:
    case EALREADY:
        return SOCKET_EINPROGRESS;
    case ENETDOWN:
        return SOCKET_ENETDOWN;
    case ENETRESET:
        return SOCKET_ENETRESET;
    case ECONNABORTED:
        return SOCKET_ECONNABORTED;
    // Writing to a connection the peer has closed.
    case EPIPE:
    case ECONNRESET:
        return SOCKET_ECONNRESET;
    case ENOTCONN:
        return SOCKET_ENOTCONN;
    case ESHUTDOWN:
        return SOCKET_ESHUTDOWN;
    case ETIMEDOUT:
        return SOCKET_ETIMEDOUT;
    case ECONNREFUSED:
        return SOCKET_ECONNREFUSED;
    default:
        return SOCKET_EOTHER;
    }
}

bool ready(int handle, short events) {
    if (handle < 0)
        return false;
    pollfd entry{handle, events, 0};
    return poll(&entry, 1, 0) > 0 && (entry.revents & (events | POLLERR | POLLHUP));
}

} // namespace

bool parseIpv4Address(const std::string& text, uint32_t& networkOrder) {
    in_addr_t address = inet_addr(text.c_str());
    if (address == INADDR_NONE)
        return false;
    networkOrder = address;
    return true;
}

bool cSocket::openTcp() {
    close();
    m_handle = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_handle < 0) {
        m_lastError = errorCode(errno);
        return false;
    }
    int one = 1;
    setsockopt(m_handle, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    m_lastError = SOCKET_OK;
    return true;
}

bool cSocket::connect(uint32_t addressNetworkOrder, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = addressNetworkOrder;
    if (::connect(m_handle, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
        m_lastError = SOCKET_OK;
        return true;
    }
    m_lastError = errorCode(errno);
    return m_lastError == SOCKET_EINPROGRESS;
}

int cSocket::send(const void* data, size_t size) {
    ssize_t sent = ::send(m_handle, data, size, MSG_NOSIGNAL);
    if (sent < 0) {
        m_lastError = errorCode(errno);
        return -1;
    }
    m_lastError = SOCKET_OK;
    return int(sent);
}

int cSocket::receive(void* data, size_t size) {
    ssize_t received = ::recv(m_handle, data, size, 0);
    m_lastError = received < 0 ? errorCode(errno) : SOCKET_OK;
    return received < 0 ? -1 : int(received);
}

void cSocket::close() {
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}

bool cSocket::isWritable() {
    return ready(m_handle, POLLOUT);
}

bool cSocket::isReadable() {
    return ready(m_handle, POLLIN);
}

} // namespace Platform
