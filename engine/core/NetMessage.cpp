#include "engine/core/NetMessage.h"

#include "engine/core/ByteOrder.h"
#include "engine/platform/Socket.h"

#include <cstring>

namespace Engine {

void cNetMessage::reset() {
    m_buffer.assign(1024, 0);
    m_writePos = m_length = m_readPos = m_sendPos = 0;
    m_headerRead = m_expected = 0;
    m_state = STATE_EMPTY;
}

void cNetMessage::append(const void* data, size_t size) {
    if (m_writePos + size > m_buffer.size())
        m_buffer.resize(m_writePos + size + 256);
    if (size)
        std::memcpy(m_buffer.data() + m_writePos, data, size);
    m_writePos += size;
    m_length = m_writePos;
}

void cNetMessage::appendText(const char* text) {
    append(text, std::strlen(text));
}

bool cNetMessage::read(void* out, size_t size) {
    if (m_readPos + size > m_length)
        return false;
    std::memcpy(out, m_buffer.data() + m_readPos, size);
    m_readPos += size;
    return true;
}

int cNetMessage::sendPart(Platform::cSocket& socket) {
    while (m_sendPos < m_length) {
        int sent = socket.send(m_buffer.data() + m_sendPos, m_length - m_sendPos);
        if (sent == 0)
            return 0;
        if (sent < 0)
            return socket.getLastError();
        m_sendPos += size_t(sent);
    }
    return 0;
}

int cNetMessage::receivePart(Platform::cSocket& socket) {
    m_state = STATE_READING;
    while (m_headerRead < 2) {
        int got = socket.receive(m_header + m_headerRead, 2 - m_headerRead);
        if (got <= 0)
            return got == 0 ? -1 : socket.getLastError();
        m_headerRead += size_t(got);
        if (m_headerRead == 2) {
            m_expected = readUint16LE(m_header);
            m_buffer.assign(m_expected, 0);
            m_length = 0;
        }
    }
    while (m_length < m_expected) {
        int got = socket.receive(m_buffer.data() + m_length, m_expected - m_length);
        if (got <= 0)
            return got == 0 ? -1 : socket.getLastError();
        m_length += size_t(got);
    }
    m_readPos = 0;
    m_state = STATE_READY;
    return 0;
}

} // namespace Engine
