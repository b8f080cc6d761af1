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
// "yyyy-MM-dd HH:mm:ss" exactly, digits and separators in place; nullopt for any other
// shape, which the general parser then judges.
std::optional<QDateTime> fromStorageDigits(QStringView text)
{
    static constexpr char kShape[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != qsizetype(sizeof kShape - 1))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (kShape[i] == 'd' ? (c < u'0' || c > u'9') : c != char16_t(kShape[i]))
            return std::nullopt;
    }
    const auto number = [text](qsizetype from, qsizetype length) {
        int value = 0;
        for (qsizetype i = from; i < from + length; ++i)
            value = value * 10 + (text[i].unicode() - u'0');
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
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
    // Each of date() and time() converts from the epoch through the time zone: once each.
    const QDate date = moment.date();
    const QTime time = moment.time();
    if (time == QTime(0, 0))
        return dateText(date);
    return dateText(date) + QLatin1Char(' ') + timeText(time);
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
    // The stored form is fixed; reading its digits directly is a hundred times cheaper than
    // the general format parser, which dominated filling a list of ten thousand tasks.
    if (const std::optional<QDateTime> moment = fromStorageDigits(stored))
        return *moment;
    return QDateTime::fromString(stored, kStorageFormat);
}

} // namespace taskstore
