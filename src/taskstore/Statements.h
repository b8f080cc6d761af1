#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>

// Every statement the program issues, as complete texts. Text values are placed between
// single quotes with any single quote doubled, so a name like "O'Brien" stays one value.
// Date-time values are given in their regional text form and stored as ISO-8601 text.
namespace taskstore::sql {

// TaskGroup
QString selectAllGroups();
QString insertGroup(const QString &groupId, const QString &name);
QString renameGroup(const QString &name, const QString &groupId);
QString deleteGroup(const QString &groupId);
QString selectGroupName(const QString &groupId);

// Task
QString selectTaskList();
QString selectTaskListOfGroup(const QString &groupId);
QString selectTask(const QString &taskId);
QString selectRunType(const QString &taskId);
QString insertTask(const TaskRecord &task);
QString deleteTask(const QString &taskId);

// TaskOption
QString selectTaskOption(const QString &taskId);
QString insertTaskOption(const TaskRecord &task);
QString deleteTaskOption(const QString &taskId);

// TaskSchedule
QString selectLastRunTime(const QString &taskId);
QString selectNextRunTime(const QString &taskId);
// Both of the above for every task at once, one row per task that has schedule rows.
QString selectRunTimesOfAllTasks();
QString selectSchedules(const QString &taskId);
QString selectEditorNextRunTime(const QString &taskId);
QString insertIntervalSchedule(const QString &taskId, int type, int value, const QString &lastRunTime,
                               const QString &nextRunTime, const QString &startTime);
QString insertWeeklySchedule(const QString &taskId, int type, const QString &withweek, const QString &startTime,
                             const QString &lastRunTime, const QString &nextRunTime);
QString insertMonthlySchedule(const QString &taskId, int type, const QString &value, const QString &startTime,
                              const QString &lastRunTime, const QString &nextRunTime);
QString insertOnceSchedule(const QString &taskId, int type, const QString &startTime, const QString &lastRunTime,
                           const QString &nextRunTime);
QString insertManualRunRow(const QString &taskId, const QString &lastRunTime);
QString deleteSchedules(const QString &taskId);
QString selectRuleRows();
QString updateNextRunTime(const QString &nextRunTime, int taskSchId);
QString selectCheckRows();
QString selectRunSchedules(const QString &taskId);
QString updateRunTimes(const QString &nextRunTime, const QString &lastRunTime, int taskSchId);
QString selectRunNextRunTime(const QString &taskId);

// Server
QString selectServers();
QString insertServer(const QString &serverId, const QString &serverIp, const QString &secretKey);
QString updateServer(const QString &serverIp, const QString &secretKey, const QString &serverId);
QString deleteServer(const QString &serverId);
QString selectServerSecret(const QString &serverId);
QString selectServerIPs();
QString selectSecretOfServerIP(const QString &serverIp);

// Package
QString deletePackage(const QString &taskId);

// Key lookups, so that a new key is drawn again while it is taken.
QString selectTaskKey(const QString &taskId);
QString selectGroupKey(const QString &groupId);
QString selectServerKey(const QString &serverId);

// TaskTransport
QString selectTaskTransport(const QString &taskId);
QString insertTaskTransport(const QString &taskId, const TaskTransport &t);
QString deleteTaskTransport(const QString &taskId);

// TaskEapSettings
QString selectTaskEapSettings(const QString &taskId);
QString insertTaskEapSettings(const QString &taskId, const TaskEapSettings &e);
QString deleteTaskEapSettings(const QString &taskId);

} // namespace taskstore::sql
