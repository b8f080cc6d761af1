#include "decoder/PacketDecoder.h"

#include "radius/Crypto.h"
#include "radius/RequestPacket.h"

namespace decoder {

namespace {

constexpr int kHeader = 20;
constexpr int kVector = 16;
constexpr int kMaximum = 4096;
constexpr int kMessageAuthenticator = 80;

int octet(const QByteArray &data, int at)
{
    return quint8(data.at(at));
}

AuthenticatorCheck notChecked(const QString &reason)
{
    return {AuthenticatorCheck::State::NotChecked, {}, reason};
}

AuthenticatorCheck compared(const QByteArray &found, const QByteArray &expected)
{
    if (found == expected)
        return {AuthenticatorCheck::State::Valid, {}, {}};
    return {AuthenticatorCheck::State::Invalid, expected, {}};
}

} // namespace

QString PacketDecoder::word(const char *key, const char *builtIn) const
{
    return m_language.text(QStringLiteral("frmDecodePacket"), QString::fromLatin1(key), QString::fromLatin1(builtIn));
}

std::optional<RequestContext> RequestContext::fromOctets(const QByteArray &octets)
{
    if (octets.size() == kVector)
        return RequestContext{octets, std::nullopt};
    if (octets.size() >= kHeader)
        return RequestContext{octets.mid(4, kVector), octet(octets, 1)};
    return std::nullopt;
}

bool PacketDecoder::isRequestCode(unsigned code)
{
    return code == 1 || code == 4 || code == 12 || code == 40 || code == 43;
}

bool PacketDecoder::isReplyCode(unsigned code)
{
    return code == 2 || code == 3 || code == 5 || code == 11 || code == 41 || code == 42 || code == 44 || code == 45;
}

DecodedPacket PacketDecoder::decode(const QByteArray &octets) const
{
    DecodedPacket out;
    out.octetCount = int(octets.size());
    if (!octets.isEmpty())
        out.code = unsigned(octet(octets, 0));
    if (octets.size() >= 2)
        out.identifier = octet(octets, 1);
    if (octets.size() >= 4)
        out.declaredLength = octet(octets, 2) << 8 | octet(octets, 3);
    out.authenticator = octets.mid(4, kVector);
    if (octets.size() < kHeader) {
        out.faults << word("Fault.ShortHeader", "%1 octets, fewer than the 20 of the RADIUS header").arg(octets.size());
        out.packetAuthenticator = out.messageAuthenticator =
            notChecked(word("Reason.IncompleteHeader", "the header is incomplete"));
        return out;
    }

    const unsigned code = *out.code;
    out.isReply = isReplyCode(code);
    const QString name = radius::RequestPacket::codeName(code);
    if (name != QString::number(code))
        out.codeName = name;
    else
        out.faults << word("Fault.UnknownCode", "Unknown packet code %1").arg(code);
    if (out.isReply && m_request && m_request->identifier && *m_request->identifier != *out.identifier)
        out.faults << word("Fault.OtherIdentifier", "Identifier %1 is not the request's %2")
                          .arg(*out.identifier)
                          .arg(*m_request->identifier);

    const int declared = *out.declaredLength;
    QByteArray covered = octets;
    QString unchecked;
    if (declared < kHeader) {
        out.faults << word("Fault.LengthBelowHeader", "Length field %1 is below the 20-octet header").arg(declared);
        unchecked = word("Reason.WrongLength", "the length field is wrong");
    } else if (declared > octets.size()) {
        out.faults << word("Fault.CutShort",
                           "Length field %1 is more than the %2 octets given: the packet is cut short")
                          .arg(declared)
                          .arg(octets.size());
        unchecked = word("Reason.CutShort", "the packet is cut short");
    } else if (declared < octets.size()) {
        out.faults << word("Fault.Trailing", "%1 trailing octets after the length field's %2")
                          .arg(octets.size() - declared)
                          .arg(declared);
        covered = octets.left(declared);
    }
    if (declared > kMaximum)
        out.faults << word("Fault.AboveMaximum", "Length field %1 is above the RADIUS maximum of 4096").arg(declared);

    if (unchecked.isEmpty())
        checkAuthenticators(covered, out);
    else
        out.packetAuthenticator = out.messageAuthenticator = notChecked(unchecked);
    walkAttributes(covered, out);
    return out;
}

radius::AttributeDecoder PacketDecoder::revealing(const DecodedPacket &packet) const
{
    using Vector = radius::AttributeDecoder::Vector;
    if (isRequestCode(*packet.code))
        return {*packet.code, packet.authenticator, Vector::Own, m_secret};
    // A reply's hidden values are revealed once it verifies: before, they would come out
    // as noise from the wrong secret or request.
    const bool verified = packet.packetAuthenticator.state == AuthenticatorCheck::State::Valid;
    return {*packet.code, m_request ? m_request->authenticator : QByteArray(kVector, '\0'), Vector::Request,
            verified ? m_secret : QByteArray()};
}

void PacketDecoder::walkAttributes(const QByteArray &covered, DecodedPacket &out) const
{
    const radius::AttributeDecoder library = revealing(out);
    int at = kHeader;
    while (at < covered.size()) {
        const int left = int(covered.size()) - at;
        if (left < 2) {
            out.faults << word("Fault.OneOctetLeft", "Offset %1: 1 octet left, too short for an attribute").arg(at);
            return;
        }
        AttributeEntry entry{at, octet(covered, at), octet(covered, at + 1), {}, {}};
        // Each fault names the attribute by its offset and type.
        const auto fault = [&](const char *key, const char *builtIn) {
            return word(key, builtIn).arg(at).arg(entry.type);
        };
        if (entry.length < 2) {
            out.faults << fault("Fault.LengthBelowTwo",
                                "Offset %1: attribute %2 has the length %3, below the 2 octets of its type and "
                                "length; nothing after it can be read")
                              .arg(entry.length);
            out.attributes.push_back(entry);
            return;
        }
        if (entry.length > left) {
            out.faults << fault("Fault.PastTheEnd",
                                "Offset %1: attribute %2 of length %3 runs %4 octets past the end of the packet")
                              .arg(entry.length)
                              .arg(entry.length - left);
            out.attributes.push_back(entry);
            return;
        }
        if (entry.type == 0)
            out.faults << fault("Fault.TypeZero", "Offset %1: attribute %2 has the invalid type 0");
        if (entry.length == 2)
            out.faults << fault("Fault.EmptyValue", "Offset %1: attribute %2 has an empty value");
        if (entry.type == kMessageAuthenticator && entry.length != 2 + kVector)
            out.faults << fault("Fault.MessageAuthenticatorLength",
                                "Offset %1: attribute %2 (Message-Authenticator) has the length %3, not 18")
                              .arg(entry.length);
        if (auto decoded = library.decode(covered.mid(at, entry.length)))
            entry.pairs = decoded->pairs.lines();
        else
            entry.error = decoded.error();
        out.attributes.push_back(entry);
        at += entry.length;
    }
}

int PacketDecoder::messageAuthenticatorAt(const QByteArray &covered)
{
    for (int at = kHeader; at + 2 <= covered.size() && octet(covered, at + 1) >= 2; at += octet(covered, at + 1))
        if (octet(covered, at) == kMessageAuthenticator && octet(covered, at + 1) == 2 + kVector
            && at + 2 + kVector <= covered.size())
            return at + 2;
    return -1;
}

void PacketDecoder::checkAuthenticators(const QByteArray &covered, DecodedPacket &out) const
{
    out.messageAuthenticator = checkMessageAuthenticator(covered, *out.code, messageAuthenticatorAt(covered));
    out.packetAuthenticator = checkPacketAuthenticator(covered, *out.code);
}

AuthenticatorCheck PacketDecoder::checkPacketAuthenticator(const QByteArray &covered, unsigned code) const
{
    if (code == 1 || code == 12)
        return notChecked(word("Reason.RandomAuthenticator", "chosen at random by the client"));
    if (m_secret.isEmpty())
        return notChecked(word("Reason.NoSecret", "no shared secret given"));
    QByteArray signedPart = covered;
    if (isRequestCode(code))
        signedPart.replace(4, kVector, QByteArray(kVector, '\0'));
    else if (!m_request)
        return notChecked(word("Reason.NoRequest", "no request authenticator given"));
    else
        signedPart.replace(4, kVector, m_request->authenticator);
    return compared(covered.mid(4, kVector), radius::Crypto::md5(signedPart + m_secret));
}

AuthenticatorCheck PacketDecoder::checkMessageAuthenticator(const QByteArray &covered, unsigned code, int valueAt) const
{
    if (valueAt < 0)
        return {AuthenticatorCheck::State::Absent, {}, {}};
    if (m_secret.isEmpty())
        return notChecked(word("Reason.NoSecret", "no shared secret given"));
    QByteArray signedPart = covered;
    signedPart.replace(valueAt, kVector, QByteArray(kVector, '\0'));
    // Access-Request and Status-Server sign their own random authenticator; the other
    // requests sign zeros, and a reply its request's authenticator.
    if (isRequestCode(code)) {
        if (code != 1 && code != 12)
            signedPart.replace(4, kVector, QByteArray(kVector, '\0'));
    } else if (!m_request) {
        return notChecked(word("Reason.NoRequest", "no request authenticator given"));
    } else {
        signedPart.replace(4, kVector, m_request->authenticator);
    }
    return compared(covered.mid(valueAt, kVector), radius::Crypto::hmacMd5(signedPart, m_secret));
}

} // namespace decoder
