#include "runner/TaskSelection.h"

#include "runner/RunnerOptions.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/GroupStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace runner {

namespace {
struct StoredTask {
    SelectedTask selected;
    QString groupId;
};

QList<taskstore::GroupRow> storedGroups(taskstore::Connection &connection)
{
    const taskstore::StoreResult<QList<taskstore::GroupRow>> groups = taskstore::GroupStore(connection).groups();
    if (!groups.ok())
        throw taskstore::DatabaseError(groups.error());
    return groups.value();
}

QList<StoredTask> storedTasks(taskstore::Connection &connection)
{
    QHash<QString, QString> groupNames;
    for (const taskstore::GroupRow &group : storedGroups(connection))
        groupNames.insert(group.id, group.name);
    taskstore::Query list(connection);
    taskstore::OpenQuery(list, taskstore::sql::selectTaskList());
    taskstore::Query query(connection);
    QList<StoredTask> tasks;
    for (list.first(); !list.atEnd(); list.next()) {
        const taskstore::TaskRecord record = taskstore::readTaskRecord(query, list.asText(QStringLiteral("TaskID")));
        tasks.append({{record.TaskID, record.TaskName, groupNames.value(record.GroupID)}, record.GroupID});
    }
    return tasks;
}
} // namespace

std::optional<QString> groupIdOf(taskstore::Connection &connection, const QString &groupName)
{
    for (const taskstore::GroupRow &group : storedGroups(connection))
        if (group.name == groupName)
            return group.id;
    return std::nullopt;
}

std::optional<QList<SelectedTask>> selectTasks(taskstore::Connection &connection, const RunnerOptions &options,
                                               QString *error)
{
    const QList<StoredTask> tasks = storedTasks(connection);
    QSet<QString> chosen;
    for (const QString &group : options.groups) {
        qsizetype found = 0;
        for (const StoredTask &task : tasks)
            if (task.selected.groupName == group && ++found)
                chosen.insert(task.selected.taskId);
        if (found == 0 && !groupIdOf(connection, group)) {
            *error = QStringLiteral("no group is named \"%1\"").arg(group);
            return std::nullopt;
        }
    }
    for (const QString &name : options.tasks) {
        qsizetype found = 0;
        for (const StoredTask &task : tasks)
            if (task.selected.taskName == name && ++found)
                chosen.insert(task.selected.taskId);
        if (found == 0) {
            *error = QStringLiteral("no task is named \"%1\"").arg(name);
            return std::nullopt;
        }
    }
    QList<SelectedTask> selected;
    for (const StoredTask &task : tasks)
        if (options.all || chosen.contains(task.selected.taskId))
            selected << task.selected;
    std::sort(selected.begin(), selected.end(), [](const SelectedTask &a, const SelectedTask &b) {
        return std::tie(a.groupName, a.taskName, a.taskId) < std::tie(b.groupName, b.taskName, b.taskId);
    });
    return selected;
}

} // namespace runner
