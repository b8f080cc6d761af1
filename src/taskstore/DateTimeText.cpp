#include "taskstore/DateTimeText.h"

#include <QMutex>

#include <optional>

namespace taskstore {

namespace {
QMutex s_mutex;
std::optional<QLocale> s_locale;
// The locale's two formats, worked out once: asking the system for them on every text made
// a list of ten thousand tasks slow to fill.
struct Formats {
    QLocale locale;
    QString date;
    QString time;
};
std::optional<Formats> s_formats;
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
Formats formats()
{
    QMutexLocker lock(&s_mutex);
    if (!s_formats) {
        const QLocale locale = s_locale ? *s_locale : QLocale::system();
        s_formats = Formats{locale, widenYear(locale.dateFormat(QLocale::ShortFormat)),
                            withoutTimeZone(locale.timeFormat(QLocale::LongFormat))};
    }
    return *s_formats;
}

struct StoredParts {
    QDate date;
    QTime time;
};

// "yyyy-MM-dd HH:mm:ss" exactly, digits and separators in place; nullopt for any other
// shape, which the general parser then judges. Out-of-range digits give invalid parts.
std::optional<StoredParts> storedParts(QStringView text)
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
    return StoredParts{QDate(number(0, 4), number(5, 2), number(8, 2)),
                       QTime(number(11, 2), number(14, 2), number(17, 2))};
}
} // namespace

void DateTimeText::setLocale(const QLocale &locale)
{
    QMutexLocker lock(&s_mutex);
    s_locale = locale;
    s_formats.reset();
}

QLocale DateTimeText::locale()
{
    QMutexLocker lock(&s_mutex);
    return s_locale ? *s_locale : QLocale::system();
}

QString DateTimeText::dateFormat()
{
    return formats().date;
}

QString DateTimeText::timeFormat()
{
    return formats().time;
}

QString DateTimeText::dateTimeText(const QDateTime &moment)
{
    if (!moment.isValid())
        return {};
    // Each of date() and time() converts from the epoch through the time zone: once each.
    return joinedText(moment.date(), moment.time());
}

QString DateTimeText::joinedText(const QDate &date, const QTime &time)
{
    if (time == QTime(0, 0))
        return dateText(date);
    return dateText(date) + QLatin1Char(' ') + timeText(time);
}

QString DateTimeText::dateText(const QDate &date)
{
    const Formats texts = formats();
    return date.isValid() ? texts.locale.toString(date, texts.date) : QString();
}

QString DateTimeText::timeText(const QTime &time)
{
    const Formats texts = formats();
    return time.isValid() ? texts.locale.toString(time, texts.time) : QString();
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
    if (const std::optional<StoredParts> parts = storedParts(stored))
        return parts->date.isValid() && parts->time.isValid() ? QDateTime(parts->date, parts->time) : QDateTime();
    return QDateTime::fromString(stored, kStorageFormat);
}

QString DateTimeText::textFromStorage(const QString &stored)
{
    // The stored digits are the shown ones: no round trip through the time zone.
    if (const std::optional<StoredParts> parts = storedParts(stored))
        return parts->date.isValid() && parts->time.isValid() ? joinedText(parts->date, parts->time) : QString();
    return dateTimeText(QDateTime::fromString(stored, kStorageFormat));
}

} // namespace taskstore
