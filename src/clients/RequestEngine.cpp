#include "clients/RequestEngine.h"

#include "clients/ConsoleOutput.h"
#include "clients/ExchangeRecords.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

namespace clients {

namespace {

using Seconds = std::chrono::duration<double>;

std::string milliseconds(double ms)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.3f", ms);
    return text;
}

std::string seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", s);
    return text;
}

constexpr unsigned kAccessAccept = 2;
constexpr unsigned kAccessReject = 3;
constexpr unsigned kAccessChallenge = 11;
constexpr const char *kBlastRadius = " (CVE-2024-3596, Blast-RADIUS)";

bool isAccessReply(unsigned code)
{
    return code == kAccessAccept || code == kAccessReject || code == kAccessChallenge;
}

std::uint16_t portOf(const sockaddr_storage &from)
{
    return from.ss_family == AF_INET ? ntohs(reinterpret_cast<const sockaddr_in &>(from).sin_port)
                                     : ntohs(reinterpret_cast<const sockaddr_in6 &>(from).sin6_port);
}

} // namespace

RequestEngine::RequestEngine(const ClientOptions &options, const ServerAddress &server,
                             std::vector<PacketTemplate> &packets, ConversationFactory factory, ConsoleOutput &out,
                             RunStatistics &stats)
    : RequestEngine(options, server, packets, std::move(factory), out, stats,
                    RequestEncoder(QByteArray::fromStdString(options.secret), {},
                                   options.legacyMessageAuthenticator ? radius::MessageAuthenticatorPlacement::Legacy
                                                                      : radius::MessageAuthenticatorPlacement::First))
{
}

RequestEngine::RequestEngine(const ClientOptions &options, const ServerAddress &server,
                             std::vector<PacketTemplate> &packets, ConversationFactory factory, ConsoleOutput &out,
                             RunStatistics &stats, RequestEncoder encoder)
    : m_options(options), m_server(server), m_packets(packets), m_factory(std::move(factory)), m_out(out),
      m_stats(stats), m_encoder(std::move(encoder))
{
}

RequestEngine::~RequestEngine()
{
    for (const Socket &socket : m_sockets)
        ::close(socket.fd);
}

double RequestEngine::elapsedSeconds() const
{
    return Seconds(m_end - m_start).count();
}

bool RequestEngine::run()
{
    m_start = Clock::now();
    const std::uint64_t total = static_cast<std::uint64_t>(m_options.repeat) * m_packets.size();
    const auto parallel = static_cast<std::size_t>(m_options.parallel);
    std::uint64_t next = 0;
    std::vector<pollfd> fds;

    while (!m_failed) {
        Clock::time_point now = Clock::now();
        std::optional<Clock::time_point> wake;
        while (m_flights.size() < parallel && next < total && !m_failed) {
            if (m_options.ratePerSecond > 0) {
                // Absolute schedule: request k goes at start + k / rate, so pauses never add up.
                const auto due = m_start
                    + std::chrono::duration_cast<Clock::duration>(
                                     Seconds(static_cast<double>(next) / m_options.ratePerSecond));
                if (due > now) {
                    wake = due;
                    break;
                }
            }
            launch(next);
            ++next;
        }
        if (m_failed || (m_flights.empty() && next >= total))
            break;

        Clock::time_point until = Clock::time_point::max();
        if (!m_timers.empty())
            until = m_timers.begin()->first;
        if (wake && *wake < until)
            until = *wake;
        m_out.flush();

        fds.resize(m_sockets.size());
        for (std::size_t i = 0; i < m_sockets.size(); ++i)
            fds[i] = pollfd{m_sockets[i].fd, POLLIN, 0};
        now = Clock::now();
        const auto wait = std::max(Clock::duration::zero(), until - now);
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        const int rc = ::ppoll(fds.data(), fds.size(), until == Clock::time_point::max() ? nullptr : &ts, nullptr);
        if (rc < 0 && errno != EINTR) {
            m_out.error(std::string("Cannot wait for replies: ") + std::strerror(errno));
            m_failed = true;
            break;
        }
        for (std::size_t i = 0; rc > 0 && i < fds.size(); ++i)
            if (fds[i].revents & (POLLIN | POLLERR))
                receiveOn(i);
        expire(Clock::now());
    }
    m_end = Clock::now();
    m_out.flush();
    return !m_failed;
}

void RequestEngine::launch(std::uint64_t next)
{
    auto owned = std::make_unique<Flight>();
    Flight *flight = owned.get();
    flight->packet = &m_packets[static_cast<std::size_t>(next % m_packets.size())];
    flight->repetition = static_cast<int>(next / m_packets.size()) + 1;
    flight->conversation = m_factory(*flight->packet);
    flight->timer = m_timers.end();
    m_flights.push_back(std::move(owned));
    m_stats.started();
    if (auto outgoing = flight->conversation->start(m_out))
        sendNext(flight, *outgoing);
    else
        finish(flight, flight->conversation->outcome());
}

bool RequestEngine::sendNext(Flight *flight, const Outgoing &outgoing)
{
    const int id = static_cast<int>((static_cast<unsigned>(m_options.firstId) + m_requestCount++) % 256u);
    const std::string name = radius::RequestPacket::codeName(static_cast<unsigned>(outgoing.code)).toStdString();
    auto encoded = m_encoder.encode(outgoing, id);
    if (!encoded) {
        m_out.error("Packet " + std::to_string(flight->packet->number) + ": cannot encode " + name + ": "
                    + encoded.error().toStdString());
        flight->attempts = 0;
        record(*flight, outgoing.code, nullptr, 0);
        finish(flight, Outcome::Failed);
        return false;
    }
    flight->request.emplace(std::move(*encoded));
    flight->octets = flight->request->octets();
    std::size_t socket = 0;
    if (!socketFor(id, socket)) {
        finish(flight, Outcome::Failed);
        return false;
    }
    flight->socket = socket;
    flight->id = id;
    flight->attempts = 0;
    m_sockets[socket].byId[static_cast<std::size_t>(id)] = flight;
    m_stats.exchanged();
    m_out.info("Sent " + name + " Id " + std::to_string(id) + " to " + m_server.display(flight->packet->port)
               + " length " + std::to_string(flight->octets.size()));
    if (m_options.showAttributes)
        printAttributes(flight->request->pairs().lines());
    return transmit(flight);
}

bool RequestEngine::transmit(Flight *flight)
{
    sockaddr_storage address{};
    const socklen_t length = m_server.socketAddress(flight->packet->port, address);
    ++flight->attempts;
    flight->sentAt = Clock::now();
    const ssize_t n = ::sendto(m_sockets[flight->socket].fd, flight->octets.constData(),
                               static_cast<std::size_t>(flight->octets.size()), 0,
                               reinterpret_cast<const sockaddr *>(&address), length);
    if (n < 0)
        m_out.error("Cannot send to " + m_server.display(flight->packet->port) + ": " + std::strerror(errno));
    // A failed send is retried like a lost one.
    const auto timeout = std::chrono::duration_cast<Clock::duration>(Seconds(m_options.timeoutSeconds));
    flight->timer = m_timers.emplace(flight->sentAt + timeout, flight);
    return n >= 0;
}

void RequestEngine::receiveOn(std::size_t socket)
{
    std::uint8_t buffer[65536];
    for (;;) {
        sockaddr_storage from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t n = ::recvfrom(m_sockets[socket].fd, buffer, sizeof(buffer), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return; // drained (or an ICMP error, which the time-out handles)
        }
        handleDatagram(socket, buffer, static_cast<std::size_t>(n), from);
    }
}

void RequestEngine::handleDatagram(std::size_t socket, const std::uint8_t *data, std::size_t length,
                                   const sockaddr_storage &from)
{
    if (!m_server.sameHost(from))
        return; // only the server we address may answer
    const std::uint16_t port = portOf(from);
    auto parsed = radius::RequestPacket::parseReply(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length)));
    if (!parsed) {
        m_out.warning("Dropped a malformed reply from " + m_server.display(port) + ": " + parsed.error().toStdString());
        return;
    }
    radius::RequestPacket &reply = *parsed;
    Flight *flight = m_sockets[socket].byId[static_cast<std::size_t>(reply.id())];
    const std::string name = radius::RequestPacket::codeName(reply.code()).toStdString();
    const std::string what = name + " Id " + std::to_string(reply.id()) + " from " + m_server.display(port);
    if (!flight || flight->packet->port != port) {
        m_out.info("Ignored " + what + ": no request is waiting for it");
        return;
    }
    const bool signatureRequired = m_options.requireReplyAuthenticator && isAccessReply(reply.code());
    if (signatureRequired && radius::messageAuthenticatorPosition(reply.octets()) < 0) {
        m_out.warning("Dropped " + what + ": it carries no Message-Authenticator" + kBlastRadius);
        return;
    }
    if (const radius::Status verified =
            reply.verifyReply(*flight->request, QByteArray::fromStdString(m_options.secret));
        !verified) {
        m_out.warning(what + " does not verify (wrong shared secret?): " + verified.error().toStdString()
                      + (signatureRequired ? kBlastRadius : ""));
        return;
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - flight->sentAt).count();
    m_stats.responseTime(ms);
    m_out.info("Received " + what + " length " + std::to_string(length) + ", " + milliseconds(ms) + " ms");
    if (m_options.showAttributes)
        printAttributes(reply.pairs().lines());
    record(*flight, flight->request->code(), &reply, ms);
    release(flight);
    if (auto outgoing = flight->conversation->onReply(reply, m_out))
        sendNext(flight, *outgoing);
    else
        finish(flight, flight->conversation->outcome());
}

void RequestEngine::expire(Clock::time_point now)
{
    while (!m_timers.empty() && m_timers.begin()->first <= now) {
        Flight *flight = m_timers.begin()->second;
        m_timers.erase(m_timers.begin());
        flight->timer = m_timers.end();
        const std::string what = radius::RequestPacket::codeName(flight->request->code()).toStdString() + " Id "
            + std::to_string(flight->id) + " to " + m_server.display(flight->packet->port);
        if (flight->attempts <= m_options.retries) {
            m_out.warning("No reply to " + what + " within " + seconds(m_options.timeoutSeconds)
                          + " s, sending again (retry " + std::to_string(flight->attempts) + " of "
                          + std::to_string(m_options.retries) + ")");
            transmit(flight);
        } else {
            m_out.error("No reply to " + what + " after " + std::to_string(flight->attempts)
                        + (flight->attempts == 1 ? " attempt" : " attempts") + ", request lost");
            record(*flight, flight->request->code(), nullptr, 0);
            release(flight);
            finish(flight, Outcome::Lost);
        }
    }
}

void RequestEngine::release(Flight *flight)
{
    if (flight->timer != m_timers.end())
        m_timers.erase(flight->timer);
    flight->timer = m_timers.end();
    Flight *&slot = m_sockets[flight->socket].byId[static_cast<std::size_t>(flight->id)];
    if (slot == flight)
        slot = nullptr;
}

void RequestEngine::finish(Flight *flight, Outcome outcome)
{
    m_stats.finished(outcome);
    const auto it = std::find_if(m_flights.begin(), m_flights.end(),
                                 [flight](const std::unique_ptr<Flight> &f) { return f.get() == flight; });
    if (it == m_flights.end())
        return;
    std::swap(*it, m_flights.back());
    m_flights.pop_back();
}

bool RequestEngine::socketFor(int id, std::size_t &index)
{
    for (std::size_t i = 0; i < m_sockets.size(); ++i) {
        if (!m_sockets[i].byId[static_cast<std::size_t>(id)]) {
            index = i;
            return true;
        }
    }
    const int fd = ::socket(m_server.family(), SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_out.error(std::string("Cannot open a UDP socket: ") + std::strerror(errno));
        m_failed = true;
        return false;
    }
    const int bufferSize = 1 << 20; // room for a burst of replies
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof(bufferSize));
    m_sockets.push_back(Socket{fd, {}});
    index = m_sockets.size() - 1;
    return true;
}

void RequestEngine::record(const Flight &flight, int requestCode, const radius::RequestPacket *reply, double ms)
{
    if (!m_records)
        return;
    ExchangeRecord entry;
    entry.packet = flight.packet->number;
    entry.repetition = flight.repetition;
    if (flight.attempts > 0)
        entry.id = flight.id;
    entry.requestCode = requestCode;
    entry.retries = std::max(0, flight.attempts - 1);
    if (reply) {
        entry.replyCode = static_cast<int>(reply->code());
        entry.replyPairs = &reply->pairs();
        entry.responseMs = ms;
        entry.verified = true;
    }
    m_records->write(entry);
}

void RequestEngine::printAttributes(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines)
        m_out.line("\t" + line.toStdString());
}

} // namespace clients
