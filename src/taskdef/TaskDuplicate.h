#pragma once

#include "taskdef/TaskListRow.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace taskstore {
class Connection;
}

namespace taskdef {

// The task's packet script file as its octets, so that a copy keeps what the reader would
// not show; nothing when the task has none. Throws SaveError when it cannot be read.
std::optional<QByteArray> scriptFileBytes(const QString &taskId);

// The name a duplicate of the task `name` gets.
QString duplicateName(const QString &name);

// Stores a copy of a task under `newTaskId`: its options, schedules and script file,
// named duplicateName(), in the same group, saved as the task editor saves. Nothing when
// the task is not stored. Throws what TaskSaver::save throws, and SaveError when the
// script file cannot be read.
std::optional<TaskListRow> duplicateTask(taskstore::Connection &connection, const QString &taskId,
                                         const QString &newTaskId, const QDateTime &now);

} // namespace taskdef
