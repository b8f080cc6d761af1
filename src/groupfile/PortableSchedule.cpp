#include "groupfile/PortableSchedule.h"

#include "taskstore/DateTimeText.h"
#include "taskstore/ScheduleRecord.h"

#include <QTime>

#include <array>

namespace groupfile {

namespace {
using taskstore::DateTimeText;

const std::array<QLatin1StringView, 6> kKinds = {
    QLatin1StringView("every-minutes"), QLatin1StringView("every-hours"), QLatin1StringView("every-days"),
    QLatin1StringView("weekly"),        QLatin1StringView("monthly"),     QLatin1StringView("once"),
};
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
const QString kNoStart = QStringLiteral("0");

int kindIndex(const QString &kind)
{
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (kind == kKinds[i])
            return int(i);
    return -1;
}

bool isWeekMask(const QString &value)
{
    if (value.size() != 7)
        return false;
    for (const QChar c : value)
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return false;
    return true;
}

bool inRange(const QString &value, int low, int high)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high;
}

// A text that reads in neither form stays as it is.
QString portableStart(const QString &start)
{
    if (start.trimmed() == kNoStart || start.trimmed().isEmpty())
        return kNoStart;
    const QTime time = DateTimeText::parseTime(start);
    return time.isValid() ? time.toString(kTimeFormat) : start;
}
} // namespace

PortableSchedule toPortable(const scheduling::ScheduleListRow &row)
{
    PortableSchedule rule;
    rule.kind = row.type >= 0 && row.type < int(kKinds.size()) ? QString(kKinds[std::size_t(row.type)])
                                                               : QString::number(row.type);
    rule.value = row.value;
    if (row.type == taskstore::kOnce) {
        const QDateTime once = DateTimeText::parseDateTime(row.value);
        if (once.isValid())
            rule.value = DateTimeText::toStorage(once);
    }
    rule.start = portableStart(row.startTime);
    return rule;
}

std::optional<scheduling::ScheduleListRow> fromPortable(const PortableSchedule &rule, QString *reason)
{
    scheduling::ScheduleListRow row;
    row.type = kindIndex(rule.kind);
    row.value = rule.value;
    switch (row.type) {
    case taskstore::kEveryMinutes:
    case taskstore::kEveryHours:
    case taskstore::kEveryDays:
        if (!inRange(rule.value, 1, 9999)) {
            *reason = QStringLiteral("the interval \"%1\" is not a number from 1 to 9999").arg(rule.value);
            return std::nullopt;
        }
        break;
    case taskstore::kWeekly:
        if (!isWeekMask(rule.value)) {
            *reason = QStringLiteral("the week days \"%1\" are not seven 0 or 1, Monday first").arg(rule.value);
            return std::nullopt;
        }
        break;
    case taskstore::kMonthly:
        if (!inRange(rule.value, 1, 31)) {
            *reason = QStringLiteral("the day of the month \"%1\" is not from 1 to 31").arg(rule.value);
            return std::nullopt;
        }
        break;
    case taskstore::kOnce: {
        const QDateTime once = DateTimeText::fromStorage(rule.value);
        if (!once.isValid()) {
            *reason = QStringLiteral("the date \"%1\" is not of the form yyyy-MM-dd HH:mm:ss").arg(rule.value);
            return std::nullopt;
        }
        row.value = DateTimeText::dateTimeText(once);
        break;
    }
    default: *reason = QStringLiteral("unknown schedule kind \"%1\"").arg(rule.kind); return std::nullopt;
    }
    if (rule.start == kNoStart) {
        row.startTime = kNoStart;
    } else {
        const QTime time = QTime::fromString(rule.start, kTimeFormat);
        if (!time.isValid()) {
            *reason = QStringLiteral("the start time \"%1\" is not 0 or HH:mm:ss").arg(rule.start);
            return std::nullopt;
        }
        row.startTime = DateTimeText::timeText(time);
    }
    return row;
}

} // namespace groupfile
