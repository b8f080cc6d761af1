#pragma once

#include "radius/Result.h"

#include <QString>

namespace radius {

// One resolved server address, printed as the library prints it ("127.0.0.1", "::1").
struct HostAddress {
    QString text;
    bool ipv6 = false;
};

// IPv4 address of a dotted-decimal text or a host name, through the library's ip_hton.
class HostLookup {
public:
    static Result<quint32> ipv4NetworkOrder(const QString &host);
    // An IPv4 or IPv6 address of a literal or a host name; an IPv6 literal may be written
    // in brackets ("[::1]").
    static Result<HostAddress> address(const QString &host);
    // The host without the brackets of an IPv6 literal ("[::1]" gives "::1").
    static QString withoutBrackets(const QString &host);
};

} // namespace radius
