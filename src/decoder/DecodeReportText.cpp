#include "decoder/DecodeReportText.h"

namespace decoder {

namespace {

QString hex(const QByteArray &octets)
{
    return QStringLiteral("0x") + QString::fromLatin1(octets.toHex());
}

QString field(const char *label, const QString &value)
{
    return QString::fromLatin1(label).leftJustified(24) + QStringLiteral(": ") + value;
}

QStringList header(const DecodedPacket &p)
{
    QStringList out;
    if (p.code)
        out << field("Code",
                     p.codeName.isEmpty() ? QString::number(*p.code)
                                          : QStringLiteral("%1 (%2)").arg(*p.code).arg(p.codeName));
    if (p.identifier)
        out << field("Identifier",
                     QStringLiteral("%1 (0x%2)").arg(*p.identifier).arg(*p.identifier, 2, 16, QLatin1Char('0')));
    if (p.declaredLength)
        out << field("Length", QStringLiteral("%1 (%2 octets given)").arg(*p.declaredLength).arg(p.octetCount));
    if (p.octetCount > 4)
        out << field("Authenticator", hex(p.authenticator));
    return out;
}

QStringList attributes(const DecodedPacket &p)
{
    QStringList out{QStringLiteral("Attributes:")};
    if (p.attributes.empty())
        out << QStringLiteral("  none");
    for (const AttributeEntry &a : p.attributes) {
        out << QStringLiteral("  Offset %1: type %2, length %3").arg(a.offset).arg(a.type).arg(a.length);
        for (const QByteArray &pair : a.pairs)
            out << QStringLiteral("      ") + QString::fromUtf8(pair);
        if (!a.error.isEmpty())
            out << QStringLiteral("      Error: ") + a.error;
    }
    return out;
}

} // namespace

QString DecodeReportText::checkText(const AuthenticatorCheck &check)
{
    switch (check.state) {
    case AuthenticatorCheck::State::Valid: return QStringLiteral("valid");
    case AuthenticatorCheck::State::Invalid: return QStringLiteral("invalid, expected ") + hex(check.expected);
    case AuthenticatorCheck::State::Absent: return QStringLiteral("absent");
    case AuthenticatorCheck::State::NotChecked: break;
    }
    return QStringLiteral("not checked: ") + check.reason;
}

QStringList DecodeReportText::lines(const DecodedPacket &packet)
{
    QStringList out = header(packet);
    out << field(packet.isReply ? "Response Authenticator" : "Request Authenticator",
                 checkText(packet.packetAuthenticator));
    out << field("Message-Authenticator", checkText(packet.messageAuthenticator));
    out << attributes(packet);
    if (packet.faults.isEmpty()) {
        out << QStringLiteral("Faults: none");
    } else {
        out << QStringLiteral("Faults:");
        for (const QString &fault : packet.faults)
            out << QStringLiteral("  ") + fault;
    }
    return out;
}

} // namespace decoder
