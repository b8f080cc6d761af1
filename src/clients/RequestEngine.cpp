#include "clients/RequestEngine.h"

#include "clients/ConsoleOutput.h"
#include "clients/ExchangeRecords.h"
#include "clients/ProcessorAffinity.h"
#include "clients/StreamLink.h"
#include "clients/UdpLink.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

constexpr std::size_t kIdentifiers = 256;
// How long a line may wait in the buffer: a reader sees it soon, and a run of quick
// round trips does not pay a write for each.
constexpr auto kFlushDelay = std::chrono::milliseconds(20);

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

RequestEngine::~RequestEngine() = default;

double RequestEngine::elapsedSeconds() const
{
    return Seconds(m_end - m_start).count();
}

bool RequestEngine::run()
{
    m_start = Clock::now();
    const std::uint64_t total = static_cast<std::uint64_t>(m_options.repeat) * m_packets.size();
    // A connection has 256 identifiers for the requests in flight on it.
    m_maxInFlight = m_options.transport == Transport::Udp
        ? static_cast<std::size_t>(m_options.parallel)
        : std::min(static_cast<std::size_t>(m_options.parallel), kIdentifiers);
    const std::size_t parallel = m_maxInFlight;
    if (parallel == 1)
        keepToCurrentProcessor();
    std::uint64_t next = 0;
    std::vector<pollfd> fds;
    Clock::time_point flushDue = Clock::time_point::max();

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
        if (!m_out.hasPending())
            flushDue = Clock::time_point::max();
        else if (flushDue == Clock::time_point::max())
            flushDue = now + kFlushDelay;
        if (flushDue <= now) {
            m_out.flush();
            flushDue = Clock::time_point::max();
        }
        until = std::min(until, flushDue);

        fds.resize(m_channels.size());
        for (std::size_t i = 0; i < m_channels.size(); ++i)
            fds[i] = pollfd{m_channels[i].link->fd(), m_channels[i].link->events(), 0};
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
        for (std::size_t i = 0; rc > 0 && i < fds.size() && !m_failed; ++i)
            if (fds[i].revents != 0)
                service(i, fds[i].revents);
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
    int id = static_cast<int>((static_cast<unsigned>(m_options.firstId) + m_requestCount++) % kIdentifiers);
    const std::string name = radius::RequestPacket::codeName(static_cast<unsigned>(outgoing.code)).toStdString();
    // Over a stream the identifier may move on past ones still in flight.
    std::size_t channel = 0;
    if (!channelFor(flight->packet->port, id, channel)) {
        finish(flight, Outcome::Failed);
        return false;
    }
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
    flight->channel = channel;
    flight->id = id;
    flight->attempts = 0;
    m_channels[channel].byId[static_cast<std::size_t>(id)] = flight;
    ++m_channels[channel].waiting;
    m_stats.exchanged();
    m_out.info("Sent " + name + " Id " + std::to_string(id) + " to " + m_server.display(flight->packet->port)
               + " length " + std::to_string(flight->octets.size()));
    if (m_options.showAttributes)
        printAttributes(flight->request->pairs().lines());
    return transmit(flight);
}

bool RequestEngine::transmit(Flight *flight)
{
    Link &link = *m_channels[flight->channel].link;
    ++flight->attempts;
    flight->sentAt = Clock::now();
    std::string error;
    const bool sent = link.send(flight->octets, flight->packet->port, error);
    if (!sent) {
        m_out.error(error);
        // A datagram that could not go is retried like a lost one; a broken stream ends the run.
        m_failed = m_failed || link.isStream();
    }
    const auto timeout = std::chrono::duration_cast<Clock::duration>(Seconds(m_options.timeoutSeconds));
    flight->timer = m_timers.emplace(flight->sentAt + timeout, flight);
    return sent;
}

void RequestEngine::service(std::size_t channel, short revents)
{
    std::string error;
    const bool ok = m_channels[channel].link->service(
        revents,
        [this, channel](const std::uint8_t *data, std::size_t length, std::uint16_t port) {
            handlePacket(channel, data, length, port);
            return m_channels[channel].waiting > 0;
        },
        error);
    if (!ok) {
        m_out.error(error);
        m_failed = true;
    }
}

void RequestEngine::handlePacket(std::size_t channel, const std::uint8_t *data, std::size_t length, std::uint16_t port)
{
    auto parsed = radius::RequestPacket::parseReply(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length)));
    if (!parsed) {
        m_out.warning("Dropped a malformed reply from " + m_server.display(port) + ": " + parsed.error().toStdString());
        return;
    }
    radius::RequestPacket &reply = *parsed;
    Flight *flight = m_channels[channel].byId[static_cast<std::size_t>(reply.id())];
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
        if (flight->attempts <= m_options.retries && !m_channels[flight->channel].link->isStream()) {
            m_out.warning("No reply to " + what + " within " + seconds(m_options.timeoutSeconds)
                          + " s, sending again (retry " + std::to_string(flight->attempts) + " of "
                          + std::to_string(m_options.retries) + ")");
            transmit(flight);
        } else {
            m_out.error("No reply to " + what + " after " + std::to_string(flight->attempts)
                        + (flight->attempts == 1 ? " attempt" : " attempts") + ", request lost");
            flight->conversation->onLost(m_out);
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
    Channel &channel = m_channels[flight->channel];
    Flight *&slot = channel.byId[static_cast<std::size_t>(flight->id)];
    if (slot == flight) {
        slot = nullptr;
        --channel.waiting;
    }
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

bool RequestEngine::channelFor(std::uint16_t port, int &id, std::size_t &index)
{
    const bool stream = m_options.transport != Transport::Udp;
    for (std::size_t i = 0; i < m_channels.size(); ++i) {
        Channel &channel = m_channels[i];
        if (stream && channel.port != port)
            continue;
        index = i;
        for (std::size_t step = 0; step < kIdentifiers; ++step) {
            const std::size_t candidate = (static_cast<std::size_t>(id) + step) % kIdentifiers;
            if (!channel.byId[candidate]) {
                id = static_cast<int>(candidate);
                return true;
            }
            if (!stream)
                break;
        }
    }
    std::unique_ptr<Link> link = openLink(port);
    if (!link) {
        m_failed = true;
        return false;
    }
    m_channels.push_back(Channel{std::move(link), port, {}});
    index = m_channels.size() - 1;
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

std::unique_ptr<Link> RequestEngine::openLink(std::uint16_t port)
{
    std::string error;
    if (m_options.transport == Transport::Udp) {
        auto link = std::make_unique<UdpLink>(m_server);
        if (link->open(error))
            return link;
        m_out.error(error);
        return nullptr;
    }
    std::optional<tls::TlsSettings> tls;
    if (m_options.transport == Transport::Tls)
        tls = tls::TlsSettings{m_options.caFile, m_options.certFile, m_options.keyFile, {}};
    auto link = std::make_unique<StreamLink>(m_server, port, std::move(tls));
    const auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(Seconds(m_options.timeoutSeconds));
    if (!link->open(timeout, error)) {
        m_out.error(error);
        return nullptr;
    }
    m_out.info("Connected to " + m_server.display(port) + " over " + link->description());
    return link;
}

void RequestEngine::printAttributes(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines)
        m_out.line("\t" + line.toStdString());
}

} // namespace clients
