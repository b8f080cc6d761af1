#pragma once

#include "radius/TransportPairs.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct pel_tr_packet;

namespace radius {

// An encoded, signed request or a received reply.
class TransportPacket {
public:
    // A request from the pairs; on failure the packet is empty and error says why.
    static TransportPacket buildRequest(const TransportPairs &pairs, int code, int id, const std::string &secret,
                                        bool addMessageAuthenticator, std::string *error);
    // A datagram that has the shape of a RADIUS packet; empty otherwise.
    static TransportPacket parseReply(const std::uint8_t *data, std::size_t length, std::string *error);

    TransportPacket() = default;
    bool isNull() const { return !m_packet; }
    int code() const;
    int id() const;
    const std::uint8_t *data() const;
    std::size_t length() const;
    // Checks the reply's authenticators against its request and decodes the attributes.
    bool verifyAgainst(const TransportPacket &request, const std::string &secret, std::string *error);
    std::vector<std::string> attributeLines() const;
    // The first value of an attribute, and all its values joined (EAP-Message); none when absent.
    std::optional<Bytes> attribute(const char *name) const;
    std::optional<Bytes> joinedAttribute(const char *name) const;
    const pel_tr_pairs *pairs() const;

    // "Access-Request", or the number when the code has no name.
    static std::string codeName(int code);

private:
    struct Deleter {
        void operator()(pel_tr_packet *p) const;
    };
    std::unique_ptr<pel_tr_packet, Deleter> m_packet;
};

} // namespace radius
