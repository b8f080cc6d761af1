#pragma once

#include "radius/TransportPairs.h"

#include <array>

namespace radius {

// The digests and the key derivation that EAP-MD5 and EAP-SIM need.
class TransportCrypto {
public:
    static std::array<std::uint8_t, 16> md5(const Bytes &data);
    static std::array<std::uint8_t, 20> sha1(const Bytes &data);
    static std::array<std::uint8_t, 20> hmacSha1(const Bytes &data, const Bytes &key);
    // FIPS 186-2 change notice 1 pseudo-random function (RFC 4186 appendix B): 160 octets from a 20-octet key.
    static Bytes fips186Prf(const std::array<std::uint8_t, 20> &key);
    static Bytes random(std::size_t length);
};

} // namespace radius
