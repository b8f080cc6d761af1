#include "groupfile/GroupImport.h"

#include "taskdef/TaskSaver.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/GroupStore.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

namespace groupfile {

namespace {
QSet<QString> storedTaskNames(taskstore::Query &query)
{
    QSet<QString> names;
    taskstore::OpenQuery(query, taskstore::sql::selectTaskList());
    for (query.first(); !query.atEnd(); query.next())
        names.insert(query.asText(QStringLiteral("TaskName")));
    return names;
}

template <typename T>
T valueOrThrow(const taskstore::StoreResult<T> &result)
{
    if (!result.ok())
        throw taskstore::DatabaseError(result.error());
    return result.value();
}

// The group named so, or a new one.
void chooseGroup(taskstore::Connection &connection, const QString &name, ImportedGroup &imported)
{
    taskstore::GroupStore groups(connection);
    for (const taskstore::GroupRow &row : valueOrThrow(groups.groups())) {
        if (row.name == name) {
            imported.groupId = row.id;
            return;
        }
    }
    imported.groupId = valueOrThrow(groups.newGroupId());
    valueOrThrow(groups.add(imported.groupId, name));
    imported.groupCreated = true;
}

void undo(taskstore::Connection &connection, const ImportedGroup &imported)
{
    try {
        taskstore::Query query(connection);
        for (const QString &taskId : imported.taskIds)
            taskstore::deleteTaskRows(query, taskId, true);
        if (imported.groupCreated)
            taskstore::GroupStore(connection).remove(imported.groupId);
    } catch (const taskstore::DatabaseError &) {
        // The error that stopped the import is the one to report.
    }
}
} // namespace

QString freeName(const QString &name, const QSet<QString> &taken)
{
    QString candidate = name;
    for (int n = 2; taken.contains(candidate); ++n)
        candidate = QStringLiteral("%1 (%2)").arg(name).arg(n);
    return candidate;
}

ImportedGroup importGroup(taskstore::Connection &connection, const GroupDocument &document, const QDateTime &now)
{
    ImportedGroup imported;
    chooseGroup(connection, document.groupName, imported);
    try {
        taskstore::Query query(connection);
        QSet<QString> taken = storedTaskNames(query);
        for (const GroupTask &entry : document.tasks) {
            taskdef::TaskDraft draft;
            draft.task = entry.task;
            draft.task.TaskID = taskstore::NewRecordId(query, taskstore::KeyTable::Task);
            draft.task.GroupID = imported.groupId;
            draft.task.TaskName = freeName(entry.task.TaskName, taken);
            draft.schedules = entry.schedules;
            draft.script = entry.script;
            taskdef::TaskSaver(connection).save(draft, now);
            imported.taskIds << draft.task.TaskID;
            valueOrThrow(taskstore::ExpectationStore(connection).replace(draft.task.TaskID, entry.expectations));
            taken.insert(draft.task.TaskName);
            imported.taskNames << draft.task.TaskName;
        }
    } catch (...) {
        undo(connection, imported);
        throw;
    }
    return imported;
}

} // namespace groupfile
