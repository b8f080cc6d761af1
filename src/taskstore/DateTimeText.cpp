#include "taskstore/DateTimeText.h"

#include <QMutex>

#include <optional>

namespace taskstore {

namespace {
QMutex s_mutex;
std::optional<QLocale> s_locale;
const QString kStorageFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString widenYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString withoutTimeZone(QString format)
{
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}
} // namespace

void DateTimeText::setLocale(const QLocale &locale)
{
    QMutexLocker lock(&s_mutex);
    s_locale = locale;
}

QLocale DateTimeText::locale()
{
    QMutexLocker lock(&s_mutex);
    return s_locale ? *s_locale : QLocale::system();
}

QString DateTimeText::dateFormat()
{
    return widenYear(locale().dateFormat(QLocale::ShortFormat));
}

QString DateTimeText::timeFormat()
{
    return withoutTimeZone(locale().timeFormat(QLocale::LongFormat));
}

QString DateTimeText::dateTimeText(const QDateTime &moment)
{
    if (!moment.isValid())
        return {};
    if (moment.time() == QTime(0, 0))
        return dateText(moment.date());
    return dateText(moment.date()) + QLatin1Char(' ') + timeText(moment.time());
}

QString DateTimeText::dateText(const QDate &date)
{
    return date.isValid() ? locale().toString(date, dateFormat()) : QString();
}

QString DateTimeText::timeText(const QTime &time)
{
    return time.isValid() ? locale().toString(time, timeFormat()) : QString();
}

QDate DateTimeText::parseDate(const QString &text)
{
    return locale().toDate(text.trimmed(), dateFormat());
}

QTime DateTimeText::parseTime(const QString &text)
{
    return locale().toTime(text.trimmed(), timeFormat());
}

QDateTime DateTimeText::parseDateTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QLocale loc = locale();
    QDateTime full = loc.toDateTime(trimmed, dateFormat() + QLatin1Char(' ') + timeFormat());
    if (full.isValid())
        return full;
    const QDate date = parseDate(trimmed);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

QString DateTimeText::toStorage(const QDateTime &moment)
{
    return moment.isValid() ? moment.toString(kStorageFormat) : QString();
}

QDateTime DateTimeText::fromStorage(const QString &stored)
{
    return QDateTime::fromString(stored, kStorageFormat);
}

} // namespace taskstore
