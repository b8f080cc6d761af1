#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace clients {

// Cuts RADIUS packets out of a byte stream by their length field (RFC 6613): whole
// packets go to the handler, a partial one waits for the rest.
class PacketFramer {
public:
    using Handler = std::function<void(const std::uint8_t *data, std::size_t length)>;

    // Room for size more octets at the end; commit() then says how many were written.
    std::uint8_t *reserve(std::size_t size);
    void commit(std::size_t written);
    // False with the reason when a length field is impossible: the stream has lost its
    // framing and nothing after it can be trusted.
    bool deliver(const Handler &handler, std::string &error);

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_used = 0;
};

} // namespace clients
