#pragma once

#include "platform/ScriptFilePath.h"
#include "taskstore/ScheduleRecord.h"
#include "taskstore/TaskRecord.h"

#include <QList>
#include <QString>

namespace taskstore {

class Query;

// The packet script file of a task lies beside the program, where the clients read it too.
using platform::scriptFilePath;
using platform::scriptRelativePath;

// Reads a task's Task row and TaskOption row on the given query object; a missing row
// leaves empty texts and zeros. Throws DatabaseError.
TaskRecord readTaskRecord(Query &query, const QString &taskId);

// A task's TaskTransport row; the defaults when it has none. Throws DatabaseError.
TaskTransport readTaskTransport(Query &query, const QString &taskId);
// A task's TaskEapSettings row; the defaults when it has none. Throws DatabaseError.
TaskEapSettings readTaskEapSettings(Query &query, const QString &taskId);

// Opens `sql` on the query and reads every TaskSchedule row it returns, in order.
// Throws DatabaseError.
QList<ScheduleRecord> readScheduleRows(Query &query, const QString &sql);
// Every TaskSchedule row of a task ("select * from TaskSchedule where TaskID='%s' ").
QList<ScheduleRecord> readScheduleRecords(Query &query, const QString &taskId);

// The latest LastRunTime and the earliest NextRunTime over a task's schedule rows, as
// text; empty when the task has none.
QString lastRunTimeText(Query &query, const QString &taskId);
QString nextRunTimeText(Query &query, const QString &taskId);

// Removes a task's rows (Package too when asked), its expectations and run history, and
// its packet script file.
void deleteTaskRows(Query &query, const QString &taskId, bool includingPackage);

} // namespace taskstore
