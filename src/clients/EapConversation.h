#pragma once

#include "clients/Conversation.h"
#include "clients/EapSimPeer.h"
#include "clients/PacketScript.h"

#include <memory>

namespace clients {

// One EAP authentication over Access-Requests: Identity, then EAP-MD5 or EAP-SIM as the
// packet asks, with State carried from each Access-Challenge and a Message-Authenticator
// on every request. A method the server proposes that the packet does not ask for is
// answered with a Nak naming the wanted one.
class EapConversation : public Conversation {
public:
    explicit EapConversation(const PacketTemplate &packet);
    std::optional<Outgoing> start(ConsoleOutput &out) override;
    std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) override;
    Outcome outcome() const override { return m_outcome; }

    // The method a packet asks for: EAP-SIM when it holds triplets or EAP-Type-SIM, else EAP-MD5.
    static std::uint8_t methodOf(const radius::PairList &pairs);

private:
    std::optional<Outgoing> send(const radius::EapMessage &message, ConsoleOutput &out);
    std::optional<radius::EapMessage> answer(const radius::EapMessage &request, ConsoleOutput &out);
    std::optional<Outgoing> fail(const std::string &reason, ConsoleOutput &out);

    const PacketTemplate &m_packet;
    std::uint8_t m_method;
    QByteArray m_identity;
    QByteArray m_password;
    std::unique_ptr<EapSimPeer> m_sim;
    std::optional<QByteArray> m_state;
    radius::PairList m_request;
    Outcome m_outcome = Outcome::Failed;
};

} // namespace clients
