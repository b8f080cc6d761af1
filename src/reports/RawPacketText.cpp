#include "reports/RawPacketText.h"

#include "reports/ReportFormat.h"

#include "platform/CurrentLanguage.h"

namespace reports {

namespace {

const QString kBorder = QStringLiteral("   +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+");
const QString kBlankRow = QStringLiteral("   |                                                               |");

QString head(int number)
{
    return QStringLiteral("Packet") + format::padRight(number, 3) + QLatin1Char(':');
}

// A line written with a trailing line end shows as the line and an empty one.
QStringList withLineEnd(const QString &line)
{
    return {line, QString()};
}

} // namespace

QStringList RawPacketText::figure()
{
    QStringList out =
        withLineEnd(QStringLiteral("  RADIUS Data Format(The fields are transmitted from left to right):"));
    out << QStringLiteral("    0                   1                   2                   3")
        << QStringLiteral("    0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1") << kBorder
        << QStringLiteral("   |     Code      |  Identifier   |            Length             |") << kBorder
        << kBlankRow << QStringLiteral("   |                         Authenticator                         |")
        << kBlankRow << kBlankRow << kBorder << QStringLiteral("   |  Attributes ...")
        << QStringLiteral("   +-+-+-+-+-+-+-+-+-+-+-+-+-");
    return out;
}

QStringList RawPacketText::block(int number, const QByteArray &packet)
{
    const QString hex = QString::fromLatin1(packet.toHex());
    QStringList out;
    out << head(number);
    out << QStringLiteral("0x") + hex;
    out << format::rule(3, 94);
    out << QStringLiteral("   Code          : 0x") + hex.mid(0, 2);
    out << QStringLiteral("   Identifier    : 0x") + hex.mid(2, 2);
    out << QStringLiteral("   Length        : 0x") + hex.mid(4, 4);
    out << QStringLiteral("   Authenticator : 0x") + hex.mid(8, 32);
    out << QStringLiteral("   Attributes    : 0x") + hex.mid(40);
    return out;
}

QStringList RawPacketText::failedBlock(int number, const QString &message)
{
    // The library prefixes some of its texts with "ERROR: "; the page has its own prefix.
    QString text = message;
    if (text.startsWith(QLatin1String("ERROR: "), Qt::CaseInsensitive))
        text = text.mid(7);
    return {head(number), QStringLiteral("   Error: ") + text};
}

QStringList RawPacketText::unresolvedHost(const QString &serverIp)
{
    return withLineEnd(QStringLiteral("Error: Failed to find IP address for host ") + serverIp);
}

QString RawPacketText::noPackets()
{
    return QStringLiteral("Error: No list of packets.");
}

QString RawPacketText::computedByClient(const QString &mode)
{
    return platform::CurrentLanguage::text("frmViewTask", "Raw.ComputedByClient",
                                           "The client computes the requests of a %1 task while it runs "
                                           "(from the password, a fresh challenge and the server's answers): "
                                           "they cannot be shown ahead of time.")
        .arg(mode);
}

QString RawPacketText::badPacketCode()
{
    return QStringLiteral("Error: The list of packets sanity checking packet code error.");
}

} // namespace reports
