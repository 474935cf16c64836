#pragma once

// A TCP server on 127.0.0.1 for network tests: it accepts one connection on its own thread,
// reads the bytes it expects, writes its scripted reply and then keeps the connection open,
// closes it or resets it.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace TestSupport {

class LoopbackServer {
public:
    enum eEnd { KEEP_OPEN, CLOSE, RESET };

    LoopbackServer() {
        m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(m_listener, 4);
        socklen_t length = sizeof(address);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~LoopbackServer() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        close(m_listener);
    }

    uint16_t port() const { return m_port; }

    // Serves one connection: reads expectBytes, writes reply (nothing when empty), then ends.
    void serve(size_t expectBytes, std::string reply, eEnd end) {
        m_thread = std::thread([this, expectBytes, reply, end] { run(expectBytes, reply, end); });
    }
    // What the server has read; complete once done() is true.
    std::string received() const { return m_done ? m_received : std::string(); }
    bool done() const { return m_done; }

private:
    bool wait(int fd, short events) {
        for (int i = 0; i < 500 && !m_stop; ++i) {
            pollfd entry{fd, events, 0};
            if (poll(&entry, 1, 10) > 0)
                return true;
        }
        return false;
    }

    void run(size_t expectBytes, const std::string& reply, eEnd end) {
        if (!wait(m_listener, POLLIN)) {
            m_done = true;
            return;
        }
        int fd = accept(m_listener, nullptr, nullptr);
        std::string got;
        char buffer[4096];
        while (got.size() < expectBytes && wait(fd, POLLIN)) {
            ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
            if (n <= 0)
                break;
            got.append(buffer, size_t(n));
        }
        m_received = got;
        // Done before the reply goes: a client that has its answer finds what was read.
        m_done = true;
        if (!reply.empty())
            send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        if (end == KEEP_OPEN)
            while (!m_stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (end == RESET) {
            linger hard{1, 0};
            setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof(hard));
        }
        close(fd);
    }

    int m_listener = -1;
    uint16_t m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::string m_received;
};

} // namespace TestSupport
