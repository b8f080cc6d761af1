#include "taskdef/TaskLoader.h"

#include "scheduling/ScheduleRules.h"
#include "taskdef/EscapedForm.h"
#include "taskdef/PacketTextReader.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/TaskReader.h"

namespace taskdef {

scheduling::ScheduleListRow scheduleListRow(const taskstore::ScheduleRecord &record)
{
    scheduling::ScheduleListRow row;
    row.display = scheduling::DescribeSchedule(record);
    row.type = record.ScheduleType;
    switch (record.ScheduleType) {
    case taskstore::kWeekly: row.value = record.withweek; break;
    case taskstore::kOnce:
    case 6: row.value = taskstore::DateTimeText::dateTimeText(record.NextRunTime); break;
    default: row.value = QString::number(record.value); break;
    }
    row.startTime = record.StartTime;
    row.id = QString::number(record.TaskSchID);
    return row;
}

std::optional<LoadedTask> loadTaskForEditing(taskstore::Connection &connection, const QString &taskId)
{
    LoadedTask loaded;
    taskstore::Query query(connection);
    loaded.task = taskstore::readTaskRecord(query, taskId);
    if (loaded.task.TaskID.isEmpty())
        return std::nullopt;

    // Every packet of the file, however many, so that saving keeps them all. The schedules
    // are read even when the file is missing, so that a save does not silently turn a
    // scheduled task into a manual one.
    QString error;
    if (const auto packets = PacketTextReader::readFile(taskstore::scriptFilePath(taskId), &error)) {
        loaded.scriptError = error;
        int key = 0;
        for (qsizetype k = 0; k < packets->size(); ++k) {
            const QString name = QStringLiteral("Packet%1").arg(k + 1);
            QList<AttributeRow> rows;
            for (const ScriptPair &pair : packets->at(k))
                rows.append({pair.nameText(), EscapedForm::fromOctets(pair.value), QString::number(++key), name});
            loaded.packets.setPacketRows(name, rows);
        }
    }
    if (loaded.task.RunType != taskstore::kRunManually)
        for (const taskstore::ScheduleRecord &record : taskstore::readScheduleRecords(query, taskId))
            loaded.schedules << scheduleListRow(record);
    const auto expectations = taskstore::ExpectationStore(connection).expectationsOf(taskId);
    if (!expectations.ok())
        throw taskstore::DatabaseError(expectations.error());
    loaded.expectations = expectations.value();
    return loaded;
}

} // namespace taskdef
