#pragma once

#include "radius/TransportPairs.h"

#include <cstdint>
#include <optional>

namespace clients {

// One EAP packet (RFC 3748): code, identifier, and for requests and responses a type
// with its data.
struct EapMessage {
    enum Code : std::uint8_t { Request = 1, Response = 2, Success = 3, Failure = 4 };
    enum Type : std::uint8_t { Identity = 1, Nak = 3, Md5Challenge = 4, Sim = 18 };

    std::uint8_t code = Response;
    std::uint8_t id = 0;
    std::uint8_t type = 0;
    radius::Bytes data;

    radius::Bytes encode() const;
    // None when the octets are no well-formed EAP packet.
    static std::optional<EapMessage> parse(const radius::Bytes &octets);
};

} // namespace clients
