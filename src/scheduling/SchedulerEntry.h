#pragma once

#include <QDateTime>
#include <QString>

namespace scheduling {

// One rule row as the scheduler reads it.
struct SchedulerEntry {
    QString TaskID;
    int ScheduleType = 0;
    QDateTime NextRunTime;
    QString StartTime;

    // Rows with a start time and rows of types 0 and 1 hold a moment; the others a date.
    bool isTimed() const;
};

// Due in this very second (timed rows) or on this date (the others).
bool IsDue(const SchedulerEntry &entry, const QDateTime &now);

// The scheduler's test: a timed row is due when its second lies after `coveredUpTo` (the
// last second an earlier pass covered) and not after now, so a second that falls
// between two passes is not lost; the others as IsDue.
bool IsDueSince(const SchedulerEntry &entry, const QDateTime &coveredUpTo, const QDateTime &now);

} // namespace scheduling
