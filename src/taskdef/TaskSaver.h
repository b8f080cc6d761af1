#pragma once

#include "scheduling/ScheduleListRow.h"
#include "taskdef/TaskListRow.h"
#include "taskstore/Expectation.h"
#include "taskstore/TaskRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>

namespace taskstore {
class Connection;
}

namespace taskdef {

// Everything the task editor saves for one task.
struct TaskDraft {
    taskstore::TaskRecord task;    // RunType decides between the manual row and the rules
    bool replacesExisting = false; // modify mode: the task's old rows and file go
    QList<scheduling::ScheduleListRow> schedules;
    std::optional<QByteArray> script;                 // the packet script file text; none when no rows
    QList<taskstore::PacketExpectation> expectations; // numbered by the packets' places in the file
};

// Replaces a task in the database and its packet script file as one step: either the new
// task is stored whole, or the previous one stays as it was.
class TaskSaver {
public:
    explicit TaskSaver(taskstore::Connection &connection);

    // Throws SaveError (file), taskstore::DatabaseError (statement) or
    // scheduling::ScheduleError (a rule whose times do not read).
    TaskListRow save(const TaskDraft &draft, const QDateTime &now);

private:
    taskstore::Connection &m_connection;
};

} // namespace taskdef
