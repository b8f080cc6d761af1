#include "taskstore/Statements.h"

#include "taskstore/DateTimeText.h"

#include <initializer_list>
#include <variant>

namespace taskstore::sql {

namespace {
using Value = std::variant<QString, int>;

// Substitutes values into a format text: '%s' takes a text, %d an integer.
QString format(const char *formatText, std::initializer_list<Value> values)
{
    QString out;
    auto value = values.begin();
    for (const char *p = formatText; *p; ++p) {
        if (p[0] == '%' && (p[1] == 's' || p[1] == 'd') && value != values.end()) {
            if (const QString *text = std::get_if<QString>(&*value)) {
                QString escaped = *text;
                out += escaped.replace(QLatin1Char('\''), QLatin1String("''"));
            } else {
                out += QString::number(std::get<int>(*value));
            }
            ++value;
            ++p;
        } else {
            out += QLatin1Char(*p);
        }
    }
    return out;
}

// Regional date-time text to its stored form; text that is not a moment stays empty.
QString stored(const QString &dateTimeText)
{
    return DateTimeText::toStorage(DateTimeText::parseDateTime(dateTimeText));
}
} // namespace

QString selectAllGroups()
{
    return QStringLiteral("select * from TaskGroup");
}

QString insertGroup(const QString &groupId, const QString &name)
{
    return format("insert into TaskGroup([TaskGroupID],[Name]) values('%s', '%s')", {groupId, name});
}

QString renameGroup(const QString &name, const QString &groupId)
{
    return format("update TaskGroup set [Name]='%s' where [TaskGroupID]='%s' ", {name, groupId});
}

QString deleteGroup(const QString &groupId)
{
    return format("delete from TaskGroup where [TaskGroupID]= '%s'", {groupId});
}

QString selectGroupName(const QString &groupId)
{
    return format("select Name from TaskGroup where TaskGroupID='%s'", {groupId});
}

QString selectTaskList()
{
    return QStringLiteral("select TaskID, TaskName, ServerIP, RunType from Task");
}

QString selectTaskListOfGroup(const QString &groupId)
{
    return format("select TaskID, TaskName, ServerIP, RunType from Task where GroupID='%s'", {groupId});
}

QString selectTask(const QString &taskId)
{
    return format("select * from Task where TaskID='%s' ", {taskId});
}

QString selectRunType(const QString &taskId)
{
    return format("select RunType from Task where TaskID='%s'", {taskId});
}

QString insertTask(const TaskRecord &t)
{
    return format(
        "insert into Task([GroupID],[TaskID],[TaskName],[ServerIP],[SecretKey],[Port],"
        "[RequestType],[RequestTypeCode],[AuthMode], [RunType])values('%s','%s','%s','%s',"
        "'%s',%d,'%d',%d,'%s',%d)",
        {t.GroupID, t.TaskID, t.TaskName, t.ServerIP, t.SecretKey, t.Port, t.RequestType, t.RequestTypeCode, t.AuthMode,
         t.RunType});
}

QString deleteTask(const QString &taskId)
{
    return format("delete from Task where [TaskID]= '%s'", {taskId});
}

QString selectTaskOption(const QString &taskId)
{
    return format("select * from Taskoption where TaskID='%s' ", {taskId});
}

QString insertTaskOption(const TaskRecord &t)
{
    return format(
        "insert into TaskOption([TaskID],[StartID],[ReplyTimeout], [RetryTimes], "
        "[RepeatTimes], [NumPerSec], [NumInParall])values('%s',%d,%d,%d,%d,%d,%d)",
        {t.TaskID, t.StartID, t.ReplyTimeout, t.RetryTimes, t.RepeatTimes, t.NumPerSec, t.NumInParall});
}

QString deleteTaskOption(const QString &taskId)
{
    return format("delete from TaskOption where [TaskID]= '%s'", {taskId});
}

QString selectLastRunTime(const QString &taskId)
{
    return format("select max(LastRunTime) as LastRunTime from TaskSchedule where TaskID='%s'", {taskId});
}

QString selectNextRunTime(const QString &taskId)
{
    return format("select min(NextRunTime) as NextRunTime from TaskSchedule where TaskID='%s'", {taskId});
}

QString selectRunTimesOfAllTasks()
{
    return QStringLiteral(
        "select TaskID, max(LastRunTime) as LastRunTime, min(NextRunTime) as NextRunTime "
        "from TaskSchedule group by TaskID");
}

QString selectSchedules(const QString &taskId)
{
    return format("select * from TaskSchedule where TaskID='%s' ", {taskId});
}

QString selectEditorNextRunTime(const QString &taskId)
{
    return format("select min(NextRunTime) as NextRunTime from TaskSchedule where [TaskID]='%s'", {taskId});
}

QString insertIntervalSchedule(const QString &taskId, int type, int value, const QString &lastRunTime,
                               const QString &nextRunTime, const QString &startTime)
{
    return format(
        "insert into TaskSchedule([TaskID], [ScheduleType], [value], [LastRunTime], "
        "[NextRunTime], [StartTime]) values('%s', %d, %d, '%s', '%s', '%s')",
        {taskId, type, value, stored(lastRunTime), stored(nextRunTime), startTime});
}

QString insertWeeklySchedule(const QString &taskId, int type, const QString &withweek, const QString &startTime,
                             const QString &lastRunTime, const QString &nextRunTime)
{
    return format(
        "insert into TaskSchedule([TaskID], [ScheduleType], [withweek], [StartTime], "
        "[LastRunTime], [NextRunTime]) values('%s', '%d', '%s', '%s', '%s', '%s')",
        {taskId, type, withweek, startTime, stored(lastRunTime), stored(nextRunTime)});
}

QString insertMonthlySchedule(const QString &taskId, int type, const QString &value, const QString &startTime,
                              const QString &lastRunTime, const QString &nextRunTime)
{
    return format(
        "insert into TaskSchedule([TaskID], [ScheduleType], [value], [StartTime], "
        "[LastRunTime], [NextRunTime]) values('%s', '%d', '%s', '%s', '%s', '%s')",
        {taskId, type, value, startTime, stored(lastRunTime), stored(nextRunTime)});
}

QString insertOnceSchedule(const QString &taskId, int type, const QString &startTime, const QString &lastRunTime,
                           const QString &nextRunTime)
{
    return format(
        "insert into TaskSchedule([TaskID], [ScheduleType], [StartTime], [LastRunTime], "
        "[NextRunTime]) values('%s', '%d', '%s', '%s', '%s')",
        {taskId, type, startTime, stored(lastRunTime), stored(nextRunTime)});
}

QString insertManualRunRow(const QString &taskId, const QString &lastRunTime)
{
    return format("insert into TaskSchedule([TaskID], [ScheduleType], [LastRunTime]) values('%s', 19, '%s')",
                  {taskId, stored(lastRunTime)});
}

QString deleteSchedules(const QString &taskId)
{
    return format("delete from TaskSchedule where [TaskID]= '%s'", {taskId});
}

QString selectRuleRows()
{
    return QStringLiteral("select * from TaskSchedule where ScheduleType>=0 and ScheduleType<7");
}

QString updateNextRunTime(const QString &nextRunTime, int taskSchId)
{
    return format("Update TaskSchedule set [NextRunTime]='%s' where TaskSchID=%d", {stored(nextRunTime), taskSchId});
}

QString selectCheckRows()
{
    return QStringLiteral(
        "select TaskID, ScheduleType, NextRunTime, StartTime from TaskSchedule "
        "where ScheduleType>=0 and ScheduleType<7 ");
}

QString selectRunSchedules(const QString &taskId)
{
    return format("select * from TaskSchedule where TaskID='%s'", {taskId});
}

QString updateRunTimes(const QString &nextRunTime, const QString &lastRunTime, int taskSchId)
{
    return format("Update TaskSchedule set [NextRunTime]='%s',[LastRunTime]='%s' where TaskSchID=%d",
                  {stored(nextRunTime), stored(lastRunTime), taskSchId});
}

QString selectRunNextRunTime(const QString &taskId)
{
    return format("select Min(NextRunTime) as NextRunTime from TaskSchedule where TaskID='%s'", {taskId});
}

QString selectServers()
{
    return QStringLiteral("select * from Server");
}

QString insertServer(const QString &serverId, const QString &serverIp, const QString &secretKey)
{
    return format("insert into Server([ServerID], [ServerIP],[SecretKey])values('%s', '%s', '%s')",
                  {serverId, serverIp, secretKey});
}

QString updateServer(const QString &serverIp, const QString &secretKey, const QString &serverId)
{
    return format("update Server set ServerIP ='%s', SecretKey='%s' WHERE ServerID='%s'",
                  {serverIp, secretKey, serverId});
}

QString deleteServer(const QString &serverId)
{
    return format("delete from Server where ServerID='%s'", {serverId});
}

QString selectServerSecret(const QString &serverId)
{
    return format("select SecretKey from Server where ServerID='%s'", {serverId});
}

QString selectServerIPs()
{
    return QStringLiteral("select ServerIP from Server");
}

QString selectSecretOfServerIP(const QString &serverIp)
{
    return format("select SecretKey from Server where ServerIP='%s'", {serverIp});
}

QString deletePackage(const QString &taskId)
{
    return format("delete from Package where [TaskID]= '%s'", {taskId});
}

QString selectTaskKey(const QString &taskId)
{
    return format("select TaskID from Task where TaskID='%s'", {taskId});
}

QString selectGroupKey(const QString &groupId)
{
    return format("select TaskGroupID from TaskGroup where TaskGroupID='%s'", {groupId});
}

QString selectServerKey(const QString &serverId)
{
    return format("select ServerID from Server where ServerID='%s'", {serverId});
}

QString selectTaskTransport(const QString &taskId)
{
    return format("select * from TaskTransport where TaskID='%s'", {taskId});
}

QString insertTaskTransport(const QString &taskId, const TaskTransport &t)
{
    return format(
        "insert into TaskTransport([TaskID],[Protocol],[CaFile],[CertFile],[KeyFile],"
        "[MessageAuthenticatorFirst],[RequireMessageAuthenticator])values('%s','%s','%s','%s','%s',%d,%d)",
        {taskId, t.Protocol, t.CaFile, t.CertFile, t.KeyFile, int(t.MessageAuthenticatorFirst),
         int(t.RequireMessageAuthenticator)});
}

QString deleteTaskTransport(const QString &taskId)
{
    return format("delete from TaskTransport where [TaskID]= '%s'", {taskId});
}

QString selectTaskEapSettings(const QString &taskId)
{
    return format("select * from TaskEapSettings where TaskID='%s'", {taskId});
}

QString insertTaskEapSettings(const QString &taskId, const TaskEapSettings &e)
{
    return format(
        "insert into TaskEapSettings([TaskID],[AnonymousIdentity],[InnerMethod],[CaFile],[VerifyServer],"
        "[CertFile],[KeyFile])values('%s','%s','%s','%s',%d,'%s','%s')",
        {taskId, e.AnonymousIdentity, e.InnerMethod, e.CaFile, int(e.VerifyServer), e.CertFile, e.KeyFile});
}

QString deleteTaskEapSettings(const QString &taskId)
{
    return format("delete from TaskEapSettings where [TaskID]= '%s'", {taskId});
}

} // namespace taskstore::sql
