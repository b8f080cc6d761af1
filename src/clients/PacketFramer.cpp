#include "clients/PacketFramer.h"

namespace clients {

namespace {

constexpr std::size_t kHeader = 4;
constexpr std::size_t kMinPacket = 20;
constexpr std::size_t kMaxPacket = 4096;

} // namespace

std::uint8_t *PacketFramer::reserve(std::size_t size)
{
    if (m_data.size() < m_used + size)
        m_data.resize(m_used + size);
    return m_data.data() + m_used;
}

void PacketFramer::commit(std::size_t written)
{
    m_used += written;
}

bool PacketFramer::deliver(const Handler &handler, std::string &error)
{
    std::size_t at = 0;
    bool framed = true;
    while (m_used - at >= kHeader) {
        const std::size_t length = (std::size_t{m_data[at + 2]} << 8) | m_data[at + 3];
        if (length < kMinPacket || length > kMaxPacket) {
            error = "the server sent a packet of length " + std::to_string(length);
            framed = false;
            break;
        }
        if (m_used - at < length)
            break;
        handler(m_data.data() + at, length);
        at += length;
    }
    m_data.erase(m_data.begin(), m_data.begin() + static_cast<std::ptrdiff_t>(at));
    m_used -= at;
    return framed;
}

} // namespace clients
