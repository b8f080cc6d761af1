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

QString HostLookup::withoutBrackets(const QString &host)
{
    QString trimmed = host.trimmed();
    if (trimmed.size() > 2 && trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.mid(1, trimmed.size() - 2);
    return trimmed;
}

Result<HostAddress> HostLookup::address(const QString &host)
{
    const QString bare = withoutBrackets(host);
    if (bare.isEmpty())
        return Result<HostAddress>::failure(QStringLiteral("Empty host name"));
    char err[512] = {};
    char text[64] = {};
    int ipv6 = 0;
    if (pr_ip_lookup(bare.toUtf8().constData(), text, sizeof text, &ipv6, err, sizeof err) < 0)
        return Result<HostAddress>::failure(QString::fromUtf8(err));
    return HostAddress{QString::fromLatin1(text), ipv6 != 0};
}

} // namespace radius
