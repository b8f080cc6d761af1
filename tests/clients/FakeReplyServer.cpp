#include "FakeReplyServer.h"

#include "radius/Crypto.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

FakeReplyServer::FakeReplyServer(Reply reply, int maxReplies)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), length) < 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) < 0 || ::pipe(m_stopPipe) < 0) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this, reply = std::move(reply), maxReplies] { serve(reply, maxReplies); });
}

FakeReplyServer::~FakeReplyServer()
{
    if (m_thread.joinable()) {
        [[maybe_unused]] const ssize_t n = ::write(m_stopPipe[1], "x", 1);
        m_thread.join();
    }
    for (int fd : {m_fd, m_stopPipe[0], m_stopPipe[1]})
        if (fd >= 0)
            ::close(fd);
}

void FakeReplyServer::serve(const Reply &reply, int maxReplies)
{
    while (m_answered.load() < maxReplies) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return;
        char buffer[4096];
        sockaddr_in from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t n = ::recvfrom(m_fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (n < 20)
            continue;
        const QByteArray answer = reply(QByteArray(buffer, n));
        // Counted before it goes: the client may end, and the test look, as soon as it arrives.
        ++m_answered;
        if (!answer.isEmpty())
            ::sendto(m_fd, answer.constData(), static_cast<size_t>(answer.size()), 0,
                     reinterpret_cast<sockaddr *>(&from), fromLength);
    }
}

QByteArray FakeReplyServer::signedReply(const QByteArray &request, int code, const QByteArray &attributes,
                                        const QByteArray &secret)
{
    const int length = 20 + static_cast<int>(attributes.size());
    QByteArray packet;
    packet.append(static_cast<char>(code)).append(request[1]);
    packet.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xff));
    packet.append(request.mid(4, 16)).append(attributes);
    packet.replace(4, 16, radius::Crypto::md5(packet + secret));
    return packet;
}

QByteArray FakeReplyServer::signedWithMessageAuthenticator(const QByteArray &request, int code,
                                                           const QByteArray &attributes, const QByteArray &secret)
{
    // The HMAC over the reply with the request's authenticator and the field zeroed.
    QByteArray forMac = signedReply(request, code, attributes + attribute(80, QByteArray(16, '\0')), secret);
    forMac.replace(4, 16, request.mid(4, 16));
    const QByteArray mac = radius::Crypto::hmacMd5(forMac, secret);
    return signedReply(request, code, attributes + attribute(80, mac), secret);
}

QByteArray FakeReplyServer::attribute(int type, const QByteArray &value)
{
    return QByteArray(1, char(type)) + char(value.size() + 2) + value;
}
