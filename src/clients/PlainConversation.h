#pragma once

#include "clients/Conversation.h"
#include "clients/PacketScript.h"

namespace clients {

// One request, one reply.
class PlainConversation : public Conversation {
public:
    explicit PlainConversation(const PacketTemplate &packet) : m_packet(packet) {}
    std::optional<Outgoing> start(ConsoleOutput &out) override;
    std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) override;
    Outcome outcome() const override { return m_outcome; }

private:
    const PacketTemplate &m_packet;
    Outcome m_outcome = Outcome::Failed;
};

} // namespace clients
