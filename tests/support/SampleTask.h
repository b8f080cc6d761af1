#pragma once

#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskRecord.h"

namespace testsupport {

// A PAP access request to 127.0.0.1:1812 run by hand, one request at a time; each test
// changes the fields it looks at.
inline taskstore::TaskRecord sampleTask(const QString &id = "42")
{
    taskstore::TaskRecord t;
    t.TaskID = id;
    t.GroupID = "AllTask";
    t.TaskName = "check";
    t.ServerIP = "127.0.0.1";
    t.SecretKey = "testing123";
    t.Port = 1812;
    t.RequestType = taskstore::kAuth;
    t.RequestTypeCode = 1;
    t.AuthMode = "PAP";
    t.RunType = taskstore::kRunManually;
    t.StartID = 0;
    t.ReplyTimeout = 3;
    t.RetryTimes = 3;
    t.RepeatTimes = 1;
    t.NumPerSec = 0;
    t.NumInParall = 1;
    return t;
}

// Writes the task's Task row and TaskOption row.
inline void insertTaskRows(taskstore::Query &query, const taskstore::TaskRecord &task)
{
    taskstore::ExecQuery(query, taskstore::sql::insertTask(task));
    taskstore::ExecQuery(query, taskstore::sql::insertTaskOption(task));
}

} // namespace testsupport
