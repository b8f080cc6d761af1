#include "scheduling/ScheduleRuleInput.h"

#include "scheduling/ScheduleTexts.h"
#include "taskstore/DateTimeText.h"

using taskstore::DateTimeText;

namespace scheduling {

namespace {
QString describeWeek(const std::array<bool, 7> &mondayFirst)
{
    // The description walks the week from Sunday; the boxes run from Monday.
    auto checked = [&](int sundayFirst) { return mondayFirst[size_t((sundayFirst + 6) % 7)]; };
    QString text = scheduleText("Input.RunOnDays", "Run on:");
    for (int day = 0; day < 7; ++day) {
        if (!checked(day)) {
            text += QLatin1Char(' ');
            continue;
        }
        text += dayName((day + 6) % 7);
        if (day == 6)
            continue;
        bool laterChecked = false;
        for (int later = day + 1; later < 7; ++later)
            laterChecked = laterChecked || checked(later);
        text += laterChecked ? QLatin1Char(',') : QLatin1Char(' ');
    }
    return text + QLatin1Char(' ');
}
} // namespace

QString ScheduleRuleInput::withweek() const
{
    QString mask;
    for (bool day : weekdays)
        mask += day ? QLatin1Char('1') : QLatin1Char('0');
    return mask;
}

QString ScheduleRuleInput::describe() const
{
    const QString startText = DateTimeText::timeText(startTime);
    switch (type) {
    case 0:
    case 1:
    case 2: {
        const QString n = interval.trimmed();
        static const char *const oneKeys[] = {"Describe.EveryMinute", "Describe.EveryHour", "Describe.EveryDay"};
        static const char *const ones[] = {"Run every minute", "Run every hour", "Run every day"};
        static const char *const manyKeys[] = {"Input.EveryMinutes", "Input.EveryHours", "Input.EveryDays"};
        static const char *const manys[] = {"Run every %1 minute(s)", "Run every %1 hour(s)", "Run every %1 day(s)"};
        QString text = n == QLatin1String("1") ? scheduleText(oneKeys[type], ones[type])
                                               : scheduleText(manyKeys[type], manys[type]).arg(n);
        if (hasStartTime)
            text += scheduleText("Input.StartingAt", "; Starting at %1.").arg(startText);
        return text;
    }
    case 3: {
        QString text = describeWeek(weekdays);
        if (hasStartTime)
            text += scheduleText("Input.StartingAtWeek", "; Starting at: %1.").arg(startText);
        return text;
    }
    case 4:
        return hasStartTime ? scheduleText("Input.MonthlyStarting", "Run on %1 day of every month; starting at %2")
                                  .arg(monthDay)
                                  .arg(startText)
                            : scheduleText("Describe.Monthly", "Run on %1 day of every month").arg(monthDay);
    default: {
        QString text = scheduleText("Input.RunOnDate", "Run on ") + DateTimeText::dateText(onceDate);
        if (hasStartTime)
            text += QLatin1Char(' ') + startText;
        return text;
    }
    }
}

QString ScheduleRuleInput::check(const QDateTime &now) const
{
    switch (type) {
    case 0: return interval.trimmed().isEmpty() ? scheduleText("Check.MinutesEmpty", "Minutes is empty!") : QString();
    case 1: return interval.trimmed().isEmpty() ? scheduleText("Check.HoursEmpty", "Hours is empty!") : QString();
    case 2: return interval.trimmed().isEmpty() ? scheduleText("Check.DaysEmpty", "Days is empty!") : QString();
    case 3:
        return withweek().contains(QLatin1Char('1')) ? QString() : scheduleText("Check.NoDay", "None selected day!");
    case 5:
        if (hasStartTime) {
            // The moment as it will be stored: its texts, read back.
            const QDateTime moment = DateTimeText::parseDateTime(DateTimeText::dateText(onceDate) + QLatin1Char(' ')
                                                                 + DateTimeText::timeText(startTime));
            if (!moment.isValid() || moment <= now)
                return scheduleText("Check.EarlierMoment", "The run date is earlier current date!");
        } else if (onceDate < now.date()) {
            return scheduleText("Check.EarlierDate", "The run date is earlier than current date!");
        }
        return {};
    default: return {};
    }
}

ScheduleListRow ScheduleRuleInput::toRow(const QString &display) const
{
    ScheduleListRow row;
    row.display = display;
    row.type = type;
    switch (type) {
    case 0:
    case 1:
    case 2: row.value = interval.trimmed(); break;
    case 3: row.value = withweek(); break;
    case 4: row.value = QString::number(monthDay); break;
    default: row.value = DateTimeText::dateText(onceDate); break;
    }
    row.startTime = hasStartTime ? DateTimeText::timeText(startTime) : QStringLiteral("0");
    row.id = QStringLiteral("-1");
    return row;
}

} // namespace scheduling
