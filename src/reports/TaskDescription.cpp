#include "reports/TaskDescription.h"

#include "platform/CurrentLanguage.h"
#include "reports/AlignedFields.h"
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

QString serverCheck(const taskstore::TaskEapSettings &eap)
{
    if (!eap.VerifyServer)
        return reportText("Report.EapServerNotChecked", "not checked");
    if (eap.CaFile.isEmpty())
        return reportText("Report.EapSystemStore", "checked against the system's certificates");
    return reportText("Report.EapCaFile", "checked against %1").arg(eap.CaFile);
}

// What an enterprise mode takes beyond the packet, under the mode's line.
QStringList enterpriseLines(const TaskRecord &task)
{
    const taskstore::EnterpriseMode *mode = taskstore::enterpriseMode(task.AuthMode);
    if (!mode)
        return {};
    QStringList out;
    if (mode->usesPassword)
        out << reportText("Report.EapCredentials",
                          "        Identity and password: the packet's User-Name and User-Password");
    const taskstore::TaskEapSettings &eap = task.Eap;
    AlignedFields settings;
    if (mode->anonymousIdentity)
        settings.field(reportText("Report.EapAnonymous", "        Anonymous Identity : "),
                       eap.AnonymousIdentity.isEmpty() ? reportText("Report.EapNoAnonymous", "none, the user's own")
                                                       : eap.AnonymousIdentity);
    if (mode->innerMethod)
        settings.field(reportText("Report.EapInner", "        Inner Method       : "),
                       taskstore::innerMethodName(eap.InnerMethod));
    if (mode->tls) {
        settings.field(reportText("Report.EapServerCertificate", "        Server Certificate : "), serverCheck(eap));
        if (!eap.CertFile.isEmpty())
            settings.field(reportText("Report.EapCertFile", "        Client Certificate : "), eap.CertFile)
                .field(reportText("Report.EapKeyFile", "        Client Key         : "), eap.KeyFile);
    }
    return out << settings.lines();
}

QString requestTypeName(int requestType)
{
    switch (requestType) {
    case taskstore::kAuth: return reportText("Report.AccessRequest", "Access Request");
    case taskstore::kAcct: return reportText("Report.AccountingRequest", "Accounting Request");
    case taskstore::kStatusServer: return reportText("Report.StatusServer", "Status Server");
    case taskstore::kDisconnect: return reportText("Report.DisconnectRequest", "Disconnect Request");
    case taskstore::kUserDefined: return reportText("Report.UserDefined", "User Defined");
    default: return {};
    }
}

void appendRequestType(QStringList &out, const TaskRecord &task)
{
    const QString name = requestTypeName(task.RequestType);
    if (name.isEmpty())
        return;
    AlignedFields kind;
    kind.field(reportText("Report.RequestType", "    Request Type: "), name)
        .field(reportText("Report.Code", "    Code        : "), padRight(task.RequestTypeCode, 2));
    const bool hasMode = task.RequestType == taskstore::kAuth || task.RequestType == taskstore::kUserDefined;
    if (hasMode)
        kind.field(reportText("Report.Mode", "    Mode        : "), task.AuthMode);
    out << kind.lines();
    if (hasMode)
        out << enterpriseLines(task);
}

QString number(int value)
{
    return QString::number(value);
}

// The client certificate of RadSec and the Message-Authenticator rules, under the server.
QStringList transportLines(const taskstore::TaskTransport &t)
{
    QStringList out;
    if (t.isTls() && !t.CertFile.isEmpty())
        out << AlignedFields()
                   .field(reportText("Report.TransportCertFile", "    Client Certificate: "), t.CertFile)
                   .field(reportText("Report.TransportKeyFile", "    Client Key        : "), t.KeyFile)
                   .lines();
    return out << AlignedFields()
                      .field(reportText("Report.MaInRequests", "    Message-Authenticator in requests: "),
                             t.MessageAuthenticatorFirst
                                 ? reportText("Report.MaFirst", "first in every Access-Request")
                                 : reportText("Report.MaWhereRequired", "only where required (legacy)"))
                      .field(reportText("Report.MaInReplies", "    Message-Authenticator in replies : "),
                             t.RequireMessageAuthenticator ? reportText("Report.MaRequired", "required")
                                                           : reportText("Report.MaNotRequired", "not required"))
                      .lines();
}

void appendServer(QStringList &out, const TaskRecord &task)
{
    // Only a task whose transport settings differ from the defaults gets transport lines,
    // so the description of every other task stays as it was.
    const taskstore::TaskTransport &t = task.Transport;
    const bool transportShown = !(t == taskstore::TaskTransport{});
    AlignedFields server;
    server.field(reportText("Report.ServerIP", "    Server IP : "), padRight(task.ServerIP, 16))
        .field(reportText("Report.Port", "    Port      : "), number(task.Port));
    if (transportShown)
        server.field(reportText("Report.Transport", "    Transport : "), t.Protocol.toUpper());
    if (transportShown && t.isTls())
        server.field(reportText("Report.TransportCaFile", "    CA File   : "), t.CaFile);
    out << server.lines();
    if (transportShown)
        out << transportLines(t);
}

} // namespace

QStringList TaskDescription::lines(const TaskRecord &task, const QString &groupName, const QStringList &schedules)
{
    QStringList out;
    out << kS1;
    AlignedFields names;
    names.field(reportText("Report.TaskName", "  Task Name : "), padRight(task.TaskName, 20));
    if (task.GroupID == kAllTasksGroupId)
        names.field(reportText("Report.AllTasksGroup", "  Group Name: All Tasks"));
    else
        names.field(reportText("Report.GroupName", "  Group Name: "), padRight(groupName, 20));
    out << names.lines();
    out << kS1;
    appendServer(out, task);
    out << kS2;
    appendRequestType(out, task);
    out << kS2;
    out << AlignedFields()
               .field(reportText("Report.ReplyTimeout", "    Retry Timeout[sec.]: "), number(task.ReplyTimeout))
               .field(reportText("Report.RetryTimes", "    Retry Times        : "), number(task.RetryTimes))
               .field(reportText("Report.StartID", "    Radius Request ID  : "), number(task.StartID))
               .field(reportText("Report.RepeatTimes", "    Repeat Times       : "), number(task.RepeatTimes))
               .lines();
    AlignedFields rates;
    rates.field(reportText("Report.PerSec", "    Number Requests Per Sec    : "), number(task.NumPerSec));
    if (task.NumPerSec == 0)
        rates.note(reportText("Report.PerSecDefault",
                              "        Default value is 0,and the requests are sent as fast as possible."));
    rates.field(reportText("Report.InParallel", "    Number Requests In Parall  : "), number(task.NumInParall));
    if (task.NumInParall == 1) {
        rates
            .note(reportText("Report.InParallelDefault1",
                             "        Default value is 1,and sends the first request,waits for the response,and once"))
            .note(
                reportText("Report.InParallelDefault2", "        the response is received,sends the second request."));
    }
    out << rates.lines();
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
