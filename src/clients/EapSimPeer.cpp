#include "clients/EapSimPeer.h"

#include "radius/Crypto.h"

#include <algorithm>
#include <map>

namespace clients {

namespace {

using radius::EapMessage;

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
constexpr qsizetype kMacLength = 16;

std::uint8_t octet(const QByteArray &data, qsizetype at)
{
    return static_cast<std::uint8_t>(data[at]);
}

QByteArray octets(std::initializer_list<std::uint8_t> values)
{
    QByteArray out;
    for (std::uint8_t v : values)
        out.append(static_cast<char>(v));
    return out;
}

struct Parsed {
    std::map<std::uint8_t, QByteArray> values; // value after type and length octets
    std::map<std::uint8_t, qsizetype> offsets; // where each value starts in the type data
};

// Type data: subtype, two reserved octets, then attributes of 4-octet units.
std::optional<Parsed> parseAttributes(const QByteArray &data)
{
    Parsed parsed;
    qsizetype at = 3;
    while (at < data.size()) {
        if (at + 2 > data.size())
            return std::nullopt;
        const qsizetype length = qsizetype{octet(data, at + 1)} * 4;
        if (length < 4 || at + length > data.size())
            return std::nullopt;
        parsed.values[octet(data, at)] = data.mid(at + 2, length - 2);
        parsed.offsets[octet(data, at)] = at + 2;
        at += length;
    }
    return parsed;
}

void appendAttribute(QByteArray &data, std::uint8_t type, const QByteArray &value)
{
    QByteArray padded = value;
    while ((padded.size() + 2) % 4)
        padded.append('\0');
    data.append(static_cast<char>(type));
    data.append(static_cast<char>((padded.size() + 2) / 4));
    data.append(padded);
}

// (a + b + carry) mod 2^160 on big-endian 20-octet numbers.
QByteArray add160(const QByteArray &a, const QByteArray &b, unsigned carry)
{
    QByteArray out(20, '\0');
    for (int i = 19; i >= 0; --i) {
        const unsigned sum = octet(a, i) + octet(b, i) + carry;
        out[i] = static_cast<char>(sum & 0xff);
        carry = sum >> 8;
    }
    return out;
}

} // namespace

EapSimPeer::EapSimPeer(QByteArray identity, std::vector<SimTriplet> triplets)
    : m_identity(std::move(identity)), m_triplets(std::move(triplets))
{
}

std::optional<EapMessage> EapSimPeer::respond(const EapMessage &request, std::string &error)
{
    if (request.data.isEmpty()) {
        error = "EAP-SIM request without a subtype";
        return std::nullopt;
    }
    switch (octet(request.data, 0)) {
    case Start: return start(request, error);
    case Challenge: return challenge(request, error);
    default:
        error = "EAP-SIM subtype " + std::to_string(octet(request.data, 0)) + " is not supported";
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
    const QByteArray &list = parsed->values.at(AtVersionList);
    const qsizetype listLength = list.size() >= 2 ? ((qsizetype{octet(list, 0)} << 8) | octet(list, 1)) : 0;
    if (listLength < 2 || listLength + 2 > list.size()) {
        error = "EAP-SIM Start with a malformed version list";
        return std::nullopt;
    }
    m_versionList = list.mid(2, listLength);
    bool supported = false;
    for (qsizetype i = 0; i + 1 < m_versionList.size(); i += 2)
        supported = supported || (octet(m_versionList, i) == 0 && octet(m_versionList, i + 1) == kVersion);
    if (!supported) {
        error = "EAP-SIM server offers no version 1";
        return std::nullopt;
    }
    m_nonce = radius::Crypto::randomBytes(16);
    m_started = true;

    EapMessage response{EapMessage::Response, request.id, EapMessage::Sim, octets({Start, 0, 0})};
    appendAttribute(response.data, AtNonceMt, octets({0, 0}) + m_nonce);
    appendAttribute(response.data, AtSelectedVersion, octets({0, kVersion}));
    const bool identityAsked = parsed->values.count(AtPermanentIdReq) || parsed->values.count(AtAnyIdReq)
        || parsed->values.count(AtFullauthIdReq);
    if (identityAsked) {
        const QByteArray length = octets(
            {static_cast<std::uint8_t>(m_identity.size() >> 8), static_cast<std::uint8_t>(m_identity.size() & 0xff)});
        appendAttribute(response.data, AtIdentity, length + m_identity);
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
    const QByteArray &rands = parsed->values.at(AtRand);
    if (rands.size() < 2 + 32 || (rands.size() - 2) % 16 != 0 || parsed->values.at(AtMac).size() != 2 + kMacLength) {
        error = "EAP-SIM Challenge with a malformed AT_RAND or AT_MAC";
        return std::nullopt;
    }
    std::vector<QByteArray> kcs;
    QByteArray sres;
    for (qsizetype at = 2; at < rands.size(); at += 16) {
        const QByteArray rand = rands.mid(at, 16);
        const auto triplet =
            std::find_if(m_triplets.begin(), m_triplets.end(), [&rand](const SimTriplet &t) { return t.rand == rand; });
        if (triplet == m_triplets.end()) {
            error = "EAP-SIM Challenge with a RAND the packet has no triplet for";
            return std::nullopt;
        }
        kcs.push_back(triplet->kc);
        sres.append(triplet->sres);
    }

    const QByteArray mk = masterKey(m_identity, kcs, m_nonce, m_versionList, octets({0, kVersion}));
    const QByteArray kAut = fips186Prf(mk).mid(16, 16);

    // The server's MAC covers its whole EAP packet, MAC zeroed, followed by NONCE_MT.
    QByteArray packet = request.encode();
    const qsizetype macAt = 5 + parsed->offsets.at(AtMac) + 2;
    const QByteArray received = packet.mid(macAt, kMacLength);
    packet.replace(macAt, kMacLength, QByteArray(kMacLength, '\0'));
    const QByteArray expected = radius::Crypto::hmacSha1(packet + m_nonce, kAut);
    if (received != expected.left(kMacLength)) {
        error = "EAP-SIM Challenge AT_MAC does not verify (wrong triplets?)";
        return std::nullopt;
    }

    EapMessage response{EapMessage::Response, request.id, EapMessage::Sim, octets({Challenge, 0, 0})};
    appendAttribute(response.data, AtMac, QByteArray(2 + kMacLength, '\0'));
    const QByteArray mac = radius::Crypto::hmacSha1(response.encode() + sres, kAut);
    response.data.replace(3 + 2 + 2, kMacLength, mac.left(kMacLength));
    return response;
}

QByteArray EapSimPeer::masterKey(const QByteArray &identity, const std::vector<QByteArray> &kcs,
                                 const QByteArray &nonce, const QByteArray &versionList,
                                 const QByteArray &selectedVersion)
{
    QByteArray input = identity;
    for (const QByteArray &kc : kcs)
        input.append(kc);
    return radius::Crypto::sha1(input + nonce + versionList + selectedVersion);
}

QByteArray EapSimPeer::fips186Prf(const QByteArray &key)
{
    // XSEED is zero, so XVAL = XKEY; w = G(XVAL); XKEY = 1 + XKEY + w.
    QByteArray out;
    QByteArray xkey = key.left(20);
    xkey.resize(20, '\0');
    for (int j = 0; j < 8; ++j) {
        const QByteArray w = radius::Crypto::sha1Block(xkey);
        out.append(w);
        xkey = add160(xkey, w, 1);
    }
    return out;
}

} // namespace clients
