#include "reports/TaskDescription.h"

#include "reports/ReportFormat.h"

namespace reports {

using format::padRight;
using taskstore::TaskRecord;

const QString TaskDescription::kAllTasksGroupId = QStringLiteral("AllTask");

namespace {

const QString kS1 = format::rule(2, 86);
const QString kS2 = format::rule(4, 83);

QString codeLine(const TaskRecord &task)
{
    return QStringLiteral("    Code        : ") + padRight(task.RequestTypeCode, 2);
}

QString modeLine(const TaskRecord &task)
{
    return QStringLiteral("    Mode        : ") + task.AuthMode;
}

void appendRequestType(QStringList &out, const TaskRecord &task)
{
    const QString head = QStringLiteral("    Request Type: ");
    switch (task.RequestType) {
    case taskstore::kAuth: out << head + QStringLiteral("Access Request") << codeLine(task) << modeLine(task); break;
    case taskstore::kAcct: out << head + QStringLiteral("Accounting Request") << codeLine(task); break;
    case taskstore::kStatusServer: out << head + QStringLiteral("Status Server") << codeLine(task); break;
    case taskstore::kDisconnect: out << head + QStringLiteral("Disconnect Request") << codeLine(task); break;
    case taskstore::kUserDefined:
        out << head + QStringLiteral("User Defined") << codeLine(task) << modeLine(task);
        break;
    default: break;
    }
}

QString numberLine(const char *label, int value)
{
    return QLatin1String(label) + QString::number(value);
}

// Only a task whose transport settings differ from the defaults gets these lines, so the
// description of every other task stays as it was.
void appendTransport(QStringList &out, const taskstore::TaskTransport &t)
{
    if (t == taskstore::TaskTransport{})
        return;
    out << QStringLiteral("    Transport : ") + t.Protocol.toUpper();
    if (t.isTls()) {
        out << QStringLiteral("    CA File   : ") + t.CaFile;
        if (!t.CertFile.isEmpty())
            out << QStringLiteral("    Client Certificate: ") + t.CertFile
                << QStringLiteral("    Client Key        : ") + t.KeyFile;
    }
    out << QStringLiteral("    Message-Authenticator in requests: ")
            + (t.MessageAuthenticatorFirst ? QStringLiteral("first in every Access-Request")
                                           : QStringLiteral("only where required (legacy)"));
    out << QStringLiteral("    Message-Authenticator in replies : ")
            + (t.RequireMessageAuthenticator ? QStringLiteral("required") : QStringLiteral("not required"));
}

} // namespace

QStringList TaskDescription::lines(const TaskRecord &task, const QString &groupName, const QStringList &schedules)
{
    QStringList out;
    out << kS1;
    out << QStringLiteral("  Task Name : ") + padRight(task.TaskName, 20);
    if (task.GroupID == kAllTasksGroupId)
        out << QStringLiteral("  Group Name: All Tasks");
    else
        out << QStringLiteral("  Group Name: ") + padRight(groupName, 20);
    out << kS1;
    out << QStringLiteral("    Server IP : ") + padRight(task.ServerIP, 16);
    out << numberLine("    Port      : ", task.Port);
    appendTransport(out, task.Transport);
    out << kS2;
    appendRequestType(out, task);
    out << kS2;
    out << numberLine("    Retry Timeout[sec.]: ", task.ReplyTimeout);
    out << numberLine("    Retry Times        : ", task.RetryTimes);
    out << numberLine("    Radius Request ID  : ", task.StartID);
    out << numberLine("    Repeat Times       : ", task.RepeatTimes);
    out << numberLine("    Number Requests Per Sec    : ", task.NumPerSec);
    if (task.NumPerSec == 0)
        out << QStringLiteral("        Default value is 0,and the requests are sent as fast as possible.");
    out << numberLine("    Number Requests In Parall  : ", task.NumInParall);
    if (task.NumInParall == 1) {
        out << QStringLiteral("        Default value is 1,and sends the first request,waits for the response,and once")
            << QStringLiteral("        the response is received,sends the second request.");
    }
    out << kS2;
    out << QStringLiteral("    Schedule Type:");
    if (task.RunType == taskstore::kRunManually) {
        out << QStringLiteral("        Run manually");
    } else {
        for (const QString &schedule : schedules)
            out << QStringLiteral("        ") + schedule;
    }
    out << kS2;
    return out;
}

} // namespace reports
