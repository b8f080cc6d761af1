#include "scheduling/StartupSchedulePass.h"

#include "scheduling/ScheduleRules.h"
#include "scheduling/SchedulerEntry.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

namespace scheduling {

namespace {
// A row that holds a date alone is due all through that date, so it has passed only once
// the date is over; a moment has passed when it lies before now.
bool hasPassed(const taskstore::ScheduleRecord &row, const QDateTime &now)
{
    const SchedulerEntry entry{row.TaskID, row.ScheduleType, row.NextRunTime, row.StartTime};
    if (!entry.isTimed())
        return row.NextRunTime.isValid() && row.NextRunTime.date() < now.date();
    return !row.NextRunTime.isValid() || row.NextRunTime.msecsTo(now) >= 1;
}
} // namespace

void RunStartupSchedulePass(taskstore::Connection &mainConnection, const QDateTime &now)
{
    taskstore::Query reading(mainConnection);
    taskstore::Query updating(mainConnection);
    const QList<taskstore::ScheduleRecord> rows =
        taskstore::readScheduleRows(reading, taskstore::sql::selectRuleRows());
    for (const taskstore::ScheduleRecord &row : rows) {
        if (hasPassed(row, now))
            taskstore::ExecQuery(updating,
                                 taskstore::sql::updateNextRunTime(FollowingNextRun(row, now), row.TaskSchID));
    }
}

} // namespace scheduling
