#include "scheduling/Scheduler.h"
#include "platform/Clock.h"
#include "scheduling/RunStarter.h"
#include "scheduling/StartupSchedulePass.h"
#include "support/Moments.h"
#include "support/SpinWait.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <QCoreApplication>
#include <QSet>
#include <QTest>
#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace scheduling;
using taskstore::DateTimeText;
using testsupport::at;
namespace sql = taskstore::sql;

namespace {
QString text(const QDateTime &moment)
{
    return DateTimeText::dateTimeText(moment);
}

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

// Counts the scheduler's passes as it reports them.
struct PassCounter {
    explicit PassCounter(Scheduler &scheduler)
    {
        QObject::connect(&scheduler, &Scheduler::pausing, [this] { ++count; });
    }
    bool reach(int passes) const
    {
        return QTest::qWaitFor([&] { return count >= passes; });
    }
    int count = 0;
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
    addRow("1", 1, 1, at("2026-03-19T22:00:00")); // hourly, lay yesterday
    addRow("2", 0, 5, at("2026-03-20T10:00:00")); // in the future
    addRow("3", 2, 2, at("2026-03-20T00:00:00")); // a date: due all through today
    addRow("4", 2, 2, at("2026-03-19T00:00:00")); // a date that is over
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
    addRow("9", 0, 5, at("2026-03-20T10:00:01")); // not due yet
    FakeStarter starter;
    starter.running.insert("8");
    Scheduler scheduler(connection, starter);
    PassCounter passes(scheduler);
    scheduler.start();
    ASSERT_TRUE(passes.reach(1));
    EXPECT_EQ(starter.started, QStringList{"7"});

    // The next pass comes once a second of the clock has passed.
    starter.running.clear(); // the run ended, but the rows did not move
    platform::Clock::advance(1000);
    ASSERT_TRUE(passes.reach(2));
    EXPECT_EQ(starter.started, (QStringList{"7", "9"}));
    scheduler.stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scheduler.hasThreads(); })); // the pause is left
}

TEST_F(SchedulerFixture, RestartStopsAndStartsAgainLater)
{
    platform::Clock::setNow(at("2026-03-20T10:00:00"));
    FakeStarter starter;
    Scheduler scheduler(connection, starter);
    scheduler.start();
    ASSERT_TRUE(scheduler.isRunning());
    scheduler.restart();
    EXPECT_FALSE(scheduler.isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return scheduler.isRunning(); }));
    // A stop leaves the pause at once, although the clock stands still.
    scheduler.stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scheduler.hasThreads(); }));
}

TEST_F(SchedulerFixture, ADatabaseErrorEndsTheSchedulerSilently)
{
    ASSERT_EQ(sqlite3_exec(connection.handle(), "drop table TaskSchedule", nullptr, nullptr, nullptr), SQLITE_OK);
    FakeStarter starter;
    Scheduler scheduler(connection, starter);
    scheduler.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scheduler.hasThreads(); }));
    EXPECT_FALSE(scheduler.isRunning());
    EXPECT_TRUE(starter.started.isEmpty());
}

// Shut-down while a pass waits for the user-interface thread, or sleeps in its pause on a
// clock that never moves: both end, the waiting step never runs, nothing starts again.
TEST_F(SchedulerFixture, ShutDownEndsAPassWaitingForTheUiThreadOrPausing)
{
    platform::Clock::setNow(at("2026-03-20T10:00:00.400"));
    addRow("7", 0, 5, at("2026-03-20T10:00:00"));
    for (const bool pausing : {false, true}) {
        SCOPED_TRACE(pausing ? "pausing" : "waiting for the user-interface thread");
        FakeStarter starter;
        Scheduler scheduler(connection, starter);
        PassCounter passes(scheduler);
        scheduler.start();
        if (pausing)
            ASSERT_TRUE(passes.reach(1));
        else
            ASSERT_TRUE(testsupport::spinUntil([&] { return scheduler.waitsForUi(); }));
        scheduler.shutDown();
        EXPECT_FALSE(scheduler.hasThreads());
        QCoreApplication::processEvents(); // a call still queued runs nothing
        EXPECT_EQ(starter.started, pausing ? QStringList{"7"} : QStringList{});
        scheduler.start();
        scheduler.restart();
        EXPECT_FALSE(scheduler.isRunning());
        EXPECT_FALSE(scheduler.hasThreads());
    }
}
