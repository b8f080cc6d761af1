#include "reports/RawPacketText.h"

#include "reports/ReportFormat.h"

#include "platform/CurrentLanguage.h"
#include "textcolumns/DisplayColumns.h"

namespace reports {

namespace {

const QString kBorder = QStringLiteral("   +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+");
const QString kBlankRow = QStringLiteral("   |                                                               |");

QString pageText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmViewTask", key, builtIn);
}

// The packet's fields, named alike in the figure and in each block; the language file is
// read once for all of them.
struct FieldNames {
    FieldNames() : FieldNames(platform::CurrentLanguage::currentFile()) {}
    explicit FieldNames(const platform::LanguageFile &file)
        : code(word(file, "Raw.Code", "Code")), identifier(word(file, "Raw.Identifier", "Identifier")),
          length(word(file, "Raw.Length", "Length")), authenticator(word(file, "Raw.Authenticator", "Authenticator")),
          attributes(word(file, "Raw.Attributes", "Attributes")), packet(word(file, "Packet", "Packet"))
    {
    }

    static QString word(const platform::LanguageFile &file, const char *key, const char *builtIn)
    {
        return file.text(QStringLiteral("frmViewTask"), QString::fromLatin1(key), QString::fromLatin1(builtIn));
    }

    QString code;
    QString identifier;
    QString length;
    QString authenticator;
    QString attributes;
    QString packet;
};

QString head(const FieldNames &names, int number)
{
    return names.packet + format::padRight(number, 3) + QLatin1Char(':');
}

// A field name in the middle of its cell of the figure, counted in the columns the screen
// shows; a name wider than its cell is kept whole.
QString centred(const QString &name, qsizetype columns)
{
    const qsizetype free = qMax<qsizetype>(0, columns - textcolumns::columnsOf(name));
    return QString(free / 2, QLatin1Char(' ')) + name + QString(free - free / 2, QLatin1Char(' '));
}

// "   Code          : 0x" with the name padded to the colon's column.
QString fieldLabel(const QString &name)
{
    return QStringLiteral("   ") + textcolumns::padToColumns(name, 14) + QStringLiteral(": 0x");
}

QString errorLine(const QString &text)
{
    return pageText("Raw.Error", "Error: ") + text;
}

// A line written with a trailing line end shows as the line and an empty one.
QStringList withLineEnd(const QString &line)
{
    return {line, QString()};
}

} // namespace

QStringList RawPacketText::figure()
{
    const FieldNames names;
    QStringList out =
        withLineEnd(pageText("Raw.Figure", "  RADIUS Data Format(The fields are transmitted from left to right):"));
    out << QStringLiteral("    0                   1                   2                   3")
        << QStringLiteral("    0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1") << kBorder
        << QStringLiteral("   |") + centred(names.code, 15) + QLatin1Char('|') + centred(names.identifier, 15)
            + QLatin1Char('|') + centred(names.length, 31) + QLatin1Char('|')
        << kBorder << kBlankRow << QStringLiteral("   |") + centred(names.authenticator, 63) + QLatin1Char('|')
        << kBlankRow << kBlankRow << kBorder << QStringLiteral("   |  ") + names.attributes + QStringLiteral(" ...")
        << QStringLiteral("   +-+-+-+-+-+-+-+-+-+-+-+-+-");
    return out;
}

QStringList RawPacketText::block(int number, const QByteArray &packet)
{
    const QString hex = QString::fromLatin1(packet.toHex());
    QStringList out;
    const FieldNames names;
    out << head(names, number);
    out << QStringLiteral("0x") + hex;
    out << format::rule(3, 94);
    out << fieldLabel(names.code) + hex.mid(0, 2);
    out << fieldLabel(names.identifier) + hex.mid(2, 2);
    out << fieldLabel(names.length) + hex.mid(4, 4);
    out << fieldLabel(names.authenticator) + hex.mid(8, 32);
    out << fieldLabel(names.attributes) + hex.mid(40);
    return out;
}

QStringList RawPacketText::failedBlock(int number, const QString &message)
{
    // The library prefixes some of its texts with "ERROR: "; the page has its own prefix.
    QString text = message;
    if (text.startsWith(QLatin1String("ERROR: "), Qt::CaseInsensitive))
        text = text.mid(7);
    return {head(FieldNames(), number), QStringLiteral("   ") + errorLine(text)};
}

QStringList RawPacketText::unresolvedHost(const QString &serverIp)
{
    return withLineEnd(
        errorLine(pageText("Raw.UnresolvedHost", "Failed to find IP address for host %1").arg(serverIp)));
}

QString RawPacketText::noPackets()
{
    return errorLine(pageText("Raw.NoPackets", "No list of packets."));
}

QString RawPacketText::computedByClient(const QString &mode)
{
    return pageText("Raw.ComputedByClient",
                    "The client computes the requests of a %1 task while it runs "
                    "(from the password, a fresh challenge and the server's answers): "
                    "they cannot be shown ahead of time.")
        .arg(mode);
}

QString RawPacketText::badPacketCode()
{
    return errorLine(pageText("Raw.BadPacketCode", "The list of packets sanity checking packet code error."));
}

} // namespace reports
