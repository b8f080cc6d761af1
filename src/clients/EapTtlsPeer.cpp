#include "clients/EapTtlsPeer.h"

#include "clients/DiameterAvps.h"
#include "clients/PacketLog.h"
#include "mschap/MsChapSuccess.h"
#include "mschap/MsChapV2.h"
#include "radius/Crypto.h"

namespace clients {

namespace {

enum AvpCode : quint32 {
    UserName = 1,
    UserPassword = 2,
    EapMessageAvp = 79,
    MsChapChallenge = 11, // Microsoft
    MsChap2Response = 25, // Microsoft
    MsChap2Success = 26,  // Microsoft
};

// 16 octets of challenge and the identifier octet.
constexpr int kImplicitChallengeLength = 17;

} // namespace

EapTtlsPeer::EapTtlsPeer(tls::TlsEngineSettings settings, EapOptions::Inner inner, QByteArray identity,
                         QByteArray password)
    : EapTlsPeer(std::move(settings), kType), m_inner(inner), m_identity(std::move(identity)), m_password(password),
      m_md5(std::move(password))
{
}

std::string EapTtlsPeer::innerName() const
{
    switch (m_inner) {
    case EapOptions::Inner::Pap: return "PAP";
    case EapOptions::Inner::Md5: return "EAP-MD5";
    default: return "MS-CHAPv2";
    }
}

bool EapTtlsPeer::onEstablished(PacketLog &, std::string &error)
{
    const QByteArray name = DiameterAvp{UserName, 0, m_identity}.encode();
    switch (m_inner) {
    case EapOptions::Inner::Pap: return sendInside(name + DiameterAvp{UserPassword, 0, m_password}.encode(), error);
    case EapOptions::Inner::Md5: {
        const radius::EapMessage identity{radius::EapMessage::Response, 0, radius::EapMessage::Identity, m_identity};
        return sendInside(name + DiameterAvp{EapMessageAvp, 0, identity.encode()}.encode(), error);
    }
    default: return startMsChapV2(error);
    }
}

bool EapTtlsPeer::startMsChapV2(std::string &error)
{
    using mschap::MsChapV2;
    const QByteArray implicit = exportKeys("ttls challenge", kImplicitChallengeLength);
    if (implicit.size() != kImplicitChallengeLength) {
        error = "cannot take the MS-CHAPv2 challenge from the TLS session";
        return false;
    }
    m_authenticatorChallenge = implicit.left(MsChapV2::kChallengeLength);
    m_peerChallenge = radius::Crypto::randomBytes(MsChapV2::kChallengeLength);
    const QString password = QString::fromUtf8(m_password);
    m_ntResponse = MsChapV2::generateNtResponse(m_authenticatorChallenge, m_peerChallenge, m_identity, password);
    if (m_ntResponse.isEmpty()) {
        error = "cannot compute the MS-CHAPv2 NT-Response";
        return false;
    }
    // Identifier, flags, peer challenge, 8 reserved octets, NT-Response.
    const QByteArray response =
        implicit.right(1) + QByteArray(1, '\0') + m_peerChallenge + QByteArray(8, '\0') + m_ntResponse;
    return sendInside(DiameterAvp{UserName, 0, m_identity}.encode()
                          + DiameterAvp{MsChapChallenge, DiameterAvp::kMicrosoft, m_authenticatorChallenge}.encode()
                          + DiameterAvp{MsChap2Response, DiameterAvp::kMicrosoft, response}.encode(),
                      error);
}

bool EapTtlsPeer::onTunnelData(const QByteArray &plain, PacketLog &log, std::string &error)
{
    const auto avps = DiameterAvp::parseAll(plain);
    if (!avps) {
        error = "malformed AVPs inside EAP-TTLS";
        return false;
    }
    QByteArray eap;
    for (const DiameterAvp &avp : *avps) {
        if (avp.vendor == DiameterAvp::kMicrosoft && avp.code == MsChap2Success
            && !checkMsChapV2Success(avp.value, log, error))
            return false;
        if (avp.vendor == 0 && avp.code == EapMessageAvp)
            eap += avp.value;
    }
    // Nothing to send back: the acknowledgement follows.
    return eap.isEmpty() || answerEap(eap, log, error);
}

bool EapTtlsPeer::checkMsChapV2Success(const QByteArray &value, PacketLog &log, std::string &error)
{
    QString why;
    const auto success = mschap::MsChapSuccess::parseAttribute(value, &why);
    if (!success) {
        error = "MS-CHAP2-Success inside EAP-TTLS not understood (" + why.toStdString() + ")";
        return false;
    }
    if (!mschap::MsChapV2::checkAuthenticatorResponse(success->authenticatorResponse, QString::fromUtf8(m_password),
                                                      m_ntResponse, m_peerChallenge, m_authenticatorChallenge,
                                                      m_identity)) {
        error =
            "MS-CHAP2-Success inside EAP-TTLS holds a wrong authenticator response: the server does not know "
            "the password";
        return false;
    }
    m_verified = true;
    log.info("inner MS-CHAPv2 success verified");
    return true;
}

bool EapTtlsPeer::answerEap(const QByteArray &packet, PacketLog &log, std::string &error)
{
    using radius::EapMessage;
    const auto request = EapMessage::parse(packet);
    if (!request || request->code != EapMessage::Request) {
        // An inner EAP-Success needs no answer.
        if (request && request->code == EapMessage::Success)
            return true;
        error = "no EAP request inside EAP-TTLS";
        return false;
    }
    std::optional<EapMessage> response;
    if (request->type == EapMessage::Identity)
        response = EapMessage{EapMessage::Response, request->id, EapMessage::Identity, m_identity};
    else if (request->type == EapMessage::Md5Challenge) {
        response = m_md5.respond(*request, log, error);
        m_md5Answered = response.has_value();
    } else
        response = EapMessage{EapMessage::Response, request->id, EapMessage::Nak,
                              QByteArray(1, char(EapMessage::Md5Challenge))};
    // The name goes with every message: the server's inner request knows the user only by it.
    return response
        && sendInside(DiameterAvp{UserName, 0, m_identity}.encode()
                          + DiameterAvp{EapMessageAvp, 0, response->encode()}.encode(),
                      error);
}

bool EapTtlsPeer::innerSucceeded(PacketLog &log) const
{
    if (m_inner == EapOptions::Inner::MsChapV2 && !m_verified) {
        log.error("Access-Accept before the server proved it knows the password");
        return false;
    }
    // EAP-MD5 proves nothing of the server, but a server that never asked has checked nothing.
    if (m_inner == EapOptions::Inner::Md5 && !m_md5Answered) {
        log.error("Access-Accept before the inner EAP-MD5 was answered");
        return false;
    }
    return true;
}

void EapTtlsPeer::onReject(const radius::PairList &, PacketLog &log)
{
    if (isEstablished())
        log.error("inner " + innerName() + " rejected");
}

} // namespace clients
