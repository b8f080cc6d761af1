#pragma once

#include <QDateTime>
#include <QString>

namespace taskstore {

// ScheduleType values: rule rows 0 to 5, the manual-run row 19.
enum ScheduleType {
    kEveryMinutes = 0,
    kEveryHours = 1,
    kEveryDays = 2,
    kWeekly = 3,
    kMonthly = 4,
    kOnce = 5,
    kManualRun = 19,
};

// One TaskSchedule row.
struct ScheduleRecord {
    int TaskSchID = 0;
    QString TaskID;
    int ScheduleType = 0;
    int value = 0;
    QString withweek;  // seven '0'/'1', Monday first
    QString StartTime; // "0", or a time text
    QDateTime LastRunTime;
    QDateTime NextRunTime;
};

} // namespace taskstore
