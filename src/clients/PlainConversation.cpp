#include "clients/PlainConversation.h"

namespace clients {

std::optional<Outgoing> PlainConversation::start(ConsoleOutput &)
{
    return Outgoing{&m_packet.pairs, m_packet.code,
                    radius::RequestPacket::requiresMessageAuthenticator(static_cast<unsigned>(m_packet.code))};
}

std::optional<Outgoing> PlainConversation::onReply(const radius::RequestPacket &reply, ConsoleOutput &)
{
    m_outcome = RunStatistics::outcomeOfReply(static_cast<int>(reply.code()));
    return std::nullopt;
}

} // namespace clients
