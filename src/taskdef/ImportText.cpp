#include "taskdef/ImportText.h"

#include "platform/WholeFile.h"
#include "taskdef/OctetText.h"
#include "taskdef/PairLineFormatter.h"

#include <QFile>

namespace taskdef {

namespace {
// Trimmed: leading and trailing blanks and control characters removed.
QString trimmedText(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.append(text.mid(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}
} // namespace

QByteArray ImportText::exportText(const PacketTable &table)
{
    QByteArray out;
    for (const QString &packet : table.packets) {
        out += "\n#" + trimmedText(packet).toUtf8() + "\r\n";
        for (const AttributeRow &row : table.rowsOf(packet))
            out += PairLineFormatter::format(row.attribute, row.value) + "\r\n";
    }
    return out;
}

bool ImportText::exportToFile(const QString &path, const PacketTable &table, QString *error)
{
    return platform::writeWholeFile(path, exportText(table), error);
}

ImportText::Imported ImportText::importText(const QByteArray &text, const PacketTable &table, int &packetCounter)
{
    Imported out;
    QSet<QString> used = table.usedKeys();
    QString current;
    const auto startPacket = [&] {
        current = table.takeFreeName(packetCounter);
        out.packets.append(current);
    };
    for (const QByteArray &raw : splitLines(text)) {
        const QString line = trimmedText(OctetText::toText(raw));
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('#'))) {
            startPacket();
            continue;
        }
        if (current.isEmpty())
            startPacket();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        AttributeRow row;
        row.attribute = eq < 0 ? QString() : trimmedText(line.left(eq));
        row.value = eq < 0 ? line : trimmedText(line.mid(eq + 1));
        if (row.value.startsWith(QLatin1Char('"')))
            row.value = row.value.size() >= 2 ? row.value.mid(1, row.value.size() - 2) : QString();
        row.id = PacketTable::drawUniqueKey(used);
        used.insert(row.id);
        row.packageId = current;
        out.rows.append(row);
    }
    return out;
}

bool ImportText::importFile(const QString &path, PacketTable &table, int &packetCounter, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Imported imported = importText(file.readAll(), table, packetCounter);
    table.packets += imported.packets;
    table.rows += imported.rows;
    return true;
}

} // namespace taskdef
