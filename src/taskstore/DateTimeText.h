#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace taskstore {

// The text forms of dates and times as the user's regional settings write them: the
// short date format (a two-digit year widened to four digits) and the long time format
// (without its time-zone part). The database keeps ISO-8601 text instead, so that min and
// max order chronologically; these functions translate between the two.
class DateTimeText {
public:
    // The locale whose formats are used; the system's unless a test sets another.
    static void setLocale(const QLocale &locale);
    static QLocale locale();
    static QString dateFormat();
    static QString timeFormat();

    // Date, one blank, time; the blank and time are left out at exactly midnight.
    static QString dateTimeText(const QDateTime &moment);
    static QString dateText(const QDate &date);
    static QString timeText(const QTime &time);

    // Reads "date time" or "date" (midnight); invalid when it is neither.
    static QDateTime parseDateTime(const QString &text);
    static QDate parseDate(const QString &text);
    static QTime parseTime(const QString &text);

    // The stored form "yyyy-MM-dd HH:mm:ss"; empty for an invalid moment.
    static QString toStorage(const QDateTime &moment);
    static QDateTime fromStorage(const QString &stored);
    // A stored moment as dateTimeText writes it; empty when the text is no moment.
    static QString textFromStorage(const QString &stored);

private:
    static QString joinedText(const QDate &date, const QTime &time);
};

} // namespace taskstore
