#pragma once

#include "taskdef/TaskListRow.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace taskstore {
class Connection;
}

namespace taskdef {

// The name a duplicate of the task `name` gets.
QString duplicateName(const QString &name);

// Stores a copy of a task under `newTaskId`: its options, schedules and script file,
// named duplicateName(), in the same group, saved as the task editor saves. Nothing when
// the task is not stored. Throws what TaskSaver::save throws, and SaveError when the
// script file cannot be read.
std::optional<TaskListRow> duplicateTask(taskstore::Connection &connection, const QString &taskId,
                                         const QString &newTaskId, const QDateTime &now);

} // namespace taskdef
