#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>
#include <QStringList>

namespace reports {

// The description pane of the task view: the task's settings, options and schedules as
// fixed lines. Pure formatting; the caller reads the group name and the schedule
// descriptions from the store.
class TaskDescription {
public:
    // The group that holds every task, named by this key rather than by a row.
    static const QString kAllTasksGroupId; // "AllTask"

    // groupName is used unless the task belongs to kAllTasksGroupId; schedules are the
    // descriptions of the task's schedule rows, used unless the task runs by hand only.
    static QStringList lines(const taskstore::TaskRecord &task, const QString &groupName, const QStringList &schedules);
};

} // namespace reports
