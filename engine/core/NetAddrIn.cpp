#include "engine/core/NetAddrIn.h"

#include "engine/platform/Socket.h"

#include <stdexcept>

namespace Engine {

cNetAddrIn::cNetAddrIn(const std::string& address, uint16_t port) : m_port(port) {
    if (address.empty() || address.find_first_not_of("0123456789.") != std::string::npos ||
        !Platform::parseIpv4Address(address, m_address))
        throw std::invalid_argument("0 == EDefaultAddress for cNetAddrIn");
}

} // namespace Engine
