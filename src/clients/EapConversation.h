#pragma once

#include "clients/Conversation.h"
#include "clients/EapMessage.h"
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
    std::optional<Outgoing> onReply(const radius::TransportPacket &reply, ConsoleOutput &out) override;
    Outcome outcome() const override { return m_outcome; }

    // The method a packet asks for: EAP-SIM when it holds triplets or EAP-Type-SIM, else EAP-MD5.
    static std::uint8_t methodOf(const radius::TransportPairs &pairs);

private:
    std::optional<Outgoing> send(const EapMessage &message, ConsoleOutput &out);
    std::optional<EapMessage> answer(const EapMessage &request, ConsoleOutput &out);
    std::optional<Outgoing> fail(const std::string &reason, ConsoleOutput &out);

    const PacketTemplate &m_packet;
    std::uint8_t m_method;
    radius::Bytes m_identity;
    radius::Bytes m_password;
    std::unique_ptr<EapSimPeer> m_sim;
    radius::Bytes m_state;
    bool m_hasState = false;
    radius::TransportPairs m_request;
    Outcome m_outcome = Outcome::Failed;
};

} // namespace clients
