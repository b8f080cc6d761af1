#pragma once

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

namespace testsupport {

// One datagram to 127.0.0.1:port and its reply (20 octets or more), waited for at most
// timeoutMs; nothing when no reply came.
inline std::optional<QByteArray> udpExchange(quint16 port, const QByteArray &request, int timeoutMs = 3000)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return std::nullopt;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::optional<QByteArray> reply;
    if (::sendto(fd, request.constData(), size_t(request.size()), 0, reinterpret_cast<sockaddr *>(&to), sizeof to)
        == request.size()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) == 1) {
            QByteArray buffer(4096, '\0');
            const ssize_t n = ::recv(fd, buffer.data(), size_t(buffer.size()), 0);
            if (n >= 20)
                reply = buffer.left(n);
        }
    }
    ::close(fd);
    return reply;
}

} // namespace testsupport
