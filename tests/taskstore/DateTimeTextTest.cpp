#include "taskstore/DateTimeText.h"

#include <gtest/gtest.h>

using taskstore::DateTimeText;

namespace {
struct LocaleGuard {
    explicit LocaleGuard(const QLocale &locale) { DateTimeText::setLocale(locale); }
    ~LocaleGuard() { DateTimeText::setLocale(QLocale::system()); }
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
