#include "groupfile/GroupExport.h"

#include "taskdef/TaskDuplicate.h"
#include "taskdef/TaskLoader.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/ScheduleRecord.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

namespace groupfile {

namespace {
bool isRule(const taskstore::ScheduleRecord &record)
{
    return record.ScheduleType >= taskstore::kEveryMinutes && record.ScheduleType <= taskstore::kOnce;
}
} // namespace

GroupDocument exportGroup(taskstore::Connection &connection, const QString &groupId, const QString &groupName)
{
    GroupDocument document;
    document.groupName = groupName;
    taskstore::Query list(connection);
    taskstore::OpenQuery(list, taskstore::sql::selectTaskListOfGroup(groupId));
    taskstore::Query query(connection);
    for (list.first(); !list.atEnd(); list.next()) {
        GroupTask entry;
        entry.task = taskstore::readTaskRecord(query, list.asText(QStringLiteral("TaskID")));
        if (entry.task.RunType != taskstore::kRunManually)
            for (const taskstore::ScheduleRecord &record : taskstore::readScheduleRecords(query, entry.task.TaskID))
                if (isRule(record))
                    entry.schedules << taskdef::scheduleListRow(record);
        const taskstore::StoreResult<QList<taskstore::PacketExpectation>> expectations =
            taskstore::ExpectationStore(connection).expectationsOf(entry.task.TaskID);
        if (!expectations.ok())
            throw taskstore::DatabaseError(expectations.error());
        entry.expectations = expectations.value();
        entry.script = taskdef::scriptFileBytes(entry.task.TaskID);
        document.tasks << entry;
    }
    return document;
}

} // namespace groupfile
