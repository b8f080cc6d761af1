#include "scheduling/ScheduleRules.h"
#include "scheduling/ScheduleError.h"
#include "scheduling/SchedulerEntry.h"
#include "scheduling/SchedulerPass.h"
#include "support/Moments.h"
#include "taskstore/DateTimeText.h"

#include <gtest/gtest.h>

using namespace scheduling;
using taskstore::DateTimeText;
using taskstore::ScheduleRecord;
using testsupport::at;

namespace {
QString momentText(const char *iso)
{
    return DateTimeText::dateTimeText(at(iso));
}
QString dateText(const char *isoDate)
{
    return DateTimeText::dateText(QDate::fromString(QString::fromLatin1(isoDate), Qt::ISODate));
}
QString timeText(int h, int m, int s = 0)
{
    return DateTimeText::timeText(QTime(h, m, s));
}

ScheduleRecord row(int type, int value, const QString &startTime, const QDateTime &next, const QString &withweek = {})
{
    ScheduleRecord r;
    r.TaskSchID = 1;
    r.TaskID = "7";
    r.ScheduleType = type;
    r.value = value;
    r.StartTime = startTime;
    r.NextRunTime = next;
    r.withweek = withweek;
    return r;
}
} // namespace

TEST(ScheduleRules, NextWeekday)
{
    // 2026-12-09 is a Wednesday.
    struct Case {
        const char *mask;
        const char *now;
        const char *expected;
    };
    const Case cases[] = {
        {"0010100", "2026-12-09T10:00:00", "2026-12-11"}, // Wed -> Fri
        {"0010100", "2026-12-11T10:00:00", "2026-12-16"}, // Fri -> next Wed
        {"0010100", "2026-12-12T10:00:00", "2026-12-16"}, // Sat -> coming Wed
        {"1000000", "2026-12-07T10:00:00", "2026-12-14"}, // Mon -> Mon a week later
        {"0000001", "2026-12-31T23:59:59", "2027-01-03"}, // across the year, Sunday
        {"1111111", "2028-02-28T08:00:00", "2028-02-29"}, // leap day
    };
    for (const Case &c : cases) {
        const auto next = NextWeekday(c.mask, at(c.now));
        ASSERT_TRUE(next) << c.mask << " " << c.now;
        EXPECT_EQ(next->toString(Qt::ISODate).toStdString(), c.expected) << c.mask << " " << c.now;
    }
    EXPECT_FALSE(NextWeekday("0000000", at("2026-12-09T10:00:00")));
}

TEST(ScheduleRules, NextMonthDay)
{
    struct Case {
        int day;
        const char *now;
        const char *expected;
    };
    const Case cases[] = {
        {15, "2026-03-10T10:00:00", "2026-03-15"},
        {15, "2026-03-15T00:00:00", "2026-04-15"},
        {15, "2026-03-20T10:00:00", "2026-04-15"},
        {15, "2026-12-15T10:00:00", "2027-01-15"},
        {15, "2026-12-31T23:59:59", "2027-01-15"},
        {15, "2026-06-01T10:00:00", "2026-06-15"}, // first of a month (a Monday)
        {28, "2026-01-31T10:00:00", "2026-02-28"}, // from a month end
    };
    for (const Case &c : cases)
        EXPECT_EQ(NextMonthDay(c.day, at(c.now)).toString(Qt::ISODate).toStdString(), c.expected)
            << c.day << " " << c.now;
}

TEST(ScheduleRules, InitialNextRun)
{
    struct Case {
        int type;
        QString value;
        QString start;
        const char *now;
        QString expected;
    };
    const Case cases[] = {
        {0, "30", "0", "2026-03-20T09:10:20", momentText("2026-03-20T09:40:20")},
        {0, "30", "0", "2026-12-31T23:50:00", momentText("2027-01-01T00:20:00")},
        // every 2 hours from 08:00, saved at 09:00: the start time has passed today
        {1, "2", timeText(8, 0), "2026-03-20T09:00:00", momentText("2026-03-21T08:00:00")},
        {1, "2", timeText(12, 0), "2026-03-20T09:00:00", dateText("2026-03-20") + " " + timeText(12, 0)},
        {2, "3", timeText(6, 30), "2026-02-26T05:00:00", dateText("2026-03-01") + " " + timeText(6, 30)},
        {2, "1", "0", "2028-02-28T10:00:00", momentText("2028-02-29T10:00:00")},
        {3, "0010100", "0", "2026-12-09T10:00:00", dateText("2026-12-11")},
        {3, "0010100", timeText(7, 0), "2026-12-09T10:00:00", dateText("2026-12-11") + " " + timeText(7, 0)},
        {4, "15", "0", "2026-12-20T10:00:00", dateText("2027-01-15")},
        {5, momentText("2026-03-20T00:00:00"), timeText(8, 0), "2026-03-01T10:00:00",
         dateText("2026-03-20") + " " + timeText(8, 0)},
        {5, momentText("2026-03-20T00:00:00"), "0", "2026-03-01T10:00:00", dateText("2026-03-20")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InitialNextRun(c.type, c.value, c.start, at(c.now)), c.expected)
            << c.type << " " << c.value.toStdString() << " " << c.now;
    EXPECT_THROW(InitialNextRun(5, "not a date", "0", at("2026-03-01T10:00:00")), ScheduleError);
    EXPECT_THROW(InitialNextRun(1, "2", "25:99", at("2026-03-01T10:00:00")), ScheduleError);
}

TEST(ScheduleRules, FollowingNextRun)
{
    struct Case {
        ScheduleRecord r;
        const char *now;
        QString expected;
    };
    const QString eight = timeText(8, 0);
    const Case cases[] = {
        // 30 minutes after the moment of the update, not after the old next run
        {row(0, 30, "0", at("2026-03-20T09:40:20")), "2026-03-20T09:40:25", momentText("2026-03-20T10:10:25")},
        // a timed interval rule whose start time has passed: 1000 seconds after now
        {row(1, 2, eight, at("2026-03-21T08:00:00")), "2026-03-21T08:00:01", momentText("2026-03-21T08:16:41")},
        {row(1, 20, eight, at("2026-03-21T08:00:00")), "2026-03-21T08:00:01", dateText("2026-03-22") + " " + eight},
        {row(2, 3, timeText(6, 30), at("2026-03-01T06:30:00")), "2026-03-01T06:30:02",
         dateText("2026-03-04") + " " + timeText(6, 30)},
        {row(2, 1, "0", at("2028-02-28T00:00:00")), "2028-02-28T10:00:00", dateText("2028-02-29")},
        {row(3, 0, "0", at("2026-12-09T00:00:00"), "0010100"), "2026-12-09T10:00:00", dateText("2026-12-11")},
        {row(3, 0, "0", at("2026-12-09T00:00:00"), "0000000"), "2026-12-09T10:00:00", dateText("2026-12-09")},
        {row(4, 15, eight, at("2026-12-15T08:00:00")), "2026-12-15T08:00:00", dateText("2027-01-15") + " " + eight},
        // a once-rule keeps its time
        {row(5, 0, eight, at("2026-03-20T08:00:00")), "2026-03-20T08:00:03", dateText("2026-03-20") + " " + eight},
        {row(6, 0, "0", at("2026-03-20T00:00:00")), "2026-03-20T12:00:00", dateText("2026-03-20")},
        // the manual-run row: an empty next run is the zero date
        {row(19, 0, "", QDateTime()), "2026-03-20T12:00:00", dateText("1899-12-30")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FollowingNextRun(c.r, at(c.now)), c.expected) << "type " << c.r.ScheduleType << " now " << c.now;
}

TEST(ScheduleRules, DescribeSchedule)
{
    const QDateTime next = at("2026-03-20T08:00:00");
    struct Case {
        ScheduleRecord r;
        QString expected;
    };
    const Case cases[] = {
        {row(0, 1, "0", next), "Run every minute"},
        {row(0, 30, "0", next), "Run every 30 minutes"},
        {row(1, 1, "0", next), "Run every hour"},
        {row(1, 2, timeText(8, 0), next), "Run every 2 hours; Starting at " + timeText(8, 0)},
        {row(2, 1, "0", next), "Run every day"},
        {row(2, 3, "0", next), "Run every 3 days"},
        {row(3, 0, "0", next, "1000000"), "Run on:  Monday       "},
        {row(3, 0, "0", next, "0010111"), "Run on:   ,Wednesday ,Friday,Saturday,Sunday "},
        {row(3, 0, "0", next, "0001000"), "Run on:    ,Thurday    "},
        {row(4, 15, "0", next), "Run on 15 day of every month"},
        {row(5, 0, timeText(8, 0), next),
         "Run once at : " + momentText("2026-03-20T08:00:00") + "; Starting at " + timeText(8, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DescribeSchedule(c.r), c.expected) << "type " << c.r.ScheduleType;
}

TEST(SchedulerEntry, IsDue)
{
    struct Case {
        int type;
        QString start;
        const char *next;
        const char *now;
        bool due;
    };
    const Case cases[] = {
        {0, "0", "2026-03-20T10:00:00", "2026-03-20T10:00:00.900", true},
        {0, "0", "2026-03-20T10:00:00", "2026-03-20T10:00:01", false},
        {0, "0", "2026-03-20T10:00:00", "2026-03-20T09:59:59.999", false},
        {2, "0", "2026-03-20T00:00:00", "2026-03-20T23:59:59", true},
        {2, "0", "2026-03-20T00:00:00", "2026-03-21T00:00:00", false},
        {2, "08:00:00", "2026-03-20T08:00:00", "2026-03-20T09:00:00", false}, // a start time is timed
        {5, "0", "2026-03-20T00:00:00", "2026-03-20T12:00:00", true},
    };
    for (const Case &c : cases) {
        const SchedulerEntry entry{"7", c.type, at(c.next), c.start};
        EXPECT_EQ(IsDue(entry, at(c.now)), c.due) << c.type << " " << c.next << " " << c.now;
    }
}

TEST(SchedulerPass, ASecondBetweenTwoPassesIsDueOnceAtTheNextPass)
{
    SchedulerPass pass(at("2026-03-20T09:59:58"));
    const QList<SchedulerEntry> entries{{"7", 0, at("2026-03-20T10:00:00"), "0"}};
    EXPECT_TRUE(pass.dueEntries(entries, at("2026-03-20T09:59:59.600")).isEmpty());
    // this pass steps over 10:00:00
    EXPECT_EQ(pass.dueEntries(entries, at("2026-03-20T10:00:01.200")).size(), 1);
    EXPECT_TRUE(pass.dueEntries(entries, at("2026-03-20T10:00:02.300")).isEmpty());
    // a timed once-rule lying before the scheduler began is not due
    SchedulerPass later(at("2026-03-20T11:00:00"));
    EXPECT_TRUE(later.dueEntries(entries, at("2026-03-20T11:00:01")).isEmpty());
}

TEST(SchedulerPass, OnceRuleWithoutStartTimeStartsOncePerDate)
{
    SchedulerPass pass(at("2026-03-20T08:00:00"));
    const SchedulerEntry once{"7", 5, at("2026-03-20T00:00:00"), "0"};
    const SchedulerEntry daily{"8", 2, at("2026-03-20T00:00:00"), "0"};
    auto due = pass.dueEntries({once, daily}, at("2026-03-20T08:00:01"));
    ASSERT_EQ(due.size(), 2);
    pass.markStarted(once);
    pass.markStarted(daily);
    due = pass.dueEntries({once, daily}, at("2026-03-20T09:00:00"));
    ASSERT_EQ(due.size(), 1); // the daily rule is moved on by its run, not by the scheduler
    EXPECT_EQ(due[0].TaskID, "8");
}
