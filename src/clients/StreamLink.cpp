#include "clients/StreamLink.h"

#include "clients/ServerAddress.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace clients {

namespace {

using Clock = std::chrono::steady_clock;
using tls::TlsSession;

constexpr std::size_t kReadChunk = 65536;

} // namespace

StreamLink::StreamLink(const ServerAddress &server, std::uint16_t port, std::optional<tls::TlsSettings> tls)
    : m_server(server), m_port(port), m_settings(std::move(tls))
{
}

StreamLink::~StreamLink()
{
    m_tls.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string StreamLink::where() const
{
    return m_server.display(m_port) + (m_settings ? " over TLS" : " over TCP");
}

std::string StreamLink::description() const
{
    return m_tls ? "TLS (" + m_tls->description() + ")" : std::string("TCP");
}

bool StreamLink::open(std::chrono::milliseconds timeout, std::string &error)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    if (!connect(deadline, error)) {
        error = "Cannot connect to " + where() + ": " + error;
        return false;
    }
    if (m_settings && !shakeHands(deadline, error)) {
        error = "TLS handshake with " + m_server.display(m_port) + " failed: " + error;
        return false;
    }
    return true;
}

bool StreamLink::waitFor(short events, Clock::time_point deadline, std::string &error)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            error = "no answer in time";
            return false;
        }
        pollfd fd{m_fd, events, 0};
        const int rc = ::poll(&fd, 1, static_cast<int>(std::min<long long>(left, 60000)));
        if (rc > 0)
            return true;
        if (rc < 0 && errno != EINTR) {
            error = std::strerror(errno);
            return false;
        }
    }
}

bool StreamLink::connect(Clock::time_point deadline, std::string &error)
{
    m_fd = ::socket(m_server.family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // Without it a request waits for the previous one's acknowledgement (40 ms and more).
    const int on = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
    sockaddr_storage address{};
    const socklen_t length = m_server.socketAddress(m_port, address);
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), length) == 0)
        return true;
    if (errno != EINPROGRESS) {
        error = std::strerror(errno);
        return false;
    }
    if (!waitFor(POLLOUT, deadline, error))
        return false;
    int status = 0;
    socklen_t size = sizeof(status);
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &status, &size) != 0)
        status = errno;
    if (status != 0)
        error = std::strerror(status);
    return status == 0;
}

bool StreamLink::shakeHands(Clock::time_point deadline, std::string &error)
{
    tls::TlsSettings settings = *m_settings;
    if (settings.peerName.empty())
        settings.peerName = m_server.host();
    m_tls = TlsSession::create(settings, m_fd, error);
    if (!m_tls)
        return false;
    for (;;) {
        switch (m_tls->handshake(error)) {
        case TlsSession::Io::Done: return true;
        case TlsSession::Io::WantRead:
            if (!waitFor(POLLIN, deadline, error))
                return false;
            break;
        case TlsSession::Io::WantWrite:
            if (!waitFor(POLLOUT, deadline, error))
                return false;
            break;
        case TlsSession::Io::Closed:
        case TlsSession::Io::Failed: return false;
        }
    }
}

short StreamLink::events() const
{
    return m_outDone < m_out.size() ? short(POLLIN | POLLOUT) : short(POLLIN);
}

bool StreamLink::send(const QByteArray &octets, std::uint16_t /*port*/, std::string &error)
{
    m_out += octets;
    m_packetEnds.push_back(m_out.size());
    if (flush(error))
        return true;
    error = "Connection to " + where() + " broke: " + error;
    return false;
}

bool StreamLink::flush(std::string &error)
{
    while (m_outDone < m_out.size()) {
        const char *data = m_out.constData() + m_outDone;
        // A TLS record carries one packet: FreeRADIUS closes a connection whose records
        // hold several.
        const auto size = static_cast<std::size_t>((m_tls ? m_packetEnds.front() : m_out.size()) - m_outDone);
        std::size_t done = 0;
        if (m_tls) {
            const TlsSession::Io io = m_tls->write(data, size, done, error);
            if (io == TlsSession::Io::WantRead || io == TlsSession::Io::WantWrite)
                break;
            if (io != TlsSession::Io::Done)
                return false;
        } else {
            const ssize_t n = ::send(m_fd, data, size, MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK)
                    break;
                error = std::strerror(errno);
                return false;
            }
            done = static_cast<std::size_t>(n);
        }
        m_outDone += static_cast<qsizetype>(done);
        while (!m_packetEnds.empty() && m_packetEnds.front() <= m_outDone)
            m_packetEnds.pop_front();
    }
    if (m_outDone == m_out.size()) {
        m_out.clear();
        m_outDone = 0;
    }
    return true;
}

bool StreamLink::fill(std::string &error)
{
    for (;;) {
        std::uint8_t *space = m_in.reserve(kReadChunk);
        std::size_t done = 0;
        if (m_tls) {
            switch (m_tls->read(space, kReadChunk, done, error)) {
            case TlsSession::Io::Done: break;
            case TlsSession::Io::WantRead:
            case TlsSession::Io::WantWrite: return true;
            case TlsSession::Io::Closed:
            case TlsSession::Io::Failed: return false;
            }
        } else {
            const ssize_t n = ::recv(m_fd, space, kReadChunk, 0);
            if (n == 0) {
                error = "the server closed the connection";
                return false;
            }
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK)
                    return true;
                error = std::strerror(errno);
                return false;
            }
            done = static_cast<std::size_t>(n);
        }
        m_in.commit(done);
        // TLS hands out one record at a time: read until it wants more from the socket.
        if (!m_tls && done < kReadChunk)
            return true;
    }
}

bool StreamLink::service(short revents, const PacketHandler &handler, std::string &error)
{
    bool ok = true;
    if (revents & POLLOUT)
        ok = flush(error);
    if (ok && (revents & (POLLIN | POLLERR | POLLHUP))) {
        // Whole packets that came before a close are still answers.
        ok = fill(error);
        // A server that wants a client certificate says so only by closing the connection.
        if (!ok && m_settings && m_settings->certFile.empty())
            error += " (we offered no client certificate: --cert)";
        std::string framing;
        const auto whole = [this, &handler](const std::uint8_t *data, std::size_t length) {
            handler(data, length, m_port);
        };
        if (!m_in.deliver(whole, framing)) {
            ok = false;
            error = framing;
        }
    }
    if (!ok)
        error = "Connection to " + where() + " broke: " + error;
    return ok;
}

} // namespace clients
