#pragma once

// A byte message of the network client: written by its creator, or read from the socket as an
// answer framed by a 16-bit little-endian length.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Platform {
class cSocket;
}

namespace Engine {

class cNetMessage {
public:
    enum eState { STATE_EMPTY, STATE_READING, STATE_READY };

    cNetMessage() { reset(); }

    // Empty, with a 1024-byte buffer.
    void reset();
    // Appends bytes; the buffer grows to what is needed plus 256.
    void append(const void* data, size_t size);
    void appendText(const char* text);

    const uint8_t* getData() const { return m_buffer.data(); }
    size_t getLength() const { return m_length; }
    eState getState() const { return m_state; }
    // Reads the next bytes of a received message; false when fewer are left.
    bool read(void* out, size_t size);

    // Sends what is left; returns the socket error of a failed send (0 when none).
    int sendPart(Platform::cSocket& socket);
    bool isSent() const { return m_sendPos >= m_length; }
    // Reads what has arrived; returns the socket error of a failed read (0 when none), or -1
    // when the peer closed the connection.
    int receivePart(Platform::cSocket& socket);

private:
    std::vector<uint8_t> m_buffer;
    size_t m_writePos = 0;
    size_t m_length = 0;
    size_t m_readPos = 0;
    size_t m_sendPos = 0;
    uint8_t m_header[2] = {0, 0};
    size_t m_headerRead = 0;
    size_t m_expected = 0;
    eState m_state = STATE_EMPTY;
};

} // namespace Engine
