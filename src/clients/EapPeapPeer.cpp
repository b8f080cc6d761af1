#include "clients/EapPeapPeer.h"

#include "clients/PacketLog.h"
#include "radius/PairList.h"

namespace clients {

namespace {

constexpr quint8 kResultTlvType = 33;
constexpr int kHeaderLength = 4;
// Mandatory Result TLV (type 3), two octets of status.
constexpr quint8 kResultTlv[] = {0x80, 0x03, 0x00, 0x02};
constexpr quint8 kSuccess = 1;
constexpr quint8 kFailure = 2;

// A packet with its header: a Request whose length field says its size.
bool hasHeader(const QByteArray &plain)
{
    return plain.size() > kHeaderLength && quint8(plain[0]) == radius::EapMessage::Request
        && ((quint8(plain[2]) << 8) | quint8(plain[3])) == plain.size();
}

} // namespace

EapPeapPeer::EapPeapPeer(tls::TlsEngineSettings settings, QByteArray identity, QString password)
    : EapTlsPeer(std::move(settings), kType), m_identity(identity), m_inner(std::move(identity), std::move(password))
{
}

bool EapPeapPeer::onTunnelData(const QByteArray &plain, PacketLog &log, std::string &error)
{
    using radius::EapMessage;
    const bool full = hasHeader(plain);
    const quint8 id = full ? quint8(plain[1]) : 0;
    const QByteArray body = full ? plain.mid(kHeaderLength) : plain;
    if (body.isEmpty()) {
        error = "empty EAP request inside PEAP";
        return false;
    }
    const auto type = quint8(body[0]);
    if (type == kResultTlvType)
        return answerResult(plain, log, error);
    if (type == EapMessage::Identity)
        return sendInside(QByteArray(1, char(EapMessage::Identity)) + m_identity, error);
    if (type != EapMsChapV2Peer::kType)
        return sendInside(QByteArray(1, char(EapMessage::Nak)) + char(EapMsChapV2Peer::kType), error);
    const auto response = m_inner.respond(EapMessage{EapMessage::Request, id, type, body.mid(1)}, log, error);
    return response && sendInside(QByteArray(1, char(type)) + response->data, error);
}

bool EapPeapPeer::answerResult(const QByteArray &packet, PacketLog &log, std::string &error)
{
    const QByteArray tlv(reinterpret_cast<const char *>(kResultTlv), sizeof(kResultTlv));
    const qsizetype at = kHeaderLength + 1;
    if (!hasHeader(packet) || packet.mid(at, tlv.size()) != tlv || packet.size() < at + tlv.size() + 2) {
        error = "Result TLV inside PEAP not understood";
        return false;
    }
    const auto status = quint8(packet[at + tlv.size() + 1]);
    m_result = status == kSuccess ? Result::Success : Result::Failure;
    log.info(std::string("PEAP result: ") + (m_result == Result::Success ? "success" : "failure"));
    // The TLV back as a response with its header: success only where the inner method
    // has seen the server prove itself.
    const bool confirmed = m_result == Result::Success && m_inner.isVerified();
    QByteArray answer = packet;
    answer[0] = char(radius::EapMessage::Response);
    answer[at + tlv.size() + 1] = char(confirmed ? kSuccess : kFailure);
    return sendInside(answer, error);
}

bool EapPeapPeer::innerSucceeded(PacketLog &log) const
{
    if (m_inner.isVerified() && m_result == Result::Success)
        return true;
    log.error(m_inner.isVerified() ? "Access-Accept without PEAP's success result"
                                   : "Access-Accept before the server proved it knows the password");
    return false;
}

std::string EapPeapPeer::innerRejection() const
{
    const std::string reason = m_inner.rejection(radius::PairList());
    return reason.empty() ? std::string() : ": " + reason;
}

void EapPeapPeer::onReject(const radius::PairList &, PacketLog &log)
{
    if (m_result == Result::Failure)
        log.error("inner EAP-MSCHAPv2 rejected" + innerRejection());
}

} // namespace clients
