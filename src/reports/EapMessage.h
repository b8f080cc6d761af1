#pragma once

#include <QByteArray>
#include <QList>

namespace reports {

// An EAP packet (RFC 3748) as the raw page composes it from a request's EAP attributes,
// and its split into EAP-Message attribute values.
class EapMessage {
public:
    // Request (1) and Response (2) carry type and data; Success (3) and Failure (4) are
    // the four-octet header alone.
    static QByteArray packet(int code, int identifier, int type, const QByteArray &data);
    // Consecutive pieces of at most 253 octets, in order.
    static QList<QByteArray> attributeValues(const QByteArray &packet);

    static constexpr int kMaxAttributeValue = 253;
};

} // namespace reports
