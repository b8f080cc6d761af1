#include "shell/TaskRows.h"

#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "taskstore/TaskRecord.h"

namespace shell {

namespace {
TaskRow rowOf(taskstore::Query &time, const QString &taskId, const QString &name,
              const QString &serverIp, int runType)
{
    TaskRow row;
    row.taskId = taskId;
    row.taskName = name;
    row.serverIp = serverIp;
    row.lastRunTime = taskstore::lastRunTimeText(time, taskId);
    if (runType == taskstore::kRunManually)
        row.nextRunTime = kManuallyText;
    else if (runType == taskstore::kRunBySchedule)
        row.nextRunTime = taskstore::nextRunTimeText(time, taskId);
    return row;
}
} // namespace

QList<TaskRow> readTaskRows(taskstore::Query &list, taskstore::Query &time, const QString &groupKey)
{
    using taskstore::sql::selectTaskList;
    using taskstore::sql::selectTaskListOfGroup;
    taskstore::OpenQuery(list, groupKey == kAllTasksKey ? selectTaskList()
                                                        : selectTaskListOfGroup(groupKey.trimmed()));
    QList<TaskRow> rows;
    rows.reserve(list.rowCount());
    for (list.first(); !list.atEnd(); list.next())
        rows << rowOf(time, list.asText(QStringLiteral("TaskID")), list.asText(QStringLiteral("TaskName")),
                      list.asText(QStringLiteral("ServerIP")), list.asInteger(QStringLiteral("RunType")));
    return rows;
}

TaskRow readTaskRow(taskstore::Query &query, const QString &taskId)
{
    const taskstore::TaskRecord task = taskstore::readTaskRecord(query, taskId);
    return rowOf(query, task.TaskID, task.TaskName, task.ServerIP, task.RunType);
}

} // namespace shell
