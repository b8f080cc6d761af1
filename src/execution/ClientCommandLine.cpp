#include "execution/ClientCommandLine.h"

#include "platform/CommandLine.h"
#include "taskstore/TaskReader.h"

namespace execution {

namespace {
// An IPv6 address goes in brackets, so that its colons are not taken for the port's.
QString serverWithPort(const QString &server, int port)
{
    const QString trimmed = server.trimmed();
    const bool bareIpv6 = trimmed.count(QLatin1Char(':')) >= 2 && !trimmed.startsWith(QLatin1Char('['));
    return (bareIpv6 ? QLatin1Char('[') + trimmed + QLatin1Char(']') : server) + QLatin1Char(':')
        + QString::number(port);
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
        line += QLatin1String("  -n ") + number(task.NumPerSec) + QLatin1String("  -p ") + number(task.NumInParall);
    line += QLatin1String("  -r ") + number(task.RetryTimes) + QLatin1String("  -t ") + number(task.ReplyTimeout)
        + QLatin1String("  -sx  ");
    // The line is split into the client's words again, never by a shell: a stored text that
    // would not come back as itself is quoted reversibly; every other value goes in as stored.
    using platform::quoteCommandWord;
    return line + quoteCommandWord(serverWithPort(task.ServerIP, task.Port)) + QLatin1Char(' ')
        + number(task.RequestTypeCode) + QLatin1Char(' ') + quoteCommandWord(task.SecretKey);
}

} // namespace execution
