#include "taskstore/ExpectationStore.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/TaskReader.h"

#include <QDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace taskstore;

namespace {
// The tables a database made before expectations and run history holds, with one task.
const char kEarlierDatabase[] = R"sql(
create table TaskGroup (TaskGroupID text, Name text);
create table Task (GroupID text, TaskID text, TaskName text, ServerIP text,
  SecretKey text, Port integer, RequestType integer, RequestTypeCode integer, AuthMode text,
  RunType integer);
create table TaskOption (TaskID text, StartID integer, ReplyTimeout integer,
  RetryTimes integer, RepeatTimes integer, NumPerSec integer, NumInParall integer);
create table TaskSchedule (TaskSchID integer primary key autoincrement,
  TaskID text, ScheduleType integer, value integer, withweek text, StartTime text,
  LastRunTime text, NextRunTime text);
create table Server (ServerID text, ServerIP text, SecretKey text);
create table Package (TaskID text);
insert into Task values ('AllTask', '7', 'old one', '127.0.0.1', 'testing123', 1812, 0, 1, 'PAP', 0);
)sql";

PacketExpectation acceptWithChecks()
{
    PacketExpectation expectation;
    expectation.packetNumber = 2;
    expectation.replyCode = replycode::kAccessAccept;
    expectation.timeLimitMs = 50;
    expectation.checks = {
        {"Framed-IP-Address", CheckOperator::Present, ""},
        {"Reply-Message", CheckOperator::Matches, R"(^Hello, '\w+'\s*ü$)"},
        {"Class", CheckOperator::Absent, ""},
        {"Session-Timeout", CheckOperator::Equals, "3600"},
    };
    return expectation;
}

RunRecord sampleRun(const QString &taskId, Verdict verdict)
{
    RunRecord run;
    run.taskId = taskId;
    run.start = QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0, 125));
    run.end = run.start.addMSecs(1500);
    run.trigger = RunTrigger::Scheduled;
    run.sent = 10;
    run.approved = 7;
    run.denied = 1;
    run.other = 1;
    run.lost = 1;
    run.failed = 0;
    run.p50Ms = 1.5;
    run.p95Ms = 4.25;
    run.p99Ms = 9.0;
    run.maxMs = 12.75;
    run.verdict = verdict;
    return run;
}

class Stores : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
};
} // namespace

TEST_F(Stores, AnEarlierDatabaseGainsTheNewTablesAndKeepsItsRows)
{
    const QByteArray path = QFile::encodeName(Connection::defaultPath());
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, kEarlierDatabase, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    Connection connection(Connection::defaultPath());
    Query query(connection);
    EXPECT_EQ(readTaskRecord(query, "7").TaskName, "old one");
    OpenQuery(query, "select sql from sqlite_master where name='Task'");
    EXPECT_FALSE(query.asText("sql").contains("Expect")) << "the existing table changed";

    ExpectationStore expectations(connection);
    ASSERT_TRUE(expectations.replace("7", {acceptWithChecks()}).ok());
    RunHistoryStore history(connection);
    ASSERT_TRUE(history.add(sampleRun("7", Verdict::Pass)).ok());

    // A second open of the same file finds the tables and their rows as they were.
    Connection again(Connection::defaultPath());
    EXPECT_EQ(ExpectationStore(again).expectationsOf("7").value(), QList{acceptWithChecks()});
    EXPECT_EQ(RunHistoryStore(again).runsOf("7").value().size(), 1);
}

TEST_F(Stores, ExpectationsRoundTripAndReplaceAsAWhole)
{
    Connection connection(Connection::defaultPath());
    ExpectationStore store(connection);
    PacketExpectation noReply;
    noReply.packetNumber = 1;
    noReply.replyCode = replycode::kNoReply; // "no reply" is an expectation, not its absence
    PacketExpectation empty;
    empty.packetNumber = 3;
    PacketExpectation presentWithValue;
    presentWithValue.packetNumber = 4;
    presentWithValue.checks = {{"Class", CheckOperator::Present, "left over"}};

    ASSERT_TRUE(store.replace("42", {acceptWithChecks(), empty, noReply, presentWithValue}).ok());
    ASSERT_TRUE(store.replace("43", {noReply}).ok());

    PacketExpectation presentRead = presentWithValue;
    presentRead.checks[0].value.clear(); // a check without a value keeps none
    const QList<PacketExpectation> read = store.expectationsOf("42").value();
    EXPECT_EQ(read, (QList{noReply, acceptWithChecks(), presentRead})); // by packet, empty dropped

    ASSERT_TRUE(store.replace("42", {noReply}).ok());
    EXPECT_EQ(store.expectationsOf("42").value(), QList{noReply});
    ASSERT_TRUE(store.replace("42", {}).ok());
    EXPECT_TRUE(store.expectationsOf("42").value().isEmpty());
    EXPECT_EQ(store.expectationsOf("43").value(), QList{noReply}); // another task untouched
}

TEST_F(Stores, FailuresComeBackAsValues)
{
    Connection connection(Connection::defaultPath());
    Query query(connection);
    ExecQuery(query, "insert into TaskExpectationCheck values ('42', 1, 0, 'Class', 'resembles', 'x')");
    const auto unknown = ExpectationStore(connection).expectationsOf("42");
    ASSERT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error().contains("resembles")) << unknown.error().toStdString();

    ExecQuery(query, "drop table RunHistory");
    const auto added = RunHistoryStore(connection).add(sampleRun("42", Verdict::Fail));
    ASSERT_FALSE(added.ok());
    EXPECT_TRUE(added.error().contains("RunHistory")) << added.error().toStdString();
    EXPECT_FALSE(RunHistoryStore(connection).runsOf("42").ok());
}

TEST_F(Stores, RunsRoundTripAndTheLatestVerdictIsPerTask)
{
    Connection connection(Connection::defaultPath());
    RunHistoryStore store(connection);
    RunRecord noReplies = sampleRun("42", Verdict::NotEvaluated);
    noReplies.p50Ms = noReplies.p95Ms = noReplies.p99Ms = noReplies.maxMs = std::nullopt;
    noReplies.trigger = RunTrigger::CommandLine;

    QList<RunRecord> written = {sampleRun("42", Verdict::Pass), sampleRun("43", Verdict::Pass), noReplies,
                                sampleRun("43", Verdict::Fail)};
    for (RunRecord &run : written) {
        const auto id = store.add(run);
        ASSERT_TRUE(id.ok()) << id.error().toStdString();
        run.runId = id.value();
    }
    EXPECT_EQ(store.runsOf("42").value(), (QList{written[0], written[2]}));
    EXPECT_EQ(store.runsOf("42").value()[0].start.time().msec(), 125);
    EXPECT_EQ(store.lastRunOf("43").value(), written[3]);
    EXPECT_FALSE(store.lastRunOf("44").value().has_value());

    const QHash<QString, Verdict> last = store.lastVerdicts().value();
    EXPECT_EQ(last.size(), 2);
    EXPECT_EQ(last.value("42"), Verdict::NotEvaluated);
    EXPECT_EQ(last.value("43"), Verdict::Fail);
}

TEST_F(Stores, DeletingATaskTakesItsExpectationsAndHistoryOnly)
{
    Connection connection(Connection::defaultPath());
    Query query(connection);
    ExpectationStore expectations(connection);
    RunHistoryStore history(connection);
    for (const QString id : {"42", "43"}) {
        testsupport::insertTaskRows(query, testsupport::sampleTask(id));
        ASSERT_TRUE(expectations.replace(id, {acceptWithChecks()}).ok());
        ASSERT_TRUE(history.add(sampleRun(id, Verdict::Pass)).ok());
    }

    deleteTaskRows(query, "42", true);

    EXPECT_TRUE(expectations.expectationsOf("42").value().isEmpty());
    OpenQuery(query, "select count(*) as n from TaskExpectationCheck where TaskID='42'");
    EXPECT_EQ(query.asInteger("n"), 0);
    EXPECT_TRUE(history.runsOf("42").value().isEmpty());
    EXPECT_FALSE(history.lastVerdicts().value().contains("42"));
    EXPECT_EQ(expectations.expectationsOf("43").value().size(), 1);
    EXPECT_EQ(history.runsOf("43").value().size(), 1);
}
