#include "radius/AttributeValueCheck.h"

#include "radius/Dictionary.h"
#include "radius/PairList.h"

#include <arpa/inet.h>

namespace radius {

namespace {
bool holdsData(AttributeType type)
{
    return type == AttributeType::String || type == AttributeType::Octets || type == AttributeType::Abinary;
}

// The library resolves a name it cannot read as an address, which would block the window
// on the network; digits, dots and colons must form an address of the right family here.
bool literalAddressFails(ValueForm form, const QByteArray &value)
{
    const bool prefix = form == ValueForm::Ipv4Prefix || form == ValueForm::Ipv6Prefix || form == ValueForm::IpPrefix;
    const bool address =
        form == ValueForm::Ipv4Address || form == ValueForm::Ipv6Address || form == ValueForm::IpAddress;
    if (!prefix && !address)
        return false;
    QByteArray host = value.trimmed();
    if (prefix) {
        const qsizetype slash = host.indexOf('/');
        if (slash >= 0)
            host.truncate(slash);
    }
    for (const char c : std::as_const(host))
        if (!(c == '.' || c == ':' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false; // a host name: left to the library and the clients
    unsigned char buffer[16];
    const bool v4 = inet_pton(AF_INET, host.constData(), buffer) == 1;
    const bool v6 = !v4 && inet_pton(AF_INET6, host.constData(), buffer) == 1;
    if (form == ValueForm::Ipv4Address || form == ValueForm::Ipv4Prefix)
        return !v4;
    if (form == ValueForm::Ipv6Address || form == ValueForm::Ipv6Prefix)
        return !v6;
    return !v4 && !v6;
}
} // namespace

std::optional<AttributeInfo> AttributeValueCheck::attribute(const QString &name)
{
    if (name.trimmed().isEmpty() || !Dictionary::isLoaded())
        return std::nullopt;
    return Dictionary::attribute(name.trimmed());
}

ValueVerdict AttributeValueCheck::check(const QString &name, const QByteArray &value)
{
    ValueVerdict verdict;
    verdict.octets = value.size();
    const std::optional<AttributeInfo> info = attribute(name);
    if (!info) {
        verdict.outcome = ValueVerdict::Outcome::NotInDictionary;
        return verdict;
    }
    verdict.attribute = *info;
    verdict.form = formOf(info->type);
    if (holdsData(info->type) && value.size() > MaxOctets) {
        verdict.outcome = ValueVerdict::Outcome::TooLong;
        return verdict;
    }
    if (literalAddressFails(verdict.form, value)) {
        verdict.outcome = ValueVerdict::Outcome::WrongForm;
        return verdict;
    }
    PairList pairs;
    const Status added = pairs.add(info->name.toUtf8(), value);
    if (!added) {
        verdict.outcome = ValueVerdict::Outcome::WrongForm;
        verdict.libraryText = added.error();
    }
    return verdict;
}

ValueForm AttributeValueCheck::formOf(AttributeType type)
{
    switch (type) {
    case AttributeType::String: return ValueForm::Text;
    case AttributeType::Integer:
    case AttributeType::Byte:
    case AttributeType::Short:
    case AttributeType::Signed:
    case AttributeType::Integer64: return ValueForm::Number;
    case AttributeType::Ipv4Address: return ValueForm::Ipv4Address;
    case AttributeType::Ipv6Address: return ValueForm::Ipv6Address;
    case AttributeType::ComboIpAddress: return ValueForm::IpAddress;
    case AttributeType::Ipv4Prefix: return ValueForm::Ipv4Prefix;
    case AttributeType::Ipv6Prefix: return ValueForm::Ipv6Prefix;
    case AttributeType::ComboIpPrefix: return ValueForm::IpPrefix;
    case AttributeType::Date: return ValueForm::Date;
    case AttributeType::Octets: return ValueForm::HexOctets;
    case AttributeType::Ethernet: return ValueForm::Ethernet;
    case AttributeType::Ifid: return ValueForm::InterfaceId;
    default: return ValueForm::Other;
    }
}

QString AttributeValueCheck::typeName(AttributeType type)
{
    switch (type) {
    case AttributeType::String: return QStringLiteral("string");
    case AttributeType::Integer: return QStringLiteral("integer");
    case AttributeType::Ipv4Address: return QStringLiteral("ipaddr");
    case AttributeType::Date: return QStringLiteral("date");
    case AttributeType::Abinary: return QStringLiteral("abinary");
    case AttributeType::Octets: return QStringLiteral("octets");
    case AttributeType::Ifid: return QStringLiteral("ifid");
    case AttributeType::Ipv6Address: return QStringLiteral("ipv6addr");
    case AttributeType::Ipv6Prefix: return QStringLiteral("ipv6prefix");
    case AttributeType::Byte: return QStringLiteral("byte");
    case AttributeType::Short: return QStringLiteral("short");
    case AttributeType::Ethernet: return QStringLiteral("ether");
    case AttributeType::Signed: return QStringLiteral("signed");
    case AttributeType::ComboIpAddress: return QStringLiteral("combo-ip");
    case AttributeType::Tlv: return QStringLiteral("tlv");
    case AttributeType::Extended: return QStringLiteral("extended");
    case AttributeType::LongExtended: return QStringLiteral("long-extended");
    case AttributeType::Evs: return QStringLiteral("evs");
    case AttributeType::Integer64: return QStringLiteral("integer64");
    case AttributeType::Ipv4Prefix: return QStringLiteral("ipv4prefix");
    case AttributeType::Vsa: return QStringLiteral("vsa");
    case AttributeType::Timeval: return QStringLiteral("timeval");
    case AttributeType::Boolean: return QStringLiteral("boolean");
    case AttributeType::ComboIpPrefix: return QStringLiteral("combo-prefix");
    default: return QString();
    }
}

} // namespace radius
