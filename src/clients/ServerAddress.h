#pragma once

#include <cstdint>
#include <string>

#include <sys/socket.h>

namespace clients {

// The server of the command line: "address:port", "[IPv6]:port", or an IPv6 address
// alone ("::1", "[::1]") with a standard port; resolved once.
class ServerAddress {
public:
    // Empty on success, else why the text does not parse (a usage error). An IPv6
    // address without a port gets standardPort.
    std::string parse(const std::string &text, std::uint16_t standardPort);
    // Empty on success, else why the host cannot be resolved.
    std::string resolve();

    const std::string &host() const { return m_host; }
    std::uint16_t port() const { return m_port; }
    int family() const { return m_address.ss_family; }
    // The resolved address with the given port.
    socklen_t socketAddress(std::uint16_t port, sockaddr_storage &out) const;
    // Whether a datagram's source is this server's address (any port).
    bool sameHost(const sockaddr_storage &from) const;
    // "127.0.0.1:1812"
    std::string display(std::uint16_t port) const;

private:
    std::string m_host;
    std::uint16_t m_port = 0;
    sockaddr_storage m_address{};
    socklen_t m_length = 0;
};

} // namespace clients
