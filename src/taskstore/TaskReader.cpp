#include "taskstore/TaskReader.h"

#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QFile>

namespace taskstore {

TaskRecord readTaskRecord(Query &query, const QString &taskId)
{
    TaskRecord task;
    OpenQuery(query, sql::selectTask(taskId));
    task.TaskID = query.asText(QStringLiteral("TaskID"));
    task.GroupID = query.asText(QStringLiteral("GroupID"));
    task.TaskName = query.asText(QStringLiteral("TaskName"));
    task.ServerIP = query.asText(QStringLiteral("ServerIP"));
    task.SecretKey = query.asText(QStringLiteral("SecretKey"));
    task.Port = query.asInteger(QStringLiteral("Port"));
    task.RequestType = query.asInteger(QStringLiteral("RequestType"));
    task.RequestTypeCode = query.asInteger(QStringLiteral("RequestTypeCode"));
    task.AuthMode = query.asText(QStringLiteral("AuthMode"));
    task.RunType = query.asInteger(QStringLiteral("RunType"));

    OpenQuery(query, sql::selectTaskOption(taskId));
    task.StartID = query.asInteger(QStringLiteral("StartID"));
    task.ReplyTimeout = query.asInteger(QStringLiteral("ReplyTimeout"));
    task.RetryTimes = query.asInteger(QStringLiteral("RetryTimes"));
    task.RepeatTimes = query.asInteger(QStringLiteral("RepeatTimes"));
    task.NumPerSec = query.asInteger(QStringLiteral("NumPerSec"));
    task.NumInParall = query.asInteger(QStringLiteral("NumInParall"));
    task.Transport = readTaskTransport(query, taskId);
    task.Eap = readTaskEapSettings(query, taskId);
    return task;
}

TaskEapSettings readTaskEapSettings(Query &query, const QString &taskId)
{
    TaskEapSettings eap;
    OpenQuery(query, sql::selectTaskEapSettings(taskId));
    if (query.isEmpty())
        return eap;
    eap.AnonymousIdentity = query.asText(QStringLiteral("AnonymousIdentity"));
    eap.InnerMethod = query.asText(QStringLiteral("InnerMethod"));
    eap.CaFile = query.asText(QStringLiteral("CaFile"));
    eap.VerifyServer = query.asInteger(QStringLiteral("VerifyServer")) != 0;
    eap.CertFile = query.asText(QStringLiteral("CertFile"));
    eap.KeyFile = query.asText(QStringLiteral("KeyFile"));
    return eap;
}

TaskTransport readTaskTransport(Query &query, const QString &taskId)
{
    TaskTransport transport;
    OpenQuery(query, sql::selectTaskTransport(taskId));
    if (query.isEmpty())
        return transport;
    const QString protocol = query.asText(QStringLiteral("Protocol"));
    if (protocol == QLatin1String("tcp") || protocol == QLatin1String("tls"))
        transport.Protocol = protocol;
    transport.CaFile = query.asText(QStringLiteral("CaFile"));
    transport.CertFile = query.asText(QStringLiteral("CertFile"));
    transport.KeyFile = query.asText(QStringLiteral("KeyFile"));
    transport.MessageAuthenticatorFirst = query.asInteger(QStringLiteral("MessageAuthenticatorFirst")) != 0;
    transport.RequireMessageAuthenticator = query.asInteger(QStringLiteral("RequireMessageAuthenticator")) != 0;
    return transport;
}

QList<ScheduleRecord> readScheduleRows(Query &query, const QString &sql)
{
    QList<ScheduleRecord> records;
    OpenQuery(query, sql);
    for (query.first(); !query.atEnd(); query.next()) {
        ScheduleRecord row;
        row.TaskSchID = query.asInteger(QStringLiteral("TaskSchID"));
        row.TaskID = query.asText(QStringLiteral("TaskID"));
        row.ScheduleType = query.asInteger(QStringLiteral("ScheduleType"));
        row.value = query.asInteger(QStringLiteral("value"));
        row.withweek = query.asText(QStringLiteral("withweek"));
        row.StartTime = query.asText(QStringLiteral("StartTime"));
        row.LastRunTime = query.asDateTime(QStringLiteral("LastRunTime"));
        row.NextRunTime = query.asDateTime(QStringLiteral("NextRunTime"));
        records << row;
    }
    return records;
}

QList<ScheduleRecord> readScheduleRecords(Query &query, const QString &taskId)
{
    return readScheduleRows(query, sql::selectSchedules(taskId));
}

QString lastRunTimeText(Query &query, const QString &taskId)
{
    OpenQuery(query, sql::selectLastRunTime(taskId));
    return query.asText(QStringLiteral("LastRunTime"));
}

QString nextRunTimeText(Query &query, const QString &taskId)
{
    OpenQuery(query, sql::selectNextRunTime(taskId));
    return query.asText(QStringLiteral("NextRunTime"));
}

void deleteTaskRows(Query &query, const QString &taskId, bool includingPackage)
{
    if (includingPackage)
        ExecQuery(query, sql::deletePackage(taskId));
    ExecQuery(query, sql::deleteSchedules(taskId));
    ExecQuery(query, sql::deleteTaskOption(taskId));
    ExecQuery(query, sql::deleteTaskTransport(taskId));
    ExecQuery(query, sql::deleteTaskEapSettings(taskId));
    ExecQuery(query, sql::deleteTask(taskId));
    deleteExpectationsAndHistory(query.connection(), taskId);
    QFile::remove(scriptFilePath(taskId));
}

} // namespace taskstore
