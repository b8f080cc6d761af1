#include "radius/HostLookup.h"

#include "radius/fr_api.h"

namespace radius {

Result<quint32> HostLookup::ipv4NetworkOrder(const QString &host)
{
    char err[512] = {};
    uint32_t address = 0;
    if (host.trimmed().isEmpty())
        return Result<quint32>::failure(QStringLiteral("Empty host name"));
    if (pr_ipv4_lookup(host.toUtf8().constData(), &address, err, sizeof err) < 0)
        return Result<quint32>::failure(QString::fromUtf8(err));
    return quint32(address);
}

} // namespace radius
