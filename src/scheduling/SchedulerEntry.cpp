#include "scheduling/SchedulerEntry.h"

#include "scheduling/ScheduleRules.h"
#include "taskstore/ScheduleRecord.h"

namespace scheduling {

namespace {
qint64 secondOf(const QDateTime &moment)
{
    return moment.toMSecsSinceEpoch() / 1000 - (moment.toMSecsSinceEpoch() % 1000 < 0 ? 1 : 0);
}
} // namespace

bool SchedulerEntry::isTimed() const
{
    return hasStartTime(StartTime) || ScheduleType == taskstore::kEveryMinutes
        || ScheduleType == taskstore::kEveryHours;
}

bool IsDue(const SchedulerEntry &entry, const QDateTime &now)
{
    if (!entry.NextRunTime.isValid())
        return false;
    if (entry.isTimed())
        return secondOf(entry.NextRunTime) == secondOf(now);
    return entry.NextRunTime.date() == now.date();
}

bool IsDueSince(const SchedulerEntry &entry, const QDateTime &coveredUpTo, const QDateTime &now)
{
    if (!entry.NextRunTime.isValid())
        return false;
    if (!entry.isTimed())
        return IsDue(entry, now);
    const qint64 due = secondOf(entry.NextRunTime);
    return due <= secondOf(now) && (!coveredUpTo.isValid() || due > secondOf(coveredUpTo));
}

} // namespace scheduling
