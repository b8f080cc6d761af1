#include "reports/TaskDescription.h"

#include "platform/CurrentLanguage.h"
#include "reports/ReportFormat.h"
#include "taskstore/AuthMode.h"

namespace reports {

using format::padRight;
using taskstore::TaskRecord;

const QString TaskDescription::kAllTasksGroupId = QStringLiteral("AllTask");

namespace {

// A label of the report in the current language.
QString reportText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmViewTask", key, builtIn);
}

const QString kS1 = format::rule(2, 86);
const QString kS2 = format::rule(4, 83);

QString codeLine(const TaskRecord &task)
{
    return reportText("Report.Code", "    Code        : ") + padRight(task.RequestTypeCode, 2);
}

QString serverCheck(const taskstore::TaskEapSettings &eap)
{
    if (!eap.VerifyServer)
        return reportText("Report.EapServerNotChecked", "not checked");
    if (eap.CaFile.isEmpty())
        return reportText("Report.EapSystemStore", "checked against the system's certificates");
    return reportText("Report.EapCaFile", "checked against %1").arg(eap.CaFile);
}

// The mode, and for an enterprise mode what it takes beyond the packet.
QStringList modeLines(const TaskRecord &task)
{
    QStringList out{reportText("Report.Mode", "    Mode        : ") + task.AuthMode};
    const taskstore::EnterpriseMode *mode = taskstore::enterpriseMode(task.AuthMode);
    if (!mode)
        return out;
    const taskstore::TaskEapSettings &eap = task.Eap;
    if (mode->usesPassword)
        out << reportText("Report.EapCredentials",
                          "        Identity and password: the packet's User-Name and User-Password");
    if (mode->anonymousIdentity)
        out << reportText("Report.EapAnonymous", "        Anonymous Identity : ")
                + (eap.AnonymousIdentity.isEmpty() ? reportText("Report.EapNoAnonymous", "none, the user's own")
                                                   : eap.AnonymousIdentity);
    if (mode->innerMethod)
        out << reportText("Report.EapInner", "        Inner Method       : ")
                + taskstore::innerMethodName(eap.InnerMethod);
    if (mode->tls) {
        out << reportText("Report.EapServerCertificate", "        Server Certificate : ") + serverCheck(eap);
        if (!eap.CertFile.isEmpty())
            out << reportText("Report.EapCertFile", "        Client Certificate : ") + eap.CertFile
                << reportText("Report.EapKeyFile", "        Client Key         : ") + eap.KeyFile;
    }
    return out;
}

void appendRequestType(QStringList &out, const TaskRecord &task)
{
    const QString head = reportText("Report.RequestType", "    Request Type: ");
    switch (task.RequestType) {
    case taskstore::kAuth:
        out << head + reportText("Report.AccessRequest", "Access Request") << codeLine(task) << modeLines(task);
        break;
    case taskstore::kAcct:
        out << head + reportText("Report.AccountingRequest", "Accounting Request") << codeLine(task);
        break;
    case taskstore::kStatusServer:
        out << head + reportText("Report.StatusServer", "Status Server") << codeLine(task);
        break;
    case taskstore::kDisconnect:
        out << head + reportText("Report.DisconnectRequest", "Disconnect Request") << codeLine(task);
        break;
    case taskstore::kUserDefined:
        out << head + reportText("Report.UserDefined", "User Defined") << codeLine(task) << modeLines(task);
        break;
    default: break;
    }
}

QString numberLine(const QString &label, int value)
{
    return label + QString::number(value);
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
    out << reportText("Report.TaskName", "  Task Name : ") + padRight(task.TaskName, 20);
    if (task.GroupID == kAllTasksGroupId)
        out << reportText("Report.AllTasksGroup", "  Group Name: All Tasks");
    else
        out << reportText("Report.GroupName", "  Group Name: ") + padRight(groupName, 20);
    out << kS1;
    out << reportText("Report.ServerIP", "    Server IP : ") + padRight(task.ServerIP, 16);
    out << numberLine(reportText("Report.Port", "    Port      : "), task.Port);
    appendTransport(out, task.Transport);
    out << kS2;
    appendRequestType(out, task);
    out << kS2;
    out << numberLine(reportText("Report.ReplyTimeout", "    Retry Timeout[sec.]: "), task.ReplyTimeout);
    out << numberLine(reportText("Report.RetryTimes", "    Retry Times        : "), task.RetryTimes);
    out << numberLine(reportText("Report.StartID", "    Radius Request ID  : "), task.StartID);
    out << numberLine(reportText("Report.RepeatTimes", "    Repeat Times       : "), task.RepeatTimes);
    out << numberLine(reportText("Report.PerSec", "    Number Requests Per Sec    : "), task.NumPerSec);
    if (task.NumPerSec == 0)
        out << reportText("Report.PerSecDefault",
                          "        Default value is 0,and the requests are sent as fast as possible.");
    out << numberLine(reportText("Report.InParallel", "    Number Requests In Parall  : "), task.NumInParall);
    if (task.NumInParall == 1) {
        out << reportText("Report.InParallelDefault1",
                          "        Default value is 1,and sends the first request,waits for the response,and once")
            << reportText("Report.InParallelDefault2", "        the response is received,sends the second request.");
    }
    out << kS2;
    out << reportText("Report.ScheduleType", "    Schedule Type:");
    if (task.RunType == taskstore::kRunManually) {
        out << reportText("Report.RunManually", "        Run manually");
    } else {
        for (const QString &schedule : schedules)
            out << QStringLiteral("        ") + schedule;
    }
    out << kS2;
    return out;
}

} // namespace reports
