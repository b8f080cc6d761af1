#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace clients {

// Diameter AVPs as EAP-TTLS carries RADIUS attributes inside its tunnel (RFC 5281
// section 10): code, flags (V 0x80, M 0x40), a 3-octet length, a vendor when V is set,
// the value, padding to four octets.
struct DiameterAvp {
    quint32 code = 0;
    quint32 vendor = 0; // 0: none
    QByteArray value;

    static constexpr quint32 kMicrosoft = 311;

    // Mandatory, with the vendor flag when there is a vendor.
    QByteArray encode() const;
    // Every AVP of the data; none when one is malformed.
    static std::optional<std::vector<DiameterAvp>> parseAll(const QByteArray &data);
};

} // namespace clients
