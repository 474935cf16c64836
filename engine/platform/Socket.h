#pragma once

// A non-blocking TCP socket for the engine's network client, with the socket error codes the
// client's rules are written in (they keep their classic WinSock values).

#include <cstddef>
#include <cstdint>
#include <string>

namespace Platform {

enum eSocketError : int {
    SOCKET_OK = 0,
    SOCKET_EINTR = 10004,
    SOCKET_EFAULT = 10014,
    SOCKET_EWOULDBLOCK = 10035,
    SOCKET_EINPROGRESS = 10036,
    SOCKET_ENETDOWN = 10050,
    SOCKET_ENETRESET = 10052,
    SOCKET_ECONNABORTED = 10053,
    SOCKET_ECONNRESET = 10054,
    SOCKET_ENOTCONN = 10057,
    SOCKET_ESHUTDOWN = 10058,
    SOCKET_ETIMEDOUT = 10060,
    SOCKET_ECONNREFUSED = 10061,
    SOCKET_ENOTINITIALISED = 10093,
    SOCKET_EOTHER = 10100,
};

// An IPv4 address in dotted form to its network-order value; false for text the system's
// address parser refuses (255.255.255.255 included, as it cannot be told from an error).
bool parseIpv4Address(const std::string& text, uint32_t& networkOrder);

class cSocket {
public:
    cSocket() = default;
    ~cSocket() { close(); }
    cSocket(const cSocket&) = delete;
    cSocket& operator=(const cSocket&) = delete;

    // A TCP stream socket, non-blocking, with Nagle's delay off.
    bool openTcp();
    // Starts connecting; the result is learnt through isWritable and send.
    bool connect(uint32_t addressNetworkOrder, uint16_t port);
    // Bytes sent, or -1 (see getLastError). Never raises SIGPIPE.
    int send(const void* data, size_t size);
    // Bytes received, 0 when the peer closed the connection, -1 on error. Stores the error
    // code always (SOCKET_OK after success).
    int receive(void* data, size_t size);
    void close();
    bool isOpen() const { return m_handle >= 0; }
    // Zero-time-out readiness tests.
    bool isWritable();
    bool isReadable();
    int getLastError() const { return m_lastError; }

private:
    int m_handle = -1;
    int m_lastError = SOCKET_OK;
};

} // namespace Platform
