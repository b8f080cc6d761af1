#include "reports/PacketTextPage.h"

#include "platform/CurrentLanguage.h"
#include "reports/ReportFormat.h"
#include "textcolumns/DisplayColumns.h"

namespace reports {

namespace {

QString pageText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmViewTask", key, builtIn);
}

// A pair's name is padded to 32 columns after the indent: each heading over its column.
const QString kIndent = QStringLiteral("             ");
constexpr int kNameColumns = 32;

} // namespace

QStringList PacketTextPage::lines(const QString &scriptPath, const QList<QList<taskdef::ScriptPair>> &packets)
{
    const QString s3 = format::rule(2, 85);
    QStringList out;
    out << s3;
    out << pageText("Text.ScriptFile", "  Packet[s] Script File : ") + scriptPath;
    out << s3;
    out << kIndent + textcolumns::padToColumns(pageText("Text.Attribute", "Attribute"), kNameColumns + 1)
            + pageText("Text.Value", "Value");
    int number = 0;
    for (const QList<taskdef::ScriptPair> &packet : packets) {
        out << QStringLiteral("  ") + pageText("Packet", "Packet") + format::padRight(++number, 3)
                + QStringLiteral(" :") + QString(74, QLatin1Char('-'));
        for (const taskdef::ScriptPair &pair : packet)
            out << kIndent + format::padRight(pair.nameText(), kNameColumns) + QLatin1Char(' ') + pair.valueText();
    }
    return out;
}

} // namespace reports
