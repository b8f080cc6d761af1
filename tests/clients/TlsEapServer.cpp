#include "TlsEapServer.h"

#include "FakeReplyServer.h"
#include "TlsServerSession.h"

#include "clients/DiameterAvps.h"
#include "mschap/MsChapV2.h"
#include "radius/Crypto.h"
#include "radius/EapMessage.h"

#include <optional>
#include <utility>

namespace {

using radius::EapMessage;

constexpr int kAccessAccept = 2;
constexpr int kAccessReject = 3;
constexpr int kAccessChallenge = 11;
constexpr int kRadiusHeaderLength = 20;
enum Flag : quint8 { Length = 0x80, More = 0x40, Start = 0x20 };
// Smaller than the client's: the certificate flight comes in several pieces.
constexpr int kFragmentSize = 500;
constexpr int kMskLength = 64;
constexpr int kMppeKeyLength = 32;
constexpr quint8 kMsChapV2 = 26;
constexpr quint8 kResultTlvType = 33;
enum MsChapOp : quint8 { Challenge = 1, Response = 2, Success = 3 };
enum AvpCode : quint32 { EapMessageAvp = 79, MsChapChallenge = 11, MsChap2Response = 25, MsChap2Success = 26 };
enum MicrosoftAttribute : quint8 { MppeSendKey = 16, MppeRecvKey = 17 };

QByteArray bigEndian(quint32 value, int octets)
{
    QByteArray out;
    for (int i = octets - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xff));
    return out;
}

// The values of every attribute of the type in a RADIUS packet, joined.
QByteArray joinedAttributes(const QByteArray &packet, int type)
{
    QByteArray joined;
    for (qsizetype at = kRadiusHeaderLength; at + 2 <= packet.size();) {
        const int length = quint8(packet[at + 1]);
        if (length < 2)
            break;
        if (quint8(packet[at]) == type)
            joined += packet.mid(at + 2, length - 2);
        at += length;
    }
    return joined;
}

QByteArray eapAttributes(const QByteArray &eap)
{
    QByteArray attributes;
    for (const QByteArray &value : EapMessage::attributeValues(eap))
        attributes += FakeReplyServer::attribute(EapMessage::kEapMessageAttribute, value);
    return attributes;
}

// An MS-MPPE key attribute, its value hidden with the secret and the request's
// authenticator under a salt (RFC 2548 section 2.4.2).
QByteArray mppeKeyAttribute(MicrosoftAttribute type, const QByteArray &key, const QByteArray &secret,
                            const QByteArray &requestAuthenticator)
{
    const QByteArray salt = QByteArray::fromHex("8a5c");
    QByteArray plain = QByteArray(1, char(key.size())) + key;
    plain.append(QByteArray((16 - plain.size() % 16) % 16, '\0'));
    QByteArray hidden;
    QByteArray previous = requestAuthenticator + salt;
    for (qsizetype at = 0; at < plain.size(); at += 16) {
        const QByteArray mask = radius::Crypto::md5(secret + previous);
        QByteArray block = plain.mid(at, 16);
        for (int i = 0; i < 16; ++i)
            block[i] = char(block[i] ^ mask[i]);
        hidden += block;
        previous = block;
    }
    const QByteArray vendorValue = salt + hidden;
    const QByteArray vendorAttribute = QByteArray(1, char(type)) + char(vendorValue.size() + 2) + vendorValue;
    return FakeReplyServer::attribute(26, bigEndian(clients::DiameterAvp::kMicrosoft, 4) + vendorAttribute);
}

} // namespace

class TlsEapServer::Session {
public:
    explicit Session(Settings settings) : m_settings(std::move(settings)) {}

    QByteArray reply(const QByteArray &request)
    {
        m_request = request;
        const auto eap = EapMessage::parse(joinedAttributes(request, EapMessage::kEapMessageAttribute));
        if (!eap || eap->code != EapMessage::Response)
            return reject("no EAP response");
        if (eap->type == EapMessage::Identity)
            return m_tls ? reject("a second identity") : start();
        if (eap->type != methodType() || eap->data.isEmpty() || !m_tls)
            return reject("EAP type " + std::to_string(eap->type) + " where ours was due");
        const auto flags = quint8(eap->data[0]);
        const QByteArray payload = eap->data.mid(1 + ((flags & Length) ? 4 : 0));
        if (payload.isEmpty() && !m_outgoing.isEmpty())
            return nextFragment(); // the client took our last one
        m_incoming += payload;
        if (flags & More)
            return challenge(QByteArray(1, '\0'));
        return onMessage(std::exchange(m_incoming, QByteArray()));
    }

    std::string problem;

private:
    quint8 methodType() const
    {
        switch (m_settings.method) {
        case Method::Tls: return 13;
        case Method::Peap: return 25;
        default: return 21;
        }
    }
    bool isTtls() const { return m_settings.method == Method::TtlsMsChapV2 || m_settings.method == Method::TtlsMd5; }
    bool ends(End end) const { return m_settings.end == end; }

    QByteArray start()
    {
        std::string error;
        const QString ca = m_settings.method == Method::Tls ? m_settings.caFile : QString();
        m_tls = TlsServerSession::create({m_settings.certificate, m_settings.key, ca, m_settings.tls13}, error);
        return m_tls ? challenge(QByteArray(1, char(Start))) : reject(error);
    }

    // A whole TLS message from the client: the handshake moves on, the tunnel's data is answered.
    QByteArray onMessage(const QByteArray &records)
    {
        const bool wasEstablished = m_tls->isEstablished();
        std::string error;
        if (!m_tls->receive(records, error))
            return reject(error);
        if (!m_tls->isEstablished())
            return sendRecords();
        const QByteArray plain = m_tls->readPlain();
        std::optional<QByteArray> end;
        if (!wasEstablished)
            end = afterHandshake();
        if (!end && !plain.isEmpty())
            end = onTunnel(plain);
        else if (!end && wasEstablished)
            end = onAcknowledgement();
        return end ? *end : sendRecords();
    }

    std::optional<QByteArray> afterHandshake()
    {
        if (ends(End::AcceptBeforeHandshakeEnd))
            return accept();
        if (m_settings.method == Method::Tls) {
            // RFC 9190 section 2.1.1: no more handshake messages follow.
            if (m_settings.tls13 && !ends(End::NoCommitment))
                write(QByteArray(1, '\0'));
            m_awaiting = Awaiting::AcceptOnAcknowledgement;
        } else if (m_settings.method == Method::Peap) {
            if (m_settings.tls13)
                write(QByteArray(1, char(EapMessage::Identity)));
            else
                m_awaiting = Awaiting::IdentityOnAcknowledgement;
        }
        return std::nullopt;
    }

    std::optional<QByteArray> onAcknowledgement()
    {
        switch (std::exchange(m_awaiting, Awaiting::Nothing)) {
        case Awaiting::AcceptOnAcknowledgement: return accept();
        case Awaiting::IdentityOnAcknowledgement: write(QByteArray(1, char(EapMessage::Identity))); return std::nullopt;
        default: return reject("an empty message where data was due");
        }
    }

    std::optional<QByteArray> onTunnel(const QByteArray &plain)
    {
        switch (m_settings.method) {
        case Method::Peap: return onPeap(plain);
        case Method::TtlsMsChapV2: return onTtlsMsChapV2(plain);
        case Method::TtlsMd5: return onTtlsMd5(plain);
        default: return reject("data inside EAP-TLS");
        }
    }

    // PEAPv0: inner packets without their header, but for the Result TLV.
    std::optional<QByteArray> onPeap(const QByteArray &plain)
    {
        if (plain.size() > 4 && quint8(plain[0]) == EapMessage::Response && quint8(plain[4]) == kResultTlvType) {
            if (!plain.endsWith(bigEndian(m_resultSent, 2)))
                problem = "the client's Result TLV: " + plain.mid(5).toHex().toStdString();
            return accept();
        }
        const auto type = quint8(plain[0]);
        if (type == EapMessage::Identity) {
            if (ends(End::SuccessResultFirst))
                writeResult(1);
            else
                write(QByteArray(1, char(kMsChapV2)) + msChapV2Challenge());
            return std::nullopt;
        }
        const auto op = plain.size() > 1 && type == kMsChapV2 ? quint8(plain[1]) : 0;
        if (op == Response) {
            if (ends(End::AcceptBeforeInnerEnd))
                return accept();
            const QByteArray value = plain.mid(6);
            const auto success = msChapV2Success(value.left(16), value.mid(24, 24));
            if (!success)
                return reject("wrong NT-Response inside PEAP");
            write(QByteArray(1, char(kMsChapV2)) + char(Success) + char(m_innerId)
                  + bigEndian(quint32(4 + success->size()), 2) + *success);
            return std::nullopt;
        }
        if (op == Success) {
            if (ends(End::AcceptWithoutResult))
                return accept();
            writeResult(ends(End::FailureResultThenAccept) ? 2 : 1);
            return std::nullopt;
        }
        return reject("PEAP message not understood: " + plain.toHex().toStdString());
    }

    QByteArray msChapV2Challenge()
    {
        m_challenge = radius::Crypto::randomBytes(mschap::MsChapV2::kChallengeLength);
        const QByteArray value = QByteArray(1, char(m_challenge.size())) + m_challenge + "server";
        return QByteArray(1, char(Challenge)) + char(++m_innerId) + bigEndian(quint32(4 + value.size()), 2) + value;
    }

    // "S=..." when the NT-Response is the password's.
    std::optional<QByteArray> msChapV2Success(const QByteArray &peerChallenge, const QByteArray &ntResponse) const
    {
        using mschap::MsChapV2;
        const QString password = QString::fromUtf8(m_settings.password);
        if (MsChapV2::generateNtResponse(m_challenge, peerChallenge, m_settings.user, password) != ntResponse)
            return std::nullopt;
        return MsChapV2::generateAuthenticatorResponse(password, ntResponse, peerChallenge, m_challenge,
                                                       m_settings.user)
            + " M=welcome";
    }

    void writeResult(quint8 status)
    {
        m_resultSent = status;
        const QByteArray tlv = QByteArray::fromHex("80030002") + bigEndian(status, 2);
        write(EapMessage{EapMessage::Request, ++m_innerId, kResultTlvType, tlv}.encode());
    }

    std::optional<QByteArray> onTtlsMsChapV2(const QByteArray &plain)
    {
        using clients::DiameterAvp;
        if (ends(End::AcceptBeforeInnerEnd))
            return accept();
        const QByteArray implicit = m_tls->exported("ttls challenge", 17, std::nullopt);
        QByteArray challenge;
        QByteArray response;
        for (const DiameterAvp &avp : DiameterAvp::parseAll(plain).value_or(std::vector<DiameterAvp>{})) {
            if (avp.vendor == DiameterAvp::kMicrosoft && avp.code == MsChapChallenge)
                challenge = avp.value;
            if (avp.vendor == DiameterAvp::kMicrosoft && avp.code == MsChap2Response)
                response = avp.value;
        }
        m_challenge = implicit.left(16);
        if (challenge != m_challenge || response.size() != 50 || response[0] != implicit[16])
            return reject("MS-CHAPv2 inside EAP-TTLS without the session's challenge");
        const auto success = msChapV2Success(response.mid(2, 16), response.mid(26, 24));
        if (!success)
            return reject("wrong NT-Response inside EAP-TTLS");
        write(DiameterAvp{MsChap2Success, DiameterAvp::kMicrosoft, response.left(1) + *success}.encode());
        m_awaiting = Awaiting::AcceptOnAcknowledgement;
        return std::nullopt;
    }

    std::optional<QByteArray> onTtlsMd5(const QByteArray &plain)
    {
        using clients::DiameterAvp;
        QByteArray eap;
        for (const DiameterAvp &avp : DiameterAvp::parseAll(plain).value_or(std::vector<DiameterAvp>{}))
            if (avp.vendor == 0 && avp.code == EapMessageAvp)
                eap += avp.value;
        const auto inner = EapMessage::parse(eap);
        if (inner && inner->type == EapMessage::Identity) {
            if (ends(End::AcceptBeforeInnerEnd))
                return accept();
            m_challenge = radius::Crypto::randomBytes(16);
            const EapMessage request{EapMessage::Request, ++m_innerId, EapMessage::Md5Challenge,
                                     QByteArray(1, char(16)) + m_challenge};
            write(DiameterAvp{EapMessageAvp, 0, request.encode()}.encode());
            return std::nullopt;
        }
        const QByteArray expected =
            radius::Crypto::md5(QByteArray(1, char(m_innerId)) + m_settings.password + m_challenge);
        if (inner && inner->type == EapMessage::Md5Challenge && inner->data.mid(1) == expected)
            return accept();
        return reject("EAP-MD5 inside EAP-TTLS not answered with the password");
    }

    void write(const QByteArray &plain)
    {
        if (std::string error; !m_tls->write(plain, error))
            problem = error;
    }

    // RFC 9190 and RFC 9427 under TLS 1.3 (the method's type as context), RFC 5216 and
    // RFC 5281 before; a forging server takes the other or alters it.
    QByteArray masterSessionKey() const
    {
        const bool rfc9190 = m_settings.tls13 != ends(End::WrongKeys);
        QByteArray msk = rfc9190
            ? m_tls->exported("EXPORTER_EAP_TLS_Key_Material", 2 * kMskLength, QByteArray(1, char(methodType())))
                  .left(kMskLength)
            : m_tls->exported(isTtls() ? "ttls keying material" : "client EAP encryption", kMskLength, std::nullopt);
        if (ends(End::WrongKeys) && !m_settings.tls13 && !msk.isEmpty())
            msk[0] = char(msk[0] ^ 1);
        return msk;
    }

    QByteArray challenge(const QByteArray &data)
    {
        const QByteArray eap = EapMessage{EapMessage::Request, ++m_id, methodType(), data}.encode();
        return FakeReplyServer::signedWithMessageAuthenticator(
            m_request, kAccessChallenge, eapAttributes(eap) + FakeReplyServer::attribute(24, "tls-eap-test"),
            m_settings.secret);
    }

    QByteArray accept()
    {
        const QByteArray msk = m_tls->isEstablished() ? masterSessionKey() : QByteArray(kMskLength, '\x11');
        const QByteArray authenticator = m_request.mid(4, 16);
        const QByteArray attributes = eapAttributes(EapMessage{EapMessage::Success, m_id, 0, {}}.encode())
            + mppeKeyAttribute(MppeRecvKey, msk.left(kMppeKeyLength), m_settings.secret, authenticator)
            + mppeKeyAttribute(MppeSendKey, msk.mid(kMppeKeyLength, kMppeKeyLength), m_settings.secret, authenticator);
        return FakeReplyServer::signedWithMessageAuthenticator(m_request, kAccessAccept, attributes, m_settings.secret);
    }

    QByteArray reject(const std::string &why)
    {
        problem = why;
        return FakeReplyServer::signedWithMessageAuthenticator(
            m_request, kAccessReject, eapAttributes(EapMessage{EapMessage::Failure, m_id, 0, {}}.encode()),
            m_settings.secret);
    }

    QByteArray sendRecords()
    {
        m_outgoing += m_tls->takeRecords();
        if (m_outgoing.isEmpty())
            return reject("nothing to send");
        m_sentFirst = false;
        return nextFragment();
    }

    QByteArray nextFragment()
    {
        const bool more = m_outgoing.size() > kFragmentSize;
        QByteArray data(1, '\0');
        if (!m_sentFirst && more)
            data = QByteArray(1, char(Length | More)) + bigEndian(quint32(m_outgoing.size()), 4);
        else if (more)
            data[0] = char(More);
        data += m_outgoing.left(kFragmentSize);
        m_outgoing.remove(0, std::min<qsizetype>(kFragmentSize, m_outgoing.size()));
        m_sentFirst = true;
        return challenge(data);
    }

    enum class Awaiting { Nothing, AcceptOnAcknowledgement, IdentityOnAcknowledgement };

    Settings m_settings;
    std::unique_ptr<TlsServerSession> m_tls;
    Awaiting m_awaiting = Awaiting::Nothing;
    QByteArray m_request;
    quint8 m_id = 0;
    quint8 m_innerId = 0;
    QByteArray m_incoming;
    QByteArray m_outgoing;
    bool m_sentFirst = false;
    QByteArray m_challenge;
    quint8 m_resultSent = 0;
};

TlsEapServer::TlsEapServer(Settings settings) : m_session(std::make_unique<Session>(std::move(settings)))
{
}

TlsEapServer::~TlsEapServer() = default;

QByteArray TlsEapServer::reply(const QByteArray &request)
{
    return m_session->reply(request);
}

std::string TlsEapServer::problem() const
{
    return m_session->problem;
}
