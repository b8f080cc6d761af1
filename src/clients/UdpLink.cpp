#include "clients/UdpLink.h"

#include "clients/ServerAddress.h"

#include <cerrno>
#include <cstring>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace clients {

namespace {

std::uint16_t portOf(const sockaddr_storage &from)
{
    return from.ss_family == AF_INET ? ntohs(reinterpret_cast<const sockaddr_in &>(from).sin_port)
                                     : ntohs(reinterpret_cast<const sockaddr_in6 &>(from).sin6_port);
}

} // namespace

UdpLink::UdpLink(const ServerAddress &server) : m_server(server)
{
}

UdpLink::~UdpLink()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool UdpLink::open(std::string &error)
{
    m_fd = ::socket(m_server.family(), SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        error = std::string("Cannot open a UDP socket: ") + std::strerror(errno);
        return false;
    }
    const int bufferSize = 1 << 20; // room for a burst of replies
    ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof(bufferSize));
    return true;
}

short UdpLink::events() const
{
    return POLLIN;
}

bool UdpLink::send(const QByteArray &octets, std::uint16_t port, std::string &error)
{
    sockaddr_storage address{};
    const socklen_t length = m_server.socketAddress(port, address);
    const ssize_t n = ::sendto(m_fd, octets.constData(), static_cast<std::size_t>(octets.size()), 0,
                               reinterpret_cast<const sockaddr *>(&address), length);
    if (n < 0)
        error = "Cannot send to " + m_server.display(port) + ": " + std::strerror(errno);
    return n >= 0;
}

bool UdpLink::service(short revents, const PacketHandler &handler, std::string & /*error*/)
{
    if (!(revents & (POLLIN | POLLERR)))
        return true;
    std::uint8_t buffer[65536];
    for (;;) {
        sockaddr_storage from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t n =
            ::recvfrom(m_fd, buffer, sizeof(buffer), MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return true; // drained (or an ICMP error, which the time-out handles)
        }
        // Only the server we address may answer.
        if (m_server.sameHost(from) && !handler(buffer, static_cast<std::size_t>(n), portOf(from)))
            return true;
    }
}

} // namespace clients
