#pragma once

#include "scheduling/ScheduleListRow.h"
#include "taskdef/TaskPackets.h"
#include "taskstore/Expectation.h"
#include "taskstore/ScheduleRecord.h"
#include "taskstore/TaskRecord.h"

#include <QList>
#include <QString>

#include <optional>

namespace taskstore {
class Connection;
}

namespace taskdef {

// A stored task as the task editor shows it.
struct LoadedTask {
    taskstore::TaskRecord task;
    TaskPackets packets;                          // "Packet1".. with keys 1.. in file order
    QList<scheduling::ScheduleListRow> schedules; // for a scheduled task, as stored
    QString scriptError;                          // why the script file was read only in part; empty when whole
    QList<taskstore::PacketExpectation> expectations;
};

// Reads a task for editing: its rows, every packet of its script file (a missing file
// gives none), its schedule rows and its expectations. Nothing when the task is not stored; throws
// taskstore::DatabaseError.
std::optional<LoadedTask> loadTaskForEditing(taskstore::Connection &connection, const QString &taskId);

// The schedule list row of a stored schedule row.
scheduling::ScheduleListRow scheduleListRow(const taskstore::ScheduleRecord &record);

} // namespace taskdef
