#include "taskdef/TaskDuplicate.h"

#include "taskdef/SaveError.h"
#include "taskdef/TaskLoader.h"
#include "taskdef/TaskSaver.h"
#include "taskstore/TaskReader.h"

#include <QFile>

namespace taskdef {

std::optional<QByteArray> scriptFileBytes(const QString &taskId)
{
    QFile file(taskstore::scriptFilePath(taskId));
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw SaveError(QStringLiteral("The packet script file \"%1\" could not be read.").arg(file.fileName()));
    return file.readAll();
}

QString duplicateName(const QString &name)
{
    return name + QStringLiteral(" (copy)");
}

std::optional<TaskListRow> duplicateTask(taskstore::Connection &connection, const QString &taskId,
                                         const QString &newTaskId, const QDateTime &now)
{
    const std::optional<LoadedTask> loaded = loadTaskForEditing(connection, taskId);
    if (!loaded)
        return std::nullopt;
    TaskDraft draft;
    draft.task = loaded->task;
    draft.task.TaskID = newTaskId;
    draft.task.TaskName = duplicateName(loaded->task.TaskName);
    draft.schedules = loaded->schedules;
    draft.script = scriptFileBytes(taskId);
    draft.expectations = loaded->expectations; // the same file, so the same packet numbers
    return TaskSaver(connection).save(draft, now);
}

} // namespace taskdef
