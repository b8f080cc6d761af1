#include "taskstore/DateTimeText.h"

#include <gtest/gtest.h>

using taskstore::DateTimeText;

namespace {
struct LocaleGuard {
    explicit LocaleGuard(const QLocale &locale) { DateTimeText::setLocale(locale); }
    ~LocaleGuard() { DateTimeText::setLocale(QLocale::system()); }
};

// Stored texts: well formed, out of range, or of another shape.
const char *const kStored[] = {
    "2026-12-10 14:05:09",  "2030-06-01 00:00:00",  "1999-11-30 23:59:59", "2028-02-29 12:00:00",
    "2027-02-29 12:00:00",  "2026-13-01 10:00:00",  "2026-04-31 10:00:00", "2026-01-01 24:00:00",
    "2026-01-01 10:60:00",  "2026-01-01 10:00:60",  "0000-01-01 10:00:00", "2026-1-01 10:00:00",
    "2026-01-01T10:00:00",  "2026-01-01 10:00",     "2026-01-01",          "",
    " 2026-01-01 10:00:00", "2026-01-01 10:00:00 ", "2026/01/01 10:00:00", "2026-01-01 1a:00:00",
    "２026-01-01 10:00:00",
};
} // namespace

TEST(DateTimeText, EveryLocaleReadsBackTheSameMoment)
{
    const QDateTime moments[] = {
        QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)),
        QDateTime(QDate(2031, 1, 2), QTime(0, 0, 1)),
        QDateTime(QDate(2026, 3, 4), QTime(0, 0)),
        QDateTime(QDate(1999, 11, 30), QTime(23, 59, 59)),
    };
    for (const char *name : {"C", "en_US", "en_GB", "de_DE", "zh_CN", "ja_JP", "fr_FR"}) {
        LocaleGuard guard{QLocale(QString::fromLatin1(name))};
        EXPECT_TRUE(DateTimeText::dateFormat().contains("yyyy")) << name;
        EXPECT_FALSE(DateTimeText::timeFormat().contains('t')) << name;
        for (const QDateTime &moment : moments) {
            const QString text = DateTimeText::dateTimeText(moment);
            EXPECT_EQ(DateTimeText::parseDateTime(text), moment) << name << " " << text.toStdString();
        }
    }
}

TEST(DateTimeText, MidnightHasNoTimeAndStorageIsIso)
{
    LocaleGuard guard{QLocale(QStringLiteral("de_DE"))};
    EXPECT_EQ(DateTimeText::dateTimeText(QDateTime(QDate(2026, 3, 4), QTime(0, 0))), "04.03.2026");
    EXPECT_EQ(DateTimeText::dateTimeText(QDateTime(QDate(2026, 3, 4), QTime(7, 8, 9))), "04.03.2026 07:08:09");
    EXPECT_EQ(DateTimeText::toStorage(QDateTime(QDate(2026, 3, 4), QTime(7, 8, 9))), "2026-03-04 07:08:09");
    EXPECT_FALSE(DateTimeText::parseDateTime("").isValid());
    EXPECT_FALSE(DateTimeText::parseDateTime("not a date").isValid());
}

// Stored texts read back exactly as the general "yyyy-MM-dd HH:mm:ss" parser reads them,
// whether well formed, out of range or of another shape.
TEST(DateTimeText, StoredTextReadsAsTheFormatParserReadsIt)
{
    for (const char *text : kStored) {
        const QString value = QString::fromUtf8(text);
        const QDateTime expected = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QDateTime read = DateTimeText::fromStorage(value);
        EXPECT_EQ(read.isValid(), expected.isValid()) << text;
        if (expected.isValid()) {
            EXPECT_EQ(read, expected) << text;
        }
    }
}

// A stored text shows as its moment does, in whichever locale was set last; a text that is
// no moment shows as nothing.
TEST(DateTimeText, StoredTextShowsAsItsMomentInTheLocaleSetLast)
{
    QStringList shown;
    for (const char *name : {"de_DE", "en_US", "zh_CN"}) {
        LocaleGuard guard{QLocale(QString::fromLatin1(name))};
        for (const char *text : kStored) {
            const QString value = QString::fromUtf8(text);
            EXPECT_EQ(DateTimeText::textFromStorage(value),
                      DateTimeText::dateTimeText(DateTimeText::fromStorage(value)))
                << name << " " << text;
        }
        shown << DateTimeText::textFromStorage("2026-03-04 07:08:09");
    }
    EXPECT_EQ(shown.at(0), "04.03.2026 07:08:09");
    EXPECT_NE(shown.at(1), shown.at(0));
    EXPECT_NE(shown.at(2), shown.at(1));
    LocaleGuard guard{QLocale(QStringLiteral("de_DE"))};
    EXPECT_EQ(DateTimeText::textFromStorage("2026-03-04 00:00:00"), "04.03.2026");
    EXPECT_EQ(DateTimeText::textFromStorage("2026-13-04 07:08:09"), "");
}
