#include "taskdef/TaskSaver.h"

#include "platform/ManualRunText.h"
#include "scheduling/ScheduleRules.h"
#include "taskdef/SaveError.h"
#include "taskdef/ScriptFileUpdate.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "taskstore/Transaction.h"

namespace taskdef {

namespace sql = taskstore::sql;
using taskstore::ExecQuery;

namespace {
QString scheduleStatement(const QString &taskId, const scheduling::ScheduleListRow &row, const QString &lastRun,
                          const QDateTime &now)
{
    const QString value = row.value.trimmed();
    const QString start = row.startTime.trimmed();
    const QString nextRun = scheduling::InitialNextRun(row.type, value, start, now);
    switch (row.type) {
    case 0:
    case 1:
    case 2: return sql::insertIntervalSchedule(taskId, row.type, value.toInt(), lastRun, nextRun, start);
    case 3: return sql::insertWeeklySchedule(taskId, 3, value, start, lastRun, nextRun);
    case 4: return sql::insertMonthlySchedule(taskId, 4, value, start, lastRun, nextRun);
    default: return sql::insertOnceSchedule(taskId, 5, start, lastRun, nextRun);
    }
}
} // namespace

TaskSaver::TaskSaver(taskstore::Connection &connection) : m_connection(connection)
{
}

TaskListRow TaskSaver::save(const TaskDraft &draft, const QDateTime &now)
{
    const taskstore::TaskRecord &task = draft.task;
    const QString nowText = taskstore::DateTimeText::dateTimeText(now);
    const bool manual = task.RunType == taskstore::kRunManually;

    // Every statement first, so that a rule whose times do not read stops the save before
    // anything has changed.
    QStringList statements;
    if (draft.replacesExisting)
        statements << sql::deleteSchedules(task.TaskID) << sql::deleteTaskOption(task.TaskID)
                   << sql::deleteTask(task.TaskID) << sql::deleteTaskTransport(task.TaskID)
                   << sql::deleteTaskEapSettings(task.TaskID);
    statements << sql::insertTask(task) << sql::insertTaskOption(task);
    // The defaults need no row: a task without one reads as them.
    if (!(task.Transport == taskstore::TaskTransport{}))
        statements << sql::insertTaskTransport(task.TaskID, task.Transport);
    if (!(task.Eap == taskstore::TaskEapSettings{}))
        statements << sql::insertTaskEapSettings(task.TaskID, task.Eap);
    if (manual)
        statements << sql::insertManualRunRow(task.TaskID, nowText);
    else
        for (const scheduling::ScheduleListRow &row : draft.schedules)
            statements << scheduleStatement(task.TaskID, row, nowText, now);

    taskstore::Transaction transaction(m_connection);
    taskstore::Query query(m_connection);
    for (const QString &statement : statements)
        ExecQuery(query, statement);
    // Inside the task's transaction: the expectations land with the task or not at all.
    const taskstore::StoreStatus expectations =
        taskstore::ExpectationStore(m_connection).replace(task.TaskID, draft.expectations);
    if (!expectations.ok())
        throw taskstore::DatabaseError(expectations.error());

    TaskListRow row{task.TaskID, task.TaskName, nowText, platform::manualRunText(), task.ServerIP, task.RunType};
    if (!manual) {
        taskstore::OpenQuery(query, sql::selectEditorNextRunTime(task.TaskID));
        row.nextRunTime = query.asText(QStringLiteral("NextRunTime"));
    }

    // A new task only ever writes its file; an existing one also loses a file it no longer needs.
    ScriptFileUpdate file(taskstore::scriptFilePath(task.TaskID));
    if (draft.script || draft.replacesExisting) {
        file.prepare(draft.script);
        file.apply();
    }
    try {
        transaction.commit();
    } catch (...) {
        try {
            file.restore();
        } catch (const SaveError &) {
            // The database error is the one to report.
        }
        throw;
    }
    return row;
}

} // namespace taskdef
