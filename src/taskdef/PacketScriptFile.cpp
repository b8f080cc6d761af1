#include "taskdef/PacketScriptFile.h"

#include "platform/ScriptFilePath.h"
#include "platform/WholeFile.h"
#include "taskdef/PairLineFormatter.h"

#include <QFile>

namespace taskdef {

QString PacketScriptFile::pathFor(const QString &taskId)
{
    return platform::scriptFilePath(taskId);
}

bool PacketScriptFile::remove(const QString &taskId, QString *error)
{
    QFile file(pathFor(taskId));
    if (!file.exists() || file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QByteArray PacketScriptFile::content(const PacketTable &table)
{
    QByteArray out;
    for (const QString &packet : table.packets) {
        for (const AttributeRow &row : table.rowsOf(packet))
            out += PairLineFormatter::format(row.attribute, row.value) + "\r\n";
        out += "\r\n";
    }
    return out;
}

bool PacketScriptFile::write(const QString &path, const PacketTable &table, QString *error)
{
    return platform::writeWholeFile(path, content(table), error);
}

QStringList PacketScriptFile::problems(const PacketTable &table)
{
    QStringList out;
    for (const QString &packet : table.packets)
        for (const AttributeRow &row : table.rowsOf(packet))
            if (!PairLineFormatter::readsBack(PairLineFormatter::format(row.attribute, row.value), row.attribute))
                out.append(QStringLiteral("%1: %2 = %3").arg(packet, row.attribute, row.value));
    return out;
}

} // namespace taskdef
