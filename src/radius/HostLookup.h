#pragma once

#include "radius/Result.h"

#include <QString>

namespace radius {

// IPv4 address of a dotted-decimal text or a host name, through the library's ip_hton.
class HostLookup {
public:
    static Result<quint32> ipv4NetworkOrder(const QString &host);
};

} // namespace radius
