#pragma once

#include "clients/ClientOptions.h"
#include "clients/Conversation.h"
#include "clients/Link.h"
#include "clients/PacketScript.h"
#include "clients/RequestEncoder.h"
#include "clients/RunStatistics.h"
#include "clients/ServerAddress.h"

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace clients {

class ConsoleOutput;
class ExchangeRecords;

// Sends the packet list -c times with at most -p conversations in flight, paced to -n
// per second, each request with the next identifier. Over UDP a request is retried after
// -t seconds up to -r times; over TCP and TLS one connection per port carries them all,
// identifiers unique among those in flight on it, and a request is sent once. One
// thread, one poll loop.
class RequestEngine {
public:
    using Clock = std::chrono::steady_clock;
    using ConversationFactory = std::function<std::unique_ptr<Conversation>(const PacketTemplate &)>;

    RequestEngine(const ClientOptions &options, const ServerAddress &server, std::vector<PacketTemplate> &packets,
                  ConversationFactory factory, ConsoleOutput &out, RunStatistics &stats);
    // Tests fix the requests' authenticators through the encoder.
    RequestEngine(const ClientOptions &options, const ServerAddress &server, std::vector<PacketTemplate> &packets,
                  ConversationFactory factory, ConsoleOutput &out, RunStatistics &stats, RequestEncoder encoder);
    ~RequestEngine();
    RequestEngine(const RequestEngine &) = delete;
    RequestEngine &operator=(const RequestEngine &) = delete;

    // False when a socket could not be opened or polled, or a connection could not be made
    // or broke (an "Error:" line says why).
    bool run();
    double elapsedSeconds() const;
    // Where each exchange's record goes (-R); none when not set.
    void setRecords(ExchangeRecords *records) { m_records = records; }

private:
    struct Flight {
        std::unique_ptr<Conversation> conversation;
        const PacketTemplate *packet = nullptr;
        std::optional<radius::RequestPacket> request;
        QByteArray octets;
        std::size_t channel = 0;
        int id = 0;
        int attempts = 0;
        int repetition = 0; // pass over the packet list, from 1
        Clock::time_point sentAt;
        std::multimap<Clock::time_point, Flight *>::iterator timer;
    };
    struct Channel {
        std::unique_ptr<Link> link;
        std::uint16_t port = 0; // a stream's server port
        std::array<Flight *, 256> byId{};
        std::size_t waiting = 0; // requests in byId
    };

    void launch(std::uint64_t next);
    // Sends the conversation's next request; false when the conversation ended instead.
    bool sendNext(Flight *flight, const Outgoing &outgoing);
    bool transmit(Flight *flight);
    void service(std::size_t channel, short revents);
    void handlePacket(std::size_t channel, const std::uint8_t *data, std::size_t length, std::uint16_t port);
    void expire(Clock::time_point now);
    void release(Flight *flight);
    void finish(Flight *flight, Outcome outcome);
    // A channel on which the identifier is free; over a stream the identifier moves on to
    // the next free one. False (run failed) when no link could be opened.
    bool channelFor(std::uint16_t port, int &id, std::size_t &index);
    std::unique_ptr<Link> openLink(std::uint16_t port);
    void printAttributes(const QList<QByteArray> &lines);
    // The exchange's record when records are asked for; reply is the verified one.
    void record(const Flight &flight, int requestCode, const radius::RequestPacket *reply, double ms);

    const ClientOptions &m_options;
    const ServerAddress &m_server;
    std::vector<PacketTemplate> &m_packets;
    ConversationFactory m_factory;
    ConsoleOutput &m_out;
    RunStatistics &m_stats;
    RequestEncoder m_encoder;
    ExchangeRecords *m_records = nullptr;

    std::vector<Channel> m_channels;
    std::multimap<Clock::time_point, Flight *> m_timers;
    std::vector<std::unique_ptr<Flight>> m_flights; // in flight, unordered
    unsigned m_requestCount = 0;                    // identifiers handed out
    std::size_t m_maxInFlight = 1;
    bool m_failed = false;
    Clock::time_point m_start;
    Clock::time_point m_end;
};

} // namespace clients
