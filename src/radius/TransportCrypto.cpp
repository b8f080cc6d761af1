#include "radius/TransportCrypto.h"

#include "radius/transport_radius.h"

namespace radius {

namespace {

// (a + b + carry) mod 2^160 on big-endian 20-octet numbers.
std::array<std::uint8_t, 20> add160(const std::array<std::uint8_t, 20> &a, const std::uint8_t *b, unsigned carry)
{
    std::array<std::uint8_t, 20> out{};
    for (int i = 19; i >= 0; --i) {
        const unsigned sum = a[i] + (b ? b[i] : 0u) + carry;
        out[i] = static_cast<std::uint8_t>(sum & 0xff);
        carry = sum >> 8;
    }
    return out;
}

} // namespace

std::array<std::uint8_t, 16> TransportCrypto::md5(const Bytes &data)
{
    std::array<std::uint8_t, 16> out{};
    pel_tr_md5(out.data(), data.data(), data.size());
    return out;
}

std::array<std::uint8_t, 20> TransportCrypto::sha1(const Bytes &data)
{
    std::array<std::uint8_t, 20> out{};
    pel_tr_sha1(out.data(), data.data(), data.size());
    return out;
}

std::array<std::uint8_t, 20> TransportCrypto::hmacSha1(const Bytes &data, const Bytes &key)
{
    std::array<std::uint8_t, 20> out{};
    pel_tr_hmac_sha1(out.data(), data.data(), data.size(), key.data(), key.size());
    return out;
}

Bytes TransportCrypto::fips186Prf(const std::array<std::uint8_t, 20> &key)
{
    // XSEED is zero, so XVAL = XKEY; w = G(XVAL); XKEY = 1 + XKEY + w.
    Bytes out;
    out.reserve(160);
    std::array<std::uint8_t, 20> xkey = key;
    for (int j = 0; j < 8; ++j) {
        std::uint8_t block[64] = {};
        std::copy(xkey.begin(), xkey.end(), block);
        std::uint8_t w[20];
        pel_tr_sha1_block(w, block);
        out.insert(out.end(), w, w + 20);
        xkey = add160(xkey, w, 1);
    }
    return out;
}

Bytes TransportCrypto::random(std::size_t length)
{
    Bytes out(length);
    pel_tr_random(out.data(), out.size());
    return out;
}

} // namespace radius
