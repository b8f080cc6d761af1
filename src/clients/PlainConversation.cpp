#include "clients/PlainConversation.h"

namespace clients {

namespace {
constexpr int kStatusServer = 12;
}

std::optional<Outgoing> PlainConversation::start(ConsoleOutput &)
{
    // Servers drop a Status-Server without a Message-Authenticator (RFC 5997).
    return Outgoing{&m_packet.pairs, m_packet.code, m_packet.code == kStatusServer};
}

std::optional<Outgoing> PlainConversation::onReply(const radius::RequestPacket &reply, ConsoleOutput &)
{
    m_outcome = RunStatistics::outcomeOfReply(static_cast<int>(reply.code()));
    return std::nullopt;
}

} // namespace clients
