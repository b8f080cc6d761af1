#include "execution/ClientCommandLine.h"

#include "taskstore/TaskReader.h"

namespace execution {

namespace {
// The command line is split at blanks, so a value that holds one (or is empty) is
// quoted to stay one word; values without blanks go in as stored.
QString word(const QString &value)
{
    if (value.isEmpty() || value.contains(QLatin1Char(' ')) || value.contains(QLatin1Char('\t')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}
} // namespace

QString BuildCommandLine(const taskstore::TaskRecord &task)
{
    auto number = [](int value) { return QString::number(value); };
    const QString script = taskstore::scriptRelativePath(task.TaskID);
    const bool eap = task.AuthMode == QLatin1String("EAP-MD5") || task.AuthMode == QLatin1String("EAP-SIM");
    QString line = eap ? QStringLiteral("radeapclient") : QStringLiteral("radclient");
    line += QLatin1String(" -c ") + number(task.RepeatTimes) + QLatin1String("  -f  \"") + script
        + QLatin1String("\"  -i ") + number(task.StartID);
    if (!eap)
        line += QLatin1String("  -n ") + number(task.NumPerSec) + QLatin1String("  -p ")
            + number(task.NumInParall);
    line += QLatin1String("  -r ") + number(task.RetryTimes) + QLatin1String("  -t ")
        + number(task.ReplyTimeout) + QLatin1String("  -sx  ");
    return line + word(task.ServerIP + QLatin1Char(':') + number(task.Port)) + QLatin1Char(' ')
        + number(task.RequestTypeCode) + QLatin1Char(' ') + word(task.SecretKey);
}

} // namespace execution
