#include "clients/EapMessage.h"

namespace clients {

radius::Bytes EapMessage::encode() const
{
    const bool typed = code == Request || code == Response;
    const std::size_t length = typed ? 5 + data.size() : 4;
    radius::Bytes out{code, id, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length & 0xff)};
    if (typed) {
        out.push_back(type);
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

std::optional<EapMessage> EapMessage::parse(const radius::Bytes &octets)
{
    if (octets.size() < 4) return std::nullopt;
    const std::size_t length = (std::size_t{octets[2]} << 8) | octets[3];
    if (length < 4 || length > octets.size()) return std::nullopt;
    EapMessage message;
    message.code = octets[0];
    message.id = octets[1];
    if (message.code == Request || message.code == Response) {
        if (length < 5) return std::nullopt;
        message.type = octets[4];
        message.data.assign(octets.begin() + 5, octets.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return message;
}

} // namespace clients
