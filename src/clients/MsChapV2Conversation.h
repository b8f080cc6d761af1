#pragma once

#include "clients/Conversation.h"
#include "clients/PacketScript.h"

#include <QString>

namespace clients {

// An Access-Request authenticated with MS-CHAPv2 (RFC 2759, RFC 2548): the packet's
// User-Name and password (MS-CHAP-Password, else User-Password) become MS-CHAP-Challenge
// and MS-CHAP2-Response. An Access-Accept must prove with MS-CHAP2-Success that the
// server knows the password, and its MS-MPPE keys must be the ones the password gives;
// a reject's MS-CHAP-Error is told as a reason.
class MsChapV2Conversation : public Conversation {
public:
    explicit MsChapV2Conversation(const PacketTemplate &packet) : m_packet(packet) {}
    std::optional<Outgoing> start(ConsoleOutput &out) override;
    std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) override;
    Outcome outcome() const override { return m_outcome; }

private:
    bool checkSuccess(const radius::PairList &reply, ConsoleOutput &out);
    bool checkKeys(const radius::PairList &reply, ConsoleOutput &out);
    void tellError(const radius::PairList &reply, ConsoleOutput &out);
    std::optional<Outgoing> fail(const std::string &reason, ConsoleOutput &out);
    std::string packetName() const;

    const PacketTemplate &m_packet;
    QByteArray m_userName;
    QString m_password;
    QByteArray m_authenticatorChallenge;
    QByteArray m_peerChallenge;
    QByteArray m_ntResponse;
    radius::PairList m_request;
    Outcome m_outcome = Outcome::Failed;
};

} // namespace clients
