#pragma once

#include "clients/Link.h"
#include "clients/PacketFramer.h"
#include "tls/TlsSession.h"

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace clients {

class ServerAddress;

// One TCP connection to a server port, plain or under TLS, with Nagle off: requests go
// out back to back, replies are cut from the stream by their length field.
class StreamLink : public Link {
public:
    // No TLS settings: plain TCP.
    StreamLink(const ServerAddress &server, std::uint16_t port, std::optional<tls::TlsSettings> tls);
    ~StreamLink() override;
    StreamLink(const StreamLink &) = delete;
    StreamLink &operator=(const StreamLink &) = delete;

    // Connects and, for TLS, verifies the server, within the time. False with the reason.
    bool open(std::chrono::milliseconds timeout, std::string &error);
    // "TCP" or "TLS (TLSv1.3, TLS_AES_256_GCM_SHA384)"
    std::string description() const;

    int fd() const override { return m_fd; }
    short events() const override;
    bool isStream() const override { return true; }
    bool send(const QByteArray &octets, std::uint16_t port, std::string &error) override;
    bool service(short revents, const PacketHandler &handler, std::string &error) override;

private:
    bool waitFor(short events, std::chrono::steady_clock::time_point deadline, std::string &error);
    bool connect(std::chrono::steady_clock::time_point deadline, std::string &error);
    bool shakeHands(std::chrono::steady_clock::time_point deadline, std::string &error);
    // Writes what is queued until the socket takes no more.
    bool flush(std::string &error);
    // Reads what has arrived; false when the connection broke.
    bool fill(std::string &error);
    std::string where() const;

    const ServerAddress &m_server;
    std::uint16_t m_port;
    std::optional<tls::TlsSettings> m_settings;
    std::unique_ptr<tls::TlsSession> m_tls;
    int m_fd = -1;
    PacketFramer m_in;
    QByteArray m_out;
    qsizetype m_outDone = 0;
    std::deque<qsizetype> m_packetEnds; // in m_out, of the packets not yet written whole
};

} // namespace clients
