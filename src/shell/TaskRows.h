#pragma once

#include "history/LanguageDates.h"

#include <QList>
#include <QString>

namespace taskstore {
class Query;
}

namespace shell {

// One row of the main window's task list.
struct TaskRow {
    QString taskId;
    QString taskName;
    QString lastRunTime; // latest LastRunTime of the task's schedule rows, as text
    QString nextRunTime; // "Manually", or the earliest NextRunTime, as text
    QString serverIp;
};

// The group tree's key of its root node "All Tasks".
inline const QString kAllTasksKey = QStringLiteral("AllTask");

// Reads the rows of the task list for a group node (every task for the root), in the
// order the database returns them, the times as `dates` writes them. `list` and `time`
// are two query objects; throws DatabaseError.
QList<TaskRow> readTaskRows(taskstore::Query &list, taskstore::Query &time, const QString &groupKey,
                            const history::LanguageDates &dates = {});

// One task's row, as the list shows it after the task was saved.
TaskRow readTaskRow(taskstore::Query &query, const QString &taskId, const history::LanguageDates &dates = {});

} // namespace shell
