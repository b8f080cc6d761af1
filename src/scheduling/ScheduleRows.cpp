#include "scheduling/ScheduleRows.h"

#include "taskstore/Query.h"

namespace scheduling {

QList<taskstore::ScheduleRecord> readScheduleRows(taskstore::Query &query, const QString &sql)
{
    taskstore::OpenQuery(query, sql);
    QList<taskstore::ScheduleRecord> rows;
    for (query.first(); !query.atEnd(); query.next()) {
        taskstore::ScheduleRecord row;
        row.TaskSchID = query.asInteger(QStringLiteral("TaskSchID"));
        row.TaskID = query.asText(QStringLiteral("TaskID"));
        row.ScheduleType = query.asInteger(QStringLiteral("ScheduleType"));
        row.value = query.asInteger(QStringLiteral("value"));
        row.withweek = query.asText(QStringLiteral("withweek"));
        row.StartTime = query.asText(QStringLiteral("StartTime"));
        row.LastRunTime = query.asDateTime(QStringLiteral("LastRunTime"));
        row.NextRunTime = query.asDateTime(QStringLiteral("NextRunTime"));
        rows << row;
    }
    return rows;
}

} // namespace scheduling
