#include "taskdef/PacketScriptFile.h"

#include "platform/ScriptFilePath.h"
#include "platform/WholeFile.h"
#include "taskdef/PairLineFormatter.h"
#include "taskdef/ScriptLineParser.h"
#include "taskdef/ScriptTokenizer.h"

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

bool PacketScriptFile::RowProblem::valueTooLong() const
{
    return valueCharacters > ScriptTokenizer::ValueLimit;
}

QList<PacketScriptFile::RowProblem> PacketScriptFile::rowProblems(const PacketTable &table)
{
    QList<RowProblem> out;
    for (const QString &packet : table.packets) {
        for (const AttributeRow &row : table.rowsOf(packet)) {
            const QByteArray line = PairLineFormatter::format(row.attribute, row.value);
            if (PairLineFormatter::readsBack(line, row.attribute))
                continue;
            RowProblem problem{packet, row.attribute, PairLineFormatter::writtenValue(row.value).characters, {}};
            problem.lineError = ScriptLineParser::parse(line).error;
            if (problem.lineError.isEmpty())
                problem.lineError = QStringLiteral("the name does not read back as one word");
            out.append(problem);
        }
    }
    return out;
}

QString PacketScriptFile::RowProblem::text(const QString &tooLong) const
{
    const QString reason = valueTooLong() ? tooLong.arg(valueCharacters).arg(ScriptTokenizer::ValueLimit) : lineError;
    return QStringLiteral("%1, %2: %3").arg(packet, attribute, reason);
}

QStringList PacketScriptFile::problems(const PacketTable &table)
{
    QStringList out;
    for (const RowProblem &problem : rowProblems(table))
        out.append(problem.text());
    return out;
}

} // namespace taskdef
