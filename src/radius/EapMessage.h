#pragma once

#include "radius/Result.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace radius {

class PairList;

// One EAP packet (RFC 3748): code, identifier, and for every code but Success (3) and
// Failure (4) a type with its data. The one encoder of the clients and the raw view.
struct EapMessage {
    enum Code : quint8 { Request = 1, Response = 2, Success = 3, Failure = 4 };
    enum Type : quint8 { Identity = 1, Nak = 3, Md5Challenge = 4, Sim = 18 };

    quint8 code = Response;
    quint8 id = 0;
    quint8 type = 0;
    QByteArray data;

    QByteArray encode() const;
    // None when the octets are no well-formed EAP packet.
    static std::optional<EapMessage> parse(const QByteArray &octets);
    // Appends the encoded packet to pairs as EAP-Message values of at most 253 octets, in order.
    Status appendTo(PairList &pairs) const;
    // Consecutive pieces of at most 253 octets, in order.
    static QList<QByteArray> attributeValues(const QByteArray &packet);

    static constexpr int kMaxAttributeValue = 253;
    static constexpr unsigned kEapMessageAttribute = 79;
};

} // namespace radius
