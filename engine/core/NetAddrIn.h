#pragma once

// An IPv4 address and port given as dotted text. Host names are not resolved.

#include <cstdint>
#include <string>

namespace Engine {

class cNetAddrIn {
public:
    // Throws std::invalid_argument when the text is empty, holds anything but digits and dots,
    // or is refused by the address parser.
    cNetAddrIn(const std::string& address, uint16_t port);

    uint32_t getAddress() const { return m_address; }
    uint16_t getPort() const { return m_port; }

private:
    uint32_t m_address = 0; // network byte order
    uint16_t m_port = 0;
};

} // namespace Engine
