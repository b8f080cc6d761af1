#pragma once

#include "taskstore/ScheduleRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// The schedule rules: first and following next run times and the description of a row.
// Plain functions of their inputs and "now"; texts are the regional date, time and
// date-time texts of DateTimeText. A start time of "0" means none.
namespace scheduling {

bool hasStartTime(const QString &startTime);

// The first date after today on a weekday marked in `withweek` (Monday first); nullopt
// when no weekday is marked.
std::optional<QDate> NextWeekday(const QString &withweek, const QDateTime &now);
// Day `day` of this month when it lies after today, otherwise of the next month.
QDate NextMonthDay(int day, const QDateTime &now);

// The NextRunTime text of a new row. `ruleValue` is N (types 0-2), the withweek mask
// (3), the day of the month (4) or the once-date as date or date-time text (5).
// Throws ScheduleError when a start time or once-date does not read.
QString InitialNextRun(int type, const QString &ruleValue, const QString &startTime, const QDateTime &now);
// The row's next NextRunTime text after a run or at start-up. Throws ScheduleError.
QString FollowingNextRun(const taskstore::ScheduleRecord &row, const QDateTime &now);

// The one-line description of a stored row, e.g. "Run every 5 minutes; Starting at 08:00:00".
QString DescribeSchedule(const taskstore::ScheduleRecord &row);

} // namespace scheduling
