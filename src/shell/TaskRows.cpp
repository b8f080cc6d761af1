#include "shell/TaskRows.h"

#include "platform/ManualRunText.h"

#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "taskstore/TaskRecord.h"

#include <QHash>

namespace shell {

namespace {
TaskRow rowOf(taskstore::Query &time, const QString &taskId, const QString &name, const QString &serverIp, int runType,
              const history::LanguageDates &dates)
{
    TaskRow row;
    row.taskId = taskId;
    row.taskName = name;
    row.serverIp = serverIp;
    row.lastRunTime = dates.fromRegionalText(taskstore::lastRunTimeText(time, taskId));
    if (runType == taskstore::kRunManually)
        row.nextRunTime = platform::manualRunText();
    else if (runType == taskstore::kRunBySchedule)
        row.nextRunTime = dates.fromRegionalText(taskstore::nextRunTimeText(time, taskId));
    return row;
}

// A stored run time as `dates` writes it; a text that is no stored moment as it is read.
QString shownTime(const taskstore::Query &time, const QString &column, const history::LanguageDates &dates)
{
    const QDateTime moment = time.asDateTime(column);
    return moment.isValid() ? dates.text(moment) : time.asText(column);
}
} // namespace

QList<TaskRow> readTaskRows(taskstore::Query &list, taskstore::Query &time, const QString &groupKey,
                            const history::LanguageDates &dates)
{
    using taskstore::sql::selectTaskList;
    using taskstore::sql::selectTaskListOfGroup;
    // The run times of every task in one statement: two statements per task made a list of
    // a thousand tasks take a third of a second.
    taskstore::OpenQuery(time, taskstore::sql::selectRunTimesOfAllTasks());
    QHash<QString, std::pair<QString, QString>> times;
    times.reserve(time.rowCount());
    for (time.first(); !time.atEnd(); time.next())
        times.insert(time.asText(QStringLiteral("TaskID")),
                     {shownTime(time, QStringLiteral("LastRunTime"), dates),
                      shownTime(time, QStringLiteral("NextRunTime"), dates)});

    taskstore::OpenQuery(list, groupKey == kAllTasksKey ? selectTaskList() : selectTaskListOfGroup(groupKey.trimmed()));
    QList<TaskRow> rows;
    rows.reserve(list.rowCount());
    for (list.first(); !list.atEnd(); list.next()) {
        TaskRow row;
        row.taskId = list.asText(QStringLiteral("TaskID"));
        row.taskName = list.asText(QStringLiteral("TaskName"));
        row.serverIp = list.asText(QStringLiteral("ServerIP"));
        const auto found = times.constFind(row.taskId);
        if (found != times.constEnd())
            row.lastRunTime = found->first;
        const int runType = list.asInteger(QStringLiteral("RunType"));
        if (runType == taskstore::kRunManually)
            row.nextRunTime = platform::manualRunText();
        else if (runType == taskstore::kRunBySchedule && found != times.constEnd())
            row.nextRunTime = found->second;
        rows << row;
    }
    return rows;
}

TaskRow readTaskRow(taskstore::Query &query, const QString &taskId, const history::LanguageDates &dates)
{
    const taskstore::TaskRecord task = taskstore::readTaskRecord(query, taskId);
    return rowOf(query, task.TaskID, task.TaskName, task.ServerIP, task.RunType, dates);
}

} // namespace shell
