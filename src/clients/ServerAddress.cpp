#include "clients/ServerAddress.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

namespace clients {

std::string ServerAddress::parse(const std::string &text, std::uint16_t standardPort)
{
    std::string host;
    std::string port;
    in6_addr ipv6{};
    if (!text.empty() && text[0] == '[') {
        const auto close = text.find(']');
        const bool portFollows = close != std::string::npos && close + 1 < text.size() && text[close + 1] == ':';
        if (close == std::string::npos || (close + 1 < text.size() && !portFollows))
            return "bad server address: " + text;
        host = text.substr(1, close - 1);
        port = portFollows ? text.substr(close + 2) : std::to_string(standardPort);
    } else if (inet_pton(AF_INET6, text.c_str(), &ipv6) == 1) {
        // Its last group would be taken for a port: an address alone, as it stands.
        host = text;
        port = std::to_string(standardPort);
    } else {
        const auto colon = text.rfind(':');
        if (colon == std::string::npos)
            return "server needs address:port: " + text;
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    char *end = nullptr;
    const long value = port.empty() || port[0] == '-' || port[0] == '+' ? -1 : std::strtol(port.c_str(), &end, 10);
    if (host.empty() || value < 1 || value > 65535 || (end && *end != '\0'))
        return "bad server port: " + text;
    m_host = host;
    m_port = static_cast<std::uint16_t>(value);
    return {};
}

std::string ServerAddress::resolve()
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    const int rc = getaddrinfo(m_host.c_str(), nullptr, &hints, &found);
    if (rc != 0 || !found)
        return "Cannot resolve server " + m_host + ": " + gai_strerror(rc);
    std::memcpy(&m_address, found->ai_addr, found->ai_addrlen);
    m_length = found->ai_addrlen;
    freeaddrinfo(found);
    return {};
}

socklen_t ServerAddress::socketAddress(std::uint16_t port, sockaddr_storage &out) const
{
    out = m_address;
    if (out.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in *>(&out)->sin_port = htons(port);
    else
        reinterpret_cast<sockaddr_in6 *>(&out)->sin6_port = htons(port);
    return m_length;
}

bool ServerAddress::sameHost(const sockaddr_storage &from) const
{
    if (from.ss_family != m_address.ss_family)
        return false;
    if (from.ss_family == AF_INET)
        return reinterpret_cast<const sockaddr_in &>(from).sin_addr.s_addr
            == reinterpret_cast<const sockaddr_in &>(m_address).sin_addr.s_addr;
    return std::memcmp(&reinterpret_cast<const sockaddr_in6 &>(from).sin6_addr,
                       &reinterpret_cast<const sockaddr_in6 &>(m_address).sin6_addr, sizeof(in6_addr))
        == 0;
}

std::string ServerAddress::display(std::uint16_t port) const
{
    char text[INET6_ADDRSTRLEN] = {};
    const void *raw = m_address.ss_family == AF_INET
        ? static_cast<const void *>(&reinterpret_cast<const sockaddr_in &>(m_address).sin_addr)
        : static_cast<const void *>(&reinterpret_cast<const sockaddr_in6 &>(m_address).sin6_addr);
    inet_ntop(m_address.ss_family, raw, text, sizeof(text));
    char out[INET6_ADDRSTRLEN + 16];
    std::snprintf(out, sizeof(out), m_address.ss_family == AF_INET6 ? "[%s]:%u" : "%s:%u", text, unsigned{port});
    return out;
}

} // namespace clients
