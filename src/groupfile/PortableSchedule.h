#pragma once

#include "scheduling/ScheduleListRow.h"

#include <QString>

#include <optional>

namespace groupfile {

// A schedule rule in the form a group file keeps it: the same on every machine, whatever
// its regional date and time formats ("2026-12-01 10:00:00", "08:30:00").
struct PortableSchedule {
    QString kind;  // every-minutes, every-hours, every-days, weekly, monthly, once
    QString value; // N, the Monday-first mask of seven 0/1, the day of the month, or the once date
    QString start; // "0" or HH:mm:ss
};

PortableSchedule toPortable(const scheduling::ScheduleListRow &row);
// The rule in this machine's regional form; nothing, with the reason, when the kind or a
// value does not read.
std::optional<scheduling::ScheduleListRow> fromPortable(const PortableSchedule &rule, QString *reason);

} // namespace groupfile
