#include "scheduling/ScheduleRules.h"

#include "scheduling/ScheduleError.h"
#include "scheduling/ScheduleTexts.h"
#include "taskstore/DateTimeText.h"

using taskstore::DateTimeText;

namespace scheduling {

namespace {
// The zero date-time: what an empty next run time stands for.
const QDate kZeroDate(1899, 12, 30);

QTime startTimeOf(const QString &startTime)
{
    const QTime time = DateTimeText::parseTime(startTime);
    if (!time.isValid())
        throw ScheduleError(QStringLiteral("'%1' is not a valid time").arg(startTime));
    return time;
}

QString withStartTime(const QDate &date, const QString &startTime)
{
    QString text = DateTimeText::dateText(date);
    if (hasStartTime(startTime))
        text += QLatin1Char(' ') + startTime.trimmed();
    return text;
}

QDateTime addInterval(int type, int count, const QDateTime &now)
{
    switch (type) {
    case taskstore::kEveryMinutes: return now.addSecs(qint64(count) * 60);
    case taskstore::kEveryHours: return now.addSecs(qint64(count) * 3600);
    default: return now.addDays(count);
    }
}
} // namespace

bool hasStartTime(const QString &startTime)
{
    const QString trimmed = startTime.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String("0");
}

std::optional<QDate> NextWeekday(const QString &withweek, const QDateTime &now)
{
    const QDate today = now.date();
    const int w = today.dayOfWeek();
    auto marked = [&](int day) { return withweek.mid(day - 1, 1) == QLatin1String("1"); };
    for (int step = 1; step <= 7; ++step) {
        const int target = (w - 1 + step) % 7 + 1;
        if (marked(target))
            return today.addDays(target > w ? target - w : 7 - w + target);
    }
    return std::nullopt;
}

QDate NextMonthDay(int day, const QDateTime &now)
{
    const QDate today = now.date();
    if (day > today.day())
        return QDate(today.year(), today.month(), day);
    if (today.month() == 12)
        return QDate(today.year() + 1, 1, day);
    return QDate(today.year(), today.month() + 1, day);
}

QString InitialNextRun(int type, const QString &ruleValue, const QString &startTime, const QDateTime &now)
{
    switch (type) {
    case taskstore::kEveryMinutes:
    case taskstore::kEveryHours:
    case taskstore::kEveryDays: {
        const QDateTime q = addInterval(type, ruleValue.trimmed().toInt(), now);
        if (!hasStartTime(startTime))
            return DateTimeText::dateTimeText(q);
        const QDateTime moment(q.date(), startTimeOf(startTime));
        if (moment <= now)
            return DateTimeText::dateTimeText(moment.addDays(1));
        return withStartTime(q.date(), startTime);
    }
    case taskstore::kWeekly: return withStartTime(NextWeekday(ruleValue, now).value_or(now.date()), startTime);
    case taskstore::kMonthly: return withStartTime(NextMonthDay(ruleValue.trimmed().toInt(), now), startTime);
    default: {
        const QDateTime once = DateTimeText::parseDateTime(ruleValue);
        if (!once.isValid())
            throw ScheduleError(QStringLiteral("'%1' is not a valid date").arg(ruleValue));
        return withStartTime(once.date(), startTime);
    }
    }
}

QString FollowingNextRun(const taskstore::ScheduleRecord &row, const QDateTime &now)
{
    QDateTime q = row.NextRunTime;
    const int type = row.ScheduleType;
    switch (type) {
    case taskstore::kEveryMinutes:
    case taskstore::kEveryHours:
    case taskstore::kEveryDays: q = addInterval(type, row.value, now); break;
    case taskstore::kWeekly:
        if (const auto date = NextWeekday(row.withweek, now))
            q = QDateTime(*date, QTime(0, 0));
        break;
    case taskstore::kMonthly: q = QDateTime(NextMonthDay(row.value, now), QTime(0, 0)); break;
    default: // once-rules keep their date
        break;
    }
    if (type == taskstore::kManualRun)
        return DateTimeText::dateText(q.isValid() ? q.date() : kZeroDate);

    const bool timedType = type == taskstore::kEveryMinutes || type == taskstore::kEveryHours;
    if (hasStartTime(row.StartTime)) {
        if (timedType && QDateTime(q.date(), startTimeOf(row.StartTime)) <= now)
            return DateTimeText::dateTimeText(now.addSecs(1000));
        return withStartTime(q.date(), row.StartTime);
    }
    return timedType ? DateTimeText::dateTimeText(q) : DateTimeText::dateText(q.date());
}

QString DescribeSchedule(const taskstore::ScheduleRecord &row)
{
    auto every = [&](const char *oneKey, const char *one, const char *manyKey, const char *many) {
        return row.value == 1 ? scheduleText(oneKey, one) : scheduleText(manyKey, many).arg(row.value);
    };
    QString text;
    switch (row.ScheduleType) {
    case taskstore::kEveryMinutes:
        text = every("Describe.EveryMinute", "Run every minute", "Describe.EveryMinutes", "Run every %1 minutes");
        break;
    case taskstore::kEveryHours:
        text = every("Describe.EveryHour", "Run every hour", "Describe.EveryHours", "Run every %1 hours");
        break;
    case taskstore::kEveryDays:
        text = every("Describe.EveryDay", "Run every day", "Describe.EveryDays", "Run every %1 days");
        break;
    case taskstore::kWeekly: {
        text = scheduleText("Describe.RunOnDays", "Run on: ");
        for (int day = 0; day < 7; ++day)
            text += row.withweek.mid(day, 1) == QLatin1String("1")
                ? (day == 0 ? QLatin1Char(' ') : QLatin1Char(',')) + dayName(day)
                : QStringLiteral(" ");
        text += QLatin1Char(' ');
        break;
    }
    case taskstore::kMonthly:
        text = scheduleText("Describe.Monthly", "Run on %1 day of every month").arg(row.value);
        break;
    case taskstore::kOnce:
        text = scheduleText("Describe.OnceAt", "Run once at : ") + DateTimeText::dateTimeText(row.NextRunTime);
        break;
    default: break;
    }
    if (hasStartTime(row.StartTime))
        text += scheduleText("Describe.StartingAt", "; Starting at ") + row.StartTime.trimmed();
    return text;
}

} // namespace scheduling
