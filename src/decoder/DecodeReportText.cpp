#include "decoder/DecodeReportText.h"

#include "textcolumns/DisplayColumns.h"

namespace decoder {

namespace {

QString hex(const QByteArray &octets)
{
    return QStringLiteral("0x") + QString::fromLatin1(octets.toHex());
}

// The report's own words; the packet's names and values stay as decoded.
class ReportWords {
public:
    explicit ReportWords(const platform::LanguageFile &language) : m_language(language) {}

    QString word(const char *key, const char *builtIn) const
    {
        return m_language.text(QStringLiteral("frmDecodePacket"), QString::fromLatin1(key),
                               QString::fromLatin1(builtIn));
    }

    QString field(const char *key, const char *label, const QString &value) const
    {
        return textcolumns::padToColumns(word(key, label), 24) + QStringLiteral(": ") + value;
    }

private:
    const platform::LanguageFile &m_language;
};

QStringList header(const DecodedPacket &p, const ReportWords &words)
{
    QStringList out;
    if (p.code)
        out << words.field("Report.Code", "Code",
                           p.codeName.isEmpty() ? QString::number(*p.code)
                                                : QStringLiteral("%1 (%2)").arg(*p.code).arg(p.codeName));
    if (p.identifier)
        out << words.field("Report.Identifier", "Identifier",
                           QStringLiteral("%1 (0x%2)").arg(*p.identifier).arg(*p.identifier, 2, 16, QLatin1Char('0')));
    if (p.declaredLength)
        out << words.field(
            "Report.Length", "Length",
            words.word("Report.LengthValue", "%1 (%2 octets given)").arg(*p.declaredLength).arg(p.octetCount));
    if (p.octetCount > 4)
        out << words.field("Report.Authenticator", "Authenticator", hex(p.authenticator));
    return out;
}

QStringList attributes(const DecodedPacket &p, const ReportWords &words)
{
    QStringList out{words.word("Report.Attributes", "Attributes:")};
    if (p.attributes.empty())
        out << QStringLiteral("  ") + words.word("Report.None", "none");
    for (const AttributeEntry &a : p.attributes) {
        out << QStringLiteral("  ")
                + words.word("Report.Attribute", "Offset %1: type %2, length %3")
                      .arg(a.offset)
                      .arg(a.type)
                      .arg(a.length);
        for (const QByteArray &pair : a.pairs)
            out << QStringLiteral("      ") + QString::fromUtf8(pair);
        if (!a.error.isEmpty())
            out << QStringLiteral("      ") + words.word("Report.Error", "Error: %1").arg(a.error);
    }
    return out;
}

} // namespace

QString DecodeReportText::checkText(const AuthenticatorCheck &check, const platform::LanguageFile &language)
{
    const ReportWords words(language);
    switch (check.state) {
    case AuthenticatorCheck::State::Valid: return words.word("Check.Valid", "valid");
    case AuthenticatorCheck::State::Invalid:
        return words.word("Check.Invalid", "invalid, expected %1").arg(hex(check.expected));
    case AuthenticatorCheck::State::Absent: return words.word("Check.Absent", "absent");
    case AuthenticatorCheck::State::NotChecked: break;
    }
    return words.word("Check.NotChecked", "not checked: %1").arg(check.reason);
}

QStringList DecodeReportText::lines(const DecodedPacket &packet, const platform::LanguageFile &language)
{
    const ReportWords words(language);
    QStringList out = header(packet, words);
    out << (packet.isReply ? words.field("Report.ResponseAuthenticator", "Response Authenticator",
                                         checkText(packet.packetAuthenticator, language))
                           : words.field("Report.RequestAuthenticator", "Request Authenticator",
                                         checkText(packet.packetAuthenticator, language)));
    out << words.field("Report.MessageAuthenticator", "Message-Authenticator",
                       checkText(packet.messageAuthenticator, language));
    out << attributes(packet, words);
    if (packet.faults.isEmpty()) {
        out << words.word("Report.NoFaults", "Faults: none");
    } else {
        out << words.word("Report.Faults", "Faults:");
        for (const QString &fault : packet.faults)
            out << QStringLiteral("  ") + fault;
    }
    return out;
}

} // namespace decoder
