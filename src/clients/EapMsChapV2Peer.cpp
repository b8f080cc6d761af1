#include "clients/EapMsChapV2Peer.h"

#include "clients/MppeKeyCheck.h"
#include "clients/PacketLog.h"
#include "mschap/MppeKeys.h"
#include "mschap/MsChapError.h"
#include "mschap/MsChapSuccess.h"
#include "mschap/MsChapV2.h"
#include "radius/Crypto.h"
#include "radius/PairList.h"

namespace clients {

namespace {

enum OpCode : quint8 { Challenge = 1, Response = 2, Success = 3, Failure = 4 };

// OpCode, MS-CHAPv2-ID and MS-Length come before every message's value.
constexpr int kHeaderLength = 4;
// Peer challenge, 8 reserved octets, NT-Response, flags.
constexpr int kResponseValueSize = 49;

QByteArray header(quint8 opCode, quint8 id, qsizetype length)
{
    QByteArray octets;
    octets.append(char(opCode)).append(char(id)).append(char((length >> 8) & 0xff)).append(char(length & 0xff));
    return octets;
}

} // namespace

EapMsChapV2Peer::EapMsChapV2Peer(QByteArray userName, QString password)
    : m_userName(std::move(userName)), m_password(std::move(password))
{
}

std::optional<radius::EapMessage> EapMsChapV2Peer::respond(const radius::EapMessage &request, PacketLog &log,
                                                           std::string &error)
{
    if (request.data.isEmpty()) {
        error = "empty EAP-MSCHAPv2 request";
        return std::nullopt;
    }
    std::optional<QByteArray> data;
    switch (quint8(request.data[0])) {
    case Challenge: data = challenge(request.data, error); break;
    case Success: data = success(request.data, log, error); break;
    case Failure: data = failure(request.data); break;
    default: error = "EAP-MSCHAPv2 request with the unknown op-code " + std::to_string(quint8(request.data[0]));
    }
    if (!data)
        return std::nullopt;
    return radius::EapMessage{radius::EapMessage::Response, request.id, kType, *data};
}

std::optional<QByteArray> EapMsChapV2Peer::challenge(const QByteArray &data, std::string &error)
{
    using mschap::MsChapV2;
    if (data.size() < kHeaderLength + 1 + MsChapV2::kChallengeLength
        || quint8(data[kHeaderLength]) != MsChapV2::kChallengeLength) {
        error = "malformed EAP-MSCHAPv2 challenge";
        return std::nullopt;
    }
    m_authenticatorChallenge = data.mid(kHeaderLength + 1, MsChapV2::kChallengeLength);
    m_peerChallenge = radius::Crypto::randomBytes(MsChapV2::kChallengeLength);
    m_ntResponse = MsChapV2::generateNtResponse(m_authenticatorChallenge, m_peerChallenge, m_userName, m_password);
    if (m_ntResponse.isEmpty()) {
        error = "cannot compute the MS-CHAPv2 NT-Response";
        return std::nullopt;
    }
    const QByteArray value = QByteArray(1, char(kResponseValueSize)) + m_peerChallenge + QByteArray(8, '\0')
        + m_ntResponse + QByteArray(1, '\0') + m_userName;
    return header(Response, quint8(data[1]), kHeaderLength + value.size()) + value;
}

std::optional<QByteArray> EapMsChapV2Peer::success(const QByteArray &data, PacketLog &log, std::string &error)
{
    QString why;
    const auto message = mschap::MsChapSuccess::parse(data.mid(kHeaderLength), &why);
    if (!message) {
        error = "EAP-MSCHAPv2 success message not understood (" + why.toStdString()
            + "): " + data.mid(kHeaderLength).toStdString();
        return std::nullopt;
    }
    if (m_ntResponse.isEmpty()
        || !mschap::MsChapV2::checkAuthenticatorResponse(message->authenticatorResponse, m_password, m_ntResponse,
                                                         m_peerChallenge, m_authenticatorChallenge, m_userName)) {
        error =
            "EAP-MSCHAPv2 success message holds a wrong authenticator response: the server does not know the "
            "password";
        return std::nullopt;
    }
    m_verified = true;
    log.info("EAP-MSCHAPv2 success verified"
             + (message->message.isEmpty() ? std::string() : ": " + message->message.toStdString()));
    return QByteArray(1, char(Success));
}

QByteArray EapMsChapV2Peer::failure(const QByteArray &data)
{
    const QByteArray text = data.mid(kHeaderLength);
    QString why;
    const auto message = mschap::MsChapError::parse(text, &why);
    m_rejection = message ? message->reason().toStdString() : text.toStdString();
    return QByteArray(1, char(Failure));
}

bool EapMsChapV2Peer::checkAccept(const radius::PairList &reply, PacketLog &log)
{
    if (!m_verified) {
        log.error("Access-Accept before the server proved it knows the password");
        return false;
    }
    const auto expected = mschap::MppeKeys::serverKeys(
        mschap::MsChapV2::hashNtPasswordHash(mschap::MsChapV2::ntPasswordHash(m_password)), m_ntResponse);
    return mppeKeysMatch(reply, expected.sendKey, expected.receiveKey, "the password", log);
}

std::string EapMsChapV2Peer::rejection(const radius::PairList &reply) const
{
    if (!m_rejection.empty())
        return m_rejection;
    // FreeRADIUS rejects at once, with the failure message in the reply.
    const auto value = reply.value("MS-CHAP-Error");
    if (!value)
        return {};
    const auto error = mschap::MsChapError::parseAttribute(*value);
    return error ? error->reason().toStdString() : value->toStdString();
}

void EapMsChapV2Peer::onReject(const radius::PairList &reply, PacketLog &log)
{
    if (const std::string reason = rejection(reply); !reason.empty())
        log.info("rejected: " + reason);
}

} // namespace clients
