#pragma once

#include "clients/Link.h"

namespace clients {

class ServerAddress;

// A UDP socket: each request a datagram to the server's address and the packet's port;
// datagrams from other hosts are ignored.
class UdpLink : public Link {
public:
    explicit UdpLink(const ServerAddress &server);
    ~UdpLink() override;
    UdpLink(const UdpLink &) = delete;
    UdpLink &operator=(const UdpLink &) = delete;

    // False with the reason when no socket could be opened.
    bool open(std::string &error);

    int fd() const override { return m_fd; }
    short events() const override;
    bool isStream() const override { return false; }
    bool send(const QByteArray &octets, std::uint16_t port, std::string &error) override;
    bool service(short revents, const PacketHandler &handler, std::string &error) override;

private:
    const ServerAddress &m_server;
    int m_fd = -1;
};

} // namespace clients
