#pragma once

#include "scheduling/ScheduleListRow.h"
#include "taskstore/Expectation.h"
#include "taskstore/TaskRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace groupfile {

// One task of a group file: its Task and TaskOption values (keys are not carried), its
// schedule rules as the task editor lists them, its expectations per packet, and its
// packet script file's octets.
struct GroupTask {
    taskstore::TaskRecord task;
    QList<scheduling::ScheduleListRow> schedules;
    QList<taskstore::PacketExpectation> expectations;
    std::optional<QByteArray> script; // none when the task has no script file
};

// A group and its tasks, as a group file holds them.
struct GroupDocument {
    QString groupName;
    QList<GroupTask> tasks;
};

} // namespace groupfile
