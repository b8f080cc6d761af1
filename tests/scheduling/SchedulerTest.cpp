#include "platform/Clock.h"
#include "scheduling/RunStarter.h"
#include "scheduling/Scheduler.h"
#include "scheduling/StartupSchedulePass.h"
#include "support/Moments.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <QSet>
#include <sqlite3.h>
#include <QTest>

#include <gtest/gtest.h>

using namespace scheduling;
using testsupport::at;
using taskstore::DateTimeText;
namespace sql = taskstore::sql;

namespace {
QString text(const QDateTime &moment) { return DateTimeText::dateTimeText(moment); }

class FakeStarter : public RunStarter {
public:
    bool isRunning(const QString &taskId) const override { return running.contains(taskId); }
    void startRun(const QString &taskId) override
    {
        started << taskId;
        running.insert(taskId);
    }
    QSet<QString> running;
    QStringList started;
};

class SchedulerFixture : public ::testing::Test {
protected:
    void TearDown() override { platform::Clock::setNow({}); }

    void addRow(const char *taskId, int type, int value, const QDateTime &next, const QString &start = "0")
    {
        taskstore::ExecQuery(query, sql::insertIntervalSchedule(taskId, type, value, text(saved), text(next), start));
    }
    QList<taskstore::ScheduleRecord> rows() { return taskstore::readScheduleRows(query, sql::selectRuleRows()); }

    testsupport::TempProgramDir dir;
    taskstore::Connection connection{taskstore::Connection::defaultPath()};
    taskstore::Query query{connection};
    const QDateTime saved = at("2026-03-19T07:00:00");
};
} // namespace

TEST_F(SchedulerFixture, StartupPassMovesOnlyRowsThatHavePassed)
{
    const QDateTime now = at("2026-03-20T09:30:00");
    addRow("1", 1, 1, at("2026-03-19T22:00:00"));         // hourly, lay yesterday
    addRow("2", 0, 5, at("2026-03-20T10:00:00"));         // in the future
    addRow("3", 2, 2, at("2026-03-20T00:00:00"));         // a date: due all through today
    addRow("4", 2, 2, at("2026-03-19T00:00:00"));         // a date that is over
    RunStartupSchedulePass(connection, now);

    const auto after = rows();
    ASSERT_EQ(after.size(), 4);
    EXPECT_EQ(after[0].NextRunTime, at("2026-03-20T10:30:00"));
    EXPECT_EQ(after[1].NextRunTime, at("2026-03-20T10:00:00"));
    EXPECT_EQ(after[2].NextRunTime, at("2026-03-20T00:00:00"));
    EXPECT_EQ(after[3].NextRunTime, at("2026-03-22T00:00:00"));
    for (const auto &r : after)
        EXPECT_EQ(r.LastRunTime, saved); // untouched
}

TEST_F(SchedulerFixture, StartsADueTaskOnceAndNotAgainForThatSecond)
{
    platform::Clock::setNow(at("2026-03-20T10:00:00.400"));
    addRow("7", 0, 5, at("2026-03-20T10:00:00"));
    addRow("7", 1, 1, at("2026-03-20T10:00:00")); // two rows of one task in one second
    addRow("8", 0, 5, at("2026-03-20T10:00:00")); // already running
    addRow("9", 0, 5, at("2026-03-20T10:05:00")); // not due
    FakeStarter starter;
    starter.running.insert("8");
    Scheduler scheduler(connection, starter);
    scheduler.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !starter.started.isEmpty(); }, 3000));
    QTest::qWait(300); // the rest of that pass
    EXPECT_EQ(starter.started, QStringList{"7"});
    starter.running.clear(); // the run ended, but the rows did not move
    QTest::qWait(1300);      // at least one more pass
    scheduler.stop();
    EXPECT_TRUE(scheduler.waitForThreads(2000));
    EXPECT_EQ(starter.started, QStringList{"7"});
}

TEST_F(SchedulerFixture, RestartStopsAndStartsAgainAfterHalfASecond)
{
    FakeStarter starter;
    Scheduler scheduler(connection, starter);
    scheduler.start();
    ASSERT_TRUE(scheduler.isRunning());
    scheduler.restart();
    EXPECT_FALSE(scheduler.isRunning());
    QTest::qWait(200);
    EXPECT_FALSE(scheduler.isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return scheduler.isRunning(); }, 2000));
    scheduler.stop();
    EXPECT_TRUE(scheduler.waitForThreads(1000)); // the pause is left early
}

TEST_F(SchedulerFixture, ADatabaseErrorEndsTheSchedulerSilently)
{
    ASSERT_EQ(sqlite3_exec(connection.handle(), "drop table TaskSchedule", nullptr, nullptr, nullptr), SQLITE_OK);
    FakeStarter starter;
    Scheduler scheduler(connection, starter);
    scheduler.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scheduler.hasThreads(); }, 3000));
    EXPECT_TRUE(starter.started.isEmpty());
}
