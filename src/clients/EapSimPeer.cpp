#include "clients/EapSimPeer.h"

#include "radius/TransportCrypto.h"

#include <algorithm>
#include <map>

namespace clients {

namespace {

enum Subtype : std::uint8_t { Start = 10, Challenge = 11 };
enum Attribute : std::uint8_t {
    AtRand = 1,
    AtNonceMt = 7,
    AtPermanentIdReq = 10,
    AtMac = 11,
    AtAnyIdReq = 13,
    AtIdentity = 14,
    AtVersionList = 15,
    AtSelectedVersion = 16,
    AtFullauthIdReq = 17,
};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kMacLength = 16;

struct Parsed {
    std::map<std::uint8_t, radius::Bytes> values; // value after type and length octets
    std::map<std::uint8_t, std::size_t> offsets;  // where each value starts in the type data
};

// Type data: subtype, two reserved octets, then attributes of 4-octet units.
std::optional<Parsed> parseAttributes(const radius::Bytes &data)
{
    Parsed parsed;
    std::size_t at = 3;
    while (at < data.size()) {
        if (at + 2 > data.size()) return std::nullopt;
        const std::size_t length = std::size_t{data[at + 1]} * 4;
        if (length < 4 || at + length > data.size()) return std::nullopt;
        parsed.values[data[at]] = radius::Bytes(data.begin() + static_cast<std::ptrdiff_t>(at + 2),
                                                data.begin() + static_cast<std::ptrdiff_t>(at + length));
        parsed.offsets[data[at]] = at + 2;
        at += length;
    }
    return parsed;
}

void appendAttribute(radius::Bytes &data, std::uint8_t type, const radius::Bytes &value)
{
    radius::Bytes padded = value;
    while ((padded.size() + 2) % 4) padded.push_back(0);
    data.push_back(type);
    data.push_back(static_cast<std::uint8_t>((padded.size() + 2) / 4));
    data.insert(data.end(), padded.begin(), padded.end());
}

radius::Bytes concat(std::initializer_list<const radius::Bytes *> parts)
{
    radius::Bytes out;
    for (const radius::Bytes *part : parts) out.insert(out.end(), part->begin(), part->end());
    return out;
}

} // namespace

EapSimPeer::EapSimPeer(radius::Bytes identity, std::vector<SimTriplet> triplets)
    : m_identity(std::move(identity)), m_triplets(std::move(triplets))
{
}

std::optional<EapMessage> EapSimPeer::respond(const EapMessage &request, std::string &error)
{
    if (request.data.empty()) {
        error = "EAP-SIM request without a subtype";
        return std::nullopt;
    }
    switch (request.data[0]) {
    case Start: return start(request, error);
    case Challenge: return challenge(request, error);
    default:
        error = "EAP-SIM subtype " + std::to_string(request.data[0]) + " is not supported";
        return std::nullopt;
    }
}

std::optional<EapMessage> EapSimPeer::start(const EapMessage &request, std::string &error)
{
    const auto parsed = parseAttributes(request.data);
    if (!parsed || !parsed->values.count(AtVersionList)) {
        error = "EAP-SIM Start without a version list";
        return std::nullopt;
    }
    const radius::Bytes &list = parsed->values.at(AtVersionList);
    const std::size_t listLength = list.size() >= 2 ? ((std::size_t{list[0]} << 8) | list[1]) : 0;
    if (listLength < 2 || listLength + 2 > list.size()) {
        error = "EAP-SIM Start with a malformed version list";
        return std::nullopt;
    }
    m_versionList.assign(list.begin() + 2, list.begin() + 2 + static_cast<std::ptrdiff_t>(listLength));
    bool supported = false;
    for (std::size_t i = 0; i + 1 < m_versionList.size(); i += 2)
        supported = supported || (m_versionList[i] == 0 && m_versionList[i + 1] == kVersion);
    if (!supported) {
        error = "EAP-SIM server offers no version 1";
        return std::nullopt;
    }
    m_nonce = radius::TransportCrypto::random(16);
    m_started = true;

    EapMessage response{EapMessage::Response, request.id, EapMessage::Sim, {Start, 0, 0}};
    radius::Bytes nonceValue{0, 0};
    nonceValue.insert(nonceValue.end(), m_nonce.begin(), m_nonce.end());
    appendAttribute(response.data, AtNonceMt, nonceValue);
    appendAttribute(response.data, AtSelectedVersion, {0, kVersion});
    const bool identityAsked = parsed->values.count(AtPermanentIdReq) || parsed->values.count(AtAnyIdReq) ||
                               parsed->values.count(AtFullauthIdReq);
    if (identityAsked) {
        radius::Bytes identity{static_cast<std::uint8_t>(m_identity.size() >> 8),
                               static_cast<std::uint8_t>(m_identity.size() & 0xff)};
        identity.insert(identity.end(), m_identity.begin(), m_identity.end());
        appendAttribute(response.data, AtIdentity, identity);
    }
    return response;
}

std::optional<EapMessage> EapSimPeer::challenge(const EapMessage &request, std::string &error)
{
    const auto parsed = parseAttributes(request.data);
    if (!m_started || !parsed || !parsed->values.count(AtRand) || !parsed->values.count(AtMac)) {
        error = "EAP-SIM Challenge without Start, AT_RAND or AT_MAC";
        return std::nullopt;
    }
    const radius::Bytes &rands = parsed->values.at(AtRand);
    if (rands.size() < 2 + 32 || (rands.size() - 2) % 16 != 0 || parsed->values.at(AtMac).size() != 2 + kMacLength) {
        error = "EAP-SIM Challenge with a malformed AT_RAND or AT_MAC";
        return std::nullopt;
    }
    std::vector<radius::Bytes> kcs;
    radius::Bytes sres;
    for (std::size_t at = 2; at < rands.size(); at += 16) {
        const radius::Bytes rand(rands.begin() + static_cast<std::ptrdiff_t>(at),
                                 rands.begin() + static_cast<std::ptrdiff_t>(at + 16));
        const auto triplet = std::find_if(m_triplets.begin(), m_triplets.end(),
                                          [&rand](const SimTriplet &t) { return t.rand == rand; });
        if (triplet == m_triplets.end()) {
            error = "EAP-SIM Challenge with a RAND the packet has no triplet for";
            return std::nullopt;
        }
        kcs.push_back(triplet->kc);
        sres.insert(sres.end(), triplet->sres.begin(), triplet->sres.end());
    }

    const radius::Bytes selected{0, kVersion};
    const auto mk = masterKey(m_identity, kcs, m_nonce, m_versionList, selected);
    const radius::Bytes keys = radius::TransportCrypto::fips186Prf(mk);
    const radius::Bytes kAut(keys.begin() + 16, keys.begin() + 32);

    // The server's MAC covers its whole EAP packet, MAC zeroed, followed by NONCE_MT.
    radius::Bytes packet = request.encode();
    const std::size_t macAt = 5 + parsed->offsets.at(AtMac) + 2;
    const radius::Bytes received(packet.begin() + static_cast<std::ptrdiff_t>(macAt),
                                 packet.begin() + static_cast<std::ptrdiff_t>(macAt + kMacLength));
    std::fill_n(packet.begin() + static_cast<std::ptrdiff_t>(macAt), kMacLength, 0);
    const auto expected = radius::TransportCrypto::hmacSha1(concat({&packet, &m_nonce}), kAut);
    if (!std::equal(received.begin(), received.end(), expected.begin())) {
        error = "EAP-SIM Challenge AT_MAC does not verify (wrong triplets?)";
        return std::nullopt;
    }

    EapMessage response{EapMessage::Response, request.id, EapMessage::Sim, {Challenge, 0, 0}};
    appendAttribute(response.data, AtMac, radius::Bytes(2 + kMacLength, 0));
    radius::Bytes ours = response.encode();
    const auto mac = radius::TransportCrypto::hmacSha1(concat({&ours, &sres}), kAut);
    std::copy_n(mac.begin(), kMacLength, response.data.begin() + 3 + 2 + 2);
    return response;
}

std::array<std::uint8_t, 20> EapSimPeer::masterKey(const radius::Bytes &identity,
                                                   const std::vector<radius::Bytes> &kcs, const radius::Bytes &nonce,
                                                   const radius::Bytes &versionList,
                                                   const radius::Bytes &selectedVersion)
{
    radius::Bytes input = identity;
    for (const radius::Bytes &kc : kcs) input.insert(input.end(), kc.begin(), kc.end());
    input.insert(input.end(), nonce.begin(), nonce.end());
    input.insert(input.end(), versionList.begin(), versionList.end());
    input.insert(input.end(), selectedVersion.begin(), selectedVersion.end());
    return radius::TransportCrypto::sha1(input);
}

} // namespace clients
