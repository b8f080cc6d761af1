#include "clients/MsChapV2Conversation.h"

#include "clients/ConsoleOutput.h"
#include "clients/MppeKeyCheck.h"
#include "clients/PacketLog.h"
#include "mschap/LegacyCrypto.h"
#include "mschap/MppeKeys.h"
#include "mschap/MsChapError.h"
#include "mschap/MsChapSuccess.h"
#include "mschap/MsChapV2.h"
#include "radius/Crypto.h"

namespace clients {

namespace {

constexpr int kAccessRequest = 1;
constexpr unsigned kAccessAccept = 2;
constexpr unsigned kAccessReject = 3;

// Ours to set, or never to be sent beside MS-CHAP.
const QByteArray kReplaced[] = {"User-Password", "CHAP-Password", "MS-CHAP-Password", "MS-CHAP-Challenge",
                                "MS-CHAP2-Response"};

} // namespace

std::string MsChapV2Conversation::packetName() const
{
    return "Packet " + std::to_string(m_packet.number);
}

std::optional<Outgoing> MsChapV2Conversation::start(ConsoleOutput &out)
{
    if (const std::string error = mschap::LegacyCrypto::error(); !error.empty())
        return fail(error, out);
    const radius::PairList &pairs = m_packet.pairs;
    m_userName = pairs.value("User-Name").value_or(QByteArray());
    if (m_userName.isEmpty())
        return fail("no User-Name for MS-CHAPv2", out);
    auto password = pairs.value("MS-CHAP-Password");
    if (!password)
        password = pairs.value("User-Password");
    if (!password)
        return fail("no MS-CHAP-Password or User-Password for MS-CHAPv2", out);
    m_password = QString::fromUtf8(*password);
    // A 16-octet MS-CHAP-Challenge in the file is used as it stands, so a run can be repeated.
    const auto given = pairs.value("MS-CHAP-Challenge");
    m_authenticatorChallenge = given && given->size() == mschap::MsChapV2::kChallengeLength
        ? *given
        : radius::Crypto::randomBytes(mschap::MsChapV2::kChallengeLength);
    m_peerChallenge = radius::Crypto::randomBytes(mschap::MsChapV2::kChallengeLength);
    m_ntResponse =
        mschap::MsChapV2::generateNtResponse(m_authenticatorChallenge, m_peerChallenge, m_userName, m_password);
    if (m_ntResponse.isEmpty())
        return fail("cannot compute the MS-CHAPv2 NT-Response", out);

    m_request = pairs.copy();
    for (const QByteArray &name : kReplaced)
        m_request.removeAll(name);
    // Identifier, flags, peer challenge, 8 reserved octets, NT-Response.
    const QByteArray identifier = radius::Crypto::randomBytes(1);
    const QByteArray response = identifier + QByteArray(1, '\0') + m_peerChallenge + QByteArray(8, '\0') + m_ntResponse;
    radius::Status added = m_request.addOctets("MS-CHAP-Challenge", m_authenticatorChallenge);
    if (added)
        added = m_request.addOctets("MS-CHAP2-Response", response);
    if (!added)
        return fail(added.error().toStdString(), out);
    return Outgoing{&m_request, kAccessRequest,
                    radius::RequestPacket::requiresMessageAuthenticator(static_cast<unsigned>(kAccessRequest))};
}

std::optional<Outgoing> MsChapV2Conversation::onReply(const radius::RequestPacket &reply, ConsoleOutput &out)
{
    m_outcome = RunStatistics::outcomeOfReply(static_cast<int>(reply.code()));
    if (reply.code() == kAccessAccept && !(checkSuccess(reply.pairs(), out) && checkKeys(reply.pairs(), out)))
        m_outcome = Outcome::Failed;
    else if (reply.code() == kAccessReject)
        tellError(reply.pairs(), out);
    return std::nullopt;
}

bool MsChapV2Conversation::checkSuccess(const radius::PairList &reply, ConsoleOutput &out)
{
    const auto value = reply.value("MS-CHAP2-Success");
    if (!value) {
        out.error(packetName()
                  + ": Access-Accept without MS-CHAP2-Success: the server did not prove it knows the password");
        return false;
    }
    QString why;
    const auto success = mschap::MsChapSuccess::parseAttribute(*value, &why);
    if (!success) {
        out.error(packetName() + ": MS-CHAP2-Success not understood (" + why.toStdString()
                  + "): " + value->toStdString());
        return false;
    }
    if (!mschap::MsChapV2::checkAuthenticatorResponse(success->authenticatorResponse, m_password, m_ntResponse,
                                                      m_peerChallenge, m_authenticatorChallenge, m_userName)) {
        out.error(packetName() + ": MS-CHAP2-Success holds a wrong authenticator response: the server does not know "
                                 "the password");
        return false;
    }
    out.info(packetName() + ": MS-CHAP2-Success verified"
             + (success->message.isEmpty() ? std::string() : ": " + success->message.toStdString()));
    return true;
}

bool MsChapV2Conversation::checkKeys(const radius::PairList &reply, ConsoleOutput &out)
{
    const auto expected = mschap::MppeKeys::serverKeys(
        mschap::MsChapV2::hashNtPasswordHash(mschap::MsChapV2::ntPasswordHash(m_password)), m_ntResponse);
    PacketLog log(out, m_packet.number);
    return mppeKeysMatch(reply, expected.sendKey, expected.receiveKey, "the password", log);
}

void MsChapV2Conversation::tellError(const radius::PairList &reply, ConsoleOutput &out)
{
    const auto value = reply.value("MS-CHAP-Error");
    if (!value)
        return;
    QString why;
    if (const auto error = mschap::MsChapError::parseAttribute(*value, &why))
        out.info(packetName() + ": rejected: " + error->reason().toStdString());
    else
        out.warning(packetName() + ": MS-CHAP-Error not understood (" + why.toStdString()
                    + "): " + value->toStdString());
}

std::optional<Outgoing> MsChapV2Conversation::fail(const std::string &reason, ConsoleOutput &out)
{
    out.error(packetName() + ": " + reason);
    m_outcome = Outcome::Failed;
    return std::nullopt;
}

} // namespace clients
