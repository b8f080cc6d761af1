#pragma once

#include <QString>

namespace scheduling {

// One row of the task editor's schedule list: a rule as the schedule editor hands it back
// or as the task editor loads it from a stored row.
struct ScheduleListRow {
    QString display;                         // the description shown
    int type = 0;                            // ScheduleType 0..5
    QString value;                           // N, the withweek mask, the day of the month, or the once date
    QString startTime = QStringLiteral("0"); // "0" or a time text
    QString id = QStringLiteral("-1");       // the TaskSchID, "-1" for a rule not stored yet
};

} // namespace scheduling
