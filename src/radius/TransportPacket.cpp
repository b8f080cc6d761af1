#include "radius/TransportPacket.h"

#include "radius/transport_radius.h"

namespace radius {

void TransportPacket::Deleter::operator()(pel_tr_packet *p) const
{
    pel_tr_packet_free(p);
}

TransportPacket TransportPacket::buildRequest(const TransportPairs &pairs, int code, int id,
                                              const std::string &secret, bool addMessageAuthenticator,
                                              std::string *error)
{
    char err[512] = {};
    TransportPacket packet;
    packet.m_packet.reset(pel_tr_request_build(pairs.handle(), code, id, secret.c_str(),
                                               addMessageAuthenticator ? 1 : 0, err, sizeof(err)));
    if (!packet.m_packet && error) *error = err;
    return packet;
}

TransportPacket TransportPacket::parseReply(const std::uint8_t *data, std::size_t length, std::string *error)
{
    char err[512] = {};
    TransportPacket packet;
    packet.m_packet.reset(pel_tr_reply_parse(data, length, err, sizeof(err)));
    if (!packet.m_packet && error) *error = err;
    return packet;
}

int TransportPacket::code() const
{
    return pel_tr_packet_code(m_packet.get());
}

int TransportPacket::id() const
{
    return pel_tr_packet_id(m_packet.get());
}

const std::uint8_t *TransportPacket::data() const
{
    std::size_t len = 0;
    return pel_tr_packet_data(m_packet.get(), &len);
}

std::size_t TransportPacket::length() const
{
    std::size_t len = 0;
    pel_tr_packet_data(m_packet.get(), &len);
    return len;
}

bool TransportPacket::verifyAgainst(const TransportPacket &request, const std::string &secret, std::string *error)
{
    char err[512] = {};
    if (pel_tr_reply_verify(m_packet.get(), request.m_packet.get(), secret.c_str(), err, sizeof(err)) == 0)
        return true;
    if (error) *error = err;
    return false;
}

std::vector<std::string> TransportPacket::attributeLines() const
{
    return TransportPairs::linesOf(pairs());
}

std::optional<Bytes> TransportPacket::attribute(const char *name) const
{
    return TransportPairs::bytesOf(pairs(), name);
}

std::optional<Bytes> TransportPacket::joinedAttribute(const char *name) const
{
    return TransportPairs::joinedOf(pairs(), name);
}

const pel_tr_pairs *TransportPacket::pairs() const
{
    return pel_tr_packet_pairs(m_packet.get());
}

std::string TransportPacket::codeName(int code)
{
    const char *name = pel_tr_code_name(code);
    return name ? std::string(name) : std::to_string(code);
}

} // namespace radius
