#include "scheduling/ScheduleRuleInput.h"

#include "taskstore/DateTimeText.h"

using taskstore::DateTimeText;

namespace scheduling {

namespace {
const char *const kUnitOne[] = {"minute", "hour", "day"};
const char *const kUnitMany[] = {"minute(s)", "hour(s)", "day(s)"};
// The description walks the week from Sunday; the boxes run from Monday.
const char *const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thurday", "Friday", "Saturday"};

QString describeWeek(const std::array<bool, 7> &mondayFirst)
{
    std::array<bool, 7> sundayFirst{};
    sundayFirst[0] = mondayFirst[6];
    for (int i = 0; i < 6; ++i)
        sundayFirst[i + 1] = mondayFirst[i];

    QString text = QStringLiteral("Run on:");
    for (int day = 0; day < 7; ++day) {
        if (!sundayFirst[day]) {
            text += QLatin1Char(' ');
            continue;
        }
        text += QLatin1String(kDayNames[day]);
        if (day == 6)
            continue;
        bool laterChecked = false;
        for (int later = day + 1; later < 7; ++later)
            laterChecked = laterChecked || sundayFirst[later];
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
        QString text = n == QLatin1String("1")
            ? QStringLiteral("Run every %1").arg(QLatin1String(kUnitOne[type]))
            : QStringLiteral("Run every %1 %2").arg(n, QLatin1String(kUnitMany[type]));
        if (hasStartTime)
            text += QStringLiteral("; Starting at %1.").arg(startText);
        return text;
    }
    case 3: {
        QString text = describeWeek(weekdays);
        if (hasStartTime)
            text += QStringLiteral("; Starting at: %1.").arg(startText);
        return text;
    }
    case 4:
        return hasStartTime
            ? QStringLiteral("Run on %1 day of every month; starting at %2").arg(monthDay).arg(startText)
            : QStringLiteral("Run on %1 day of every month").arg(monthDay);
    default: {
        QString text = QStringLiteral("Run on ") + DateTimeText::dateText(onceDate);
        if (hasStartTime)
            text += QLatin1Char(' ') + startText;
        return text;
    }
    }
}

QString ScheduleRuleInput::check(const QDateTime &now) const
{
    switch (type) {
    case 0: return interval.trimmed().isEmpty() ? QStringLiteral("Minutes is empty!") : QString();
    case 1: return interval.trimmed().isEmpty() ? QStringLiteral("Hours is empty!") : QString();
    case 2: return interval.trimmed().isEmpty() ? QStringLiteral("Days is empty!") : QString();
    case 3: return withweek().contains(QLatin1Char('1')) ? QString() : QStringLiteral("None selected day!");
    case 5:
        if (hasStartTime) {
            // The moment as it will be stored: its texts, read back.
            const QDateTime moment = DateTimeText::parseDateTime(DateTimeText::dateText(onceDate) + QLatin1Char(' ')
                                                                 + DateTimeText::timeText(startTime));
            if (!moment.isValid() || moment <= now)
                return QStringLiteral("The run date is earlier current date!");
        } else if (onceDate < now.date()) {
            return QStringLiteral("The run date is earlier than current date!");
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
