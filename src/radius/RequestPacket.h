#pragma once

#include "radius/PairList.h"
#include "radius/Result.h"

#include <QByteArray>

#include <memory>

struct pr_packet;

namespace radius {

// A RADIUS packet: a request encoded and signed here (never sent here), or a received
// reply checked against its request.
class RequestPacket {
public:
    enum class Authenticator { Random, Zero };
    explicit RequestPacket(Authenticator authenticator = Authenticator::Random);
    RequestPacket(RequestPacket &&) noexcept = default;
    RequestPacket &operator=(RequestPacket &&) noexcept = default;

    unsigned code() const;
    void setCode(unsigned code);
    int id() const; // -1 until assigned
    void setId(int id);
    QByteArray authenticator() const; // 16 octets
    void setAuthenticator(const QByteArray &sixteenOctets);
    quint16 dstPort() const;
    void setDestination(quint32 ipv4NetworkOrder, quint16 port);
    void setDstPort(quint16 port);

    PairList &pairs() { return m_pairs; }
    const PairList &pairs() const { return m_pairs; }

    // The whole packet's octets, by the library's encoder and signer with secret.
    Result<QByteArray> encode(const QByteArray &secret);
    // The 17-octet CHAP response for password: identifier, then MD5 over identifier,
    // password and CHAP-Challenge (or the authenticator when the pairs hold none).
    Result<QByteArray> chapResponse(int chapId, const QByteArray &password);

    // The octets of the last encoding, or of the reply as received.
    QByteArray octets() const;

    // A datagram with the shape of a RADIUS packet; the failure says what is wrong with it.
    static Result<RequestPacket> parseReply(const QByteArray &datagram);
    // Checks this reply's authenticators against the encoded request and decodes its
    // attributes into pairs().
    Status verifyReply(const RequestPacket &request, const QByteArray &secret);

    // "Access-Request", or the number when the code has no name.
    static QString codeName(unsigned code);
    // Whether a request of the code is dropped without a Message-Authenticator: Status-Server (RFC 5997).
    static bool requiresMessageAuthenticator(unsigned code);

    pr_packet *handle() const { return m_packet.get(); }

private:
    struct Adopt {};
    RequestPacket(Adopt, pr_packet *adopted);
    struct Free {
        void operator()(pr_packet *p) const;
    };
    std::unique_ptr<pr_packet, Free> m_packet;
    PairList m_pairs;
    quint32 m_address = 0;
};

} // namespace radius
