#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace clients {

// One way to the server: requests go out over it, replies come back on it.
class Link {
public:
    // A packet received and the server port it came from; returns whether more replies
    // are awaited on the link (a datagram socket is not read again for nothing).
    using PacketHandler = std::function<bool(const std::uint8_t *data, std::size_t length, std::uint16_t port)>;

    virtual ~Link() = default;
    virtual int fd() const = 0;
    // What to poll the descriptor for.
    virtual short events() const = 0;
    // Whether requests to every port share this link's identifiers (datagrams), or the
    // link is a connection to one port.
    virtual bool isStream() const = 0;
    // False with the reason when the request could not be handed over.
    virtual bool send(const QByteArray &octets, std::uint16_t port, std::string &error) = 0;
    // Handles what the poll reported: the packets that arrived go to the handler. False
    // with the reason when the link is broken.
    virtual bool service(short revents, const PacketHandler &handler, std::string &error) = 0;
};

} // namespace clients
