#include "reports/PacketTextPage.h"

#include "reports/ReportFormat.h"

namespace reports {

QStringList PacketTextPage::lines(const QString &scriptPath, const QList<QList<taskdef::ScriptPair>> &packets)
{
    const QString s3 = format::rule(2, 85);
    QStringList out;
    out << s3;
    out << QStringLiteral("  Packet[s] Script File : ") + scriptPath;
    out << s3;
    out << QStringLiteral("             Attribute                        Value");
    int number = 0;
    for (const QList<taskdef::ScriptPair> &packet : packets) {
        out << QStringLiteral("  Packet") + format::padRight(++number, 3) + QStringLiteral(" :")
                + QString(74, QLatin1Char('-'));
        for (const taskdef::ScriptPair &pair : packet)
            out << QStringLiteral("             ") + format::padRight(pair.nameText(), 32) + QLatin1Char(' ')
                    + pair.valueText();
    }
    return out;
}

} // namespace reports
