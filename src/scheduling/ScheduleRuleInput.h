#pragma once

#include "scheduling/ScheduleListRow.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>

namespace scheduling {

// The inputs of the schedule editor, without the window: what the description, the
// checks and the finished row are made from.
struct ScheduleRuleInput {
    int type = 0;
    QString interval; // the N field of the current type (types 0 to 2)
    std::array<bool, 7> weekdays{true, true, true, true, true, true, true}; // Monday first
    int monthDay = 1;
    QDate onceDate;
    bool hasStartTime = false;
    QTime startTime{9, 0, 0};

    // "1"/"0" per weekday, Monday first.
    QString withweek() const;
    // The live description shown at the top of the editor.
    QString describe() const;
    // The message that refuses the rule, or empty when it is valid.
    QString check(const QDateTime &now) const;
    // The row handed to the task editor.
    ScheduleListRow toRow(const QString &display) const;
};

} // namespace scheduling
