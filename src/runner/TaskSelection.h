#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace taskstore {
class Connection;
}

namespace runner {

struct RunnerOptions;

struct SelectedTask {
    QString taskId;
    QString taskName;
    QString groupName; // empty for a task outside every group
};

// The tasks the options name, each once: --all every task, --group every task of each
// group of that name, --task every task of that name; ordered by group, then name. Nothing,
// with the reason, when a name matches no group or task. Throws taskstore::DatabaseError.
std::optional<QList<SelectedTask>> selectTasks(taskstore::Connection &connection, const RunnerOptions &options,
                                               QString *error);

// The key of the first group of that name; nothing when there is none. Throws DatabaseError.
std::optional<QString> groupIdOf(taskstore::Connection &connection, const QString &groupName);

} // namespace runner
