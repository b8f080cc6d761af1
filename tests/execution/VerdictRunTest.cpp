#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/PageCtrlRunLog.h"
#include "execution/RunControl.h"
#include "execution/RunJudgement.h"
#include "execution/TMyThread.h"
#include "execution/TaskListUpdater.h"
#include "radius/Dictionary.h"
#include "support/FreeRadiusServer.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/TaskReader.h"
#include "verdict/VerdictText.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

// Runs of a task through the run engine with our radclient against a private FreeRADIUS
// server: the verdict in the log and the log file, the history row, the task list told.

using namespace execution;
using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;
using taskstore::Verdict;
namespace code = taskstore::replycode;

namespace {

struct VerdictList : TaskListUpdater {
    void showRunTimes(const QString &, const QString &, const QString &) override {}
    void showVerdict(const QString &taskId, Verdict verdict) override { shown << std::make_pair(taskId, verdict); }
    QList<std::pair<QString, Verdict>> shown;
};

// Accepted with a reply attribute, then rejected.
const QByteArray kAcceptThenReject =
    "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
    "User-Name = bob\r\nUser-Password = wrong\r\n\r\n";

class VerdictRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            return;
        (void)radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary");
        s_server = std::make_unique<testsupport::FreeRadiusServer>();
        s_server->setSecret("v3rdict");
        s_server->addStandardUsers();
        s_server->addUser({"carol", "Cleartext-Password := \"pw\"", "Service-Type = Framed-User"});
        if (!s_server->start(&s_error))
            s_server.reset();
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
        ASSERT_TRUE(s_server) << s_error.toStdString();
        const QString client = dir.filePath("radclient");
        ASSERT_TRUE(QFile::copy(PELLION_RADCLIENT, client));
        QFile::setPermissions(client, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override { control.shutDown(); }

    // A task sending script to the server, with these expectations.
    void addTask(const QString &id, const QByteArray &script, const QList<PacketExpectation> &expectations)
    {
        taskstore::TaskRecord task = testsupport::sampleTask(id);
        task.TaskName = "Verdict " + id;
        task.Port = s_server->authPort();
        task.SecretKey = s_server->secret();
        testsupport::insertTaskRows(query, task);
        ASSERT_TRUE(dir.writeFile(taskstore::scriptRelativePath(id), script));
        ASSERT_TRUE(taskstore::ExpectationStore(connection).replace(id, expectations).ok());
    }

    // The run's lines between its banners that the verdict wrote.
    QStringList runVerdictLines(const QString &taskId, bool scheduled = false)
    {
        const qsizetype before = log.allLog()->lines().size();
        if (scheduled)
            control.startRun(taskId);
        else
            control.runClicked(taskId);
        if (!QTest::qWaitFor([&] { return control.liveRunCount() == 0 && log.pendingAllLogLines() == 0; }, 20000))
            return {"the run did not end"};
        QStringList lines = log.allLog()->lines().mid(before);
        QStringList verdict;
        for (const QString &line : lines)
            if (!verdict.isEmpty() || line.startsWith("Verdict: "))
                verdict << line;
        if (!verdict.isEmpty())
            verdict.removeLast(); // the finish banner
        return verdict;
    }

    static inline std::unique_ptr<testsupport::FreeRadiusServer> s_server;
    static inline QString s_error;
    testsupport::TempProgramDir dir;
    taskstore::Connection connection{taskstore::Connection::defaultPath()};
    taskstore::Query query{connection};
    PageCtrlLog log;
    VerdictList taskList;
    RunControl control{RunEnvironment{&connection, new PageCtrlRunLog(&log), &taskList}};
};

} // namespace

TEST_F(VerdictRun, ExpectationsThatHoldPassAndTheRunIsRecorded)
{
    addTask("1", kAcceptThenReject + "User-Name = carol\r\nUser-Password = pw\r\n\r\n",
            {PacketExpectation{1,
                               code::kAccessAccept,
                               {{"Reply-Message", CheckOperator::Present, ""},
                                {"Reply-Message", CheckOperator::Matches, "^Hello, b.b$"},
                                {"Class", CheckOperator::Absent, ""}},
                               10000},
             PacketExpectation{2, code::kAccessReject, {}, std::nullopt},
             PacketExpectation{3, code::kAccessAccept, {{"Service-Type", CheckOperator::Equals, "2"}}, std::nullopt}});

    EXPECT_EQ(runVerdictLines("1"), QStringList{"Verdict: pass"});
    EXPECT_TRUE(QString::fromUtf8(dir.readFile("Log/PellionLog.txt")).contains("\r\nVerdict: pass\r\n"));

    const auto runs = taskstore::RunHistoryStore(connection).runsOf("1");
    ASSERT_TRUE(runs.ok());
    ASSERT_EQ(runs.value().size(), 1);
    const taskstore::RunRecord &run = runs.value()[0];
    EXPECT_EQ(run.trigger, taskstore::RunTrigger::Manual);
    EXPECT_EQ(run.verdict, Verdict::Pass);
    EXPECT_EQ(run.sent, 3);
    EXPECT_EQ(run.approved, 2);
    EXPECT_EQ(run.denied, 1);
    EXPECT_EQ(run.lost + run.other + run.failed, 0);
    ASSERT_TRUE(run.p50Ms && run.p95Ms && run.p99Ms && run.maxMs);
    EXPECT_LE(*run.p50Ms, *run.maxMs);
    EXPECT_LE(run.start, run.end);
    EXPECT_EQ(taskList.shown, (QList{std::make_pair(QString("1"), Verdict::Pass)}));
    // The records' private directory went with the run.
    EXPECT_FALSE(dir.readFile("Log/PellionLog.txt").contains(" -R "));
}

TEST_F(VerdictRun, ExpectationsThatFailSayWhatCame)
{
    addTask("2", kAcceptThenReject,
            {PacketExpectation{1,
                               code::kAccessReject,
                               {{"Framed-IP-Address", CheckOperator::Present, ""},
                                {"Reply-Message", CheckOperator::Absent, ""},
                                {"Reply-Message", CheckOperator::Matches, "^Bye"}},
                               std::nullopt},
             PacketExpectation{2, std::nullopt, {}, 0}});

    const QStringList lines = runVerdictLines("2", true);
    ASSERT_EQ(lines.size(), 6) << lines.join("\n").toStdString();
    EXPECT_EQ(lines.mid(0, 5),
              (QStringList{"Verdict: fail (5 failed check(s))",
                           "Packet 1 (pass 1): expected Access-Reject; came: Access-Accept",
                           "Packet 1 (pass 1): expected Framed-IP-Address present; came: no such attribute",
                           "Packet 1 (pass 1): expected Reply-Message absent; came: \"Hello, bob\"",
                           "Packet 1 (pass 1): expected Reply-Message matching \"^Bye\"; came: \"Hello, bob\""}));
    EXPECT_TRUE(lines[5].startsWith("Packet 2 (pass 1): expected a reply within 0 ms; came: "))
        << lines[5].toStdString();

    const auto last = taskstore::RunHistoryStore(connection).lastRunOf("2").value();
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->verdict, Verdict::Fail);
    EXPECT_EQ(last->trigger, taskstore::RunTrigger::Scheduled);
    EXPECT_EQ(taskstore::RunHistoryStore(connection).lastVerdicts().value().value("2"), Verdict::Fail);
}

// The run engine's report of a run, read from the run thread once it ended.
TEST_F(VerdictRun, TheRunReportsEachFailedCheckWithWhatCame)
{
    addTask("4", kAcceptThenReject,
            {PacketExpectation{1,
                               code::kAccessAccept,
                               {{"Filter-Id", CheckOperator::Present, ""},
                                {"Reply-Message", CheckOperator::Equals, "Hello, bob"},
                                {"Reply-Message", CheckOperator::Contains, "alice"}},
                               std::nullopt},
             PacketExpectation{2, code::kAccessAccept, {}, std::nullopt}});
    TMyThread run("4", RunEnvironment{&connection, new PageCtrlRunLog(&log), &taskList});
    QSignalSpy finished(&run, &QThread::finished);
    run.Resume();
    ASSERT_TRUE(finished.wait(20000)) << "the run did not end";
    run.wait();

    const RunReport &report = run.report();
    ASSERT_TRUE(report.judged);
    EXPECT_EQ(report.verdict.verdict, Verdict::Fail);
    // packet | the check's attribute (none for the reply code) | expected | came
    QStringList failed;
    for (const verdict::CheckFailure &failure : report.verdict.failures)
        failed << QString::number(failure.packet) + " | " + failure.check.attribute + " | "
                + verdict::expectedText(failure) + " | " + verdict::cameText(failure);
    EXPECT_EQ(failed,
              (QStringList{"1 | Filter-Id | Filter-Id present | no such attribute",
                           "1 | Reply-Message | Reply-Message containing \"alice\" | \"Hello, bob\"",
                           "2 |  | Access-Accept | Access-Reject"}));

    // The records it was judged on, and the row the history got.
    ASSERT_TRUE(report.records.has_value());
    ASSERT_EQ(report.records->exchanges.size(), 2);
    EXPECT_EQ(report.records->exchanges[0].replyCode, code::kAccessAccept);
    EXPECT_EQ(report.records->exchanges[1].replyCode, code::kAccessReject);
    const auto stored = taskstore::RunHistoryStore(connection).lastRunOf("4").value();
    ASSERT_TRUE(stored.has_value());
    const taskstore::RunRecord &reported = report.historyRow;
    EXPECT_EQ(reported.taskId, "4");
    EXPECT_EQ(std::make_tuple(reported.sent, reported.approved, reported.denied, reported.verdict),
              std::make_tuple(2, 1, 1, Verdict::Fail));
    EXPECT_EQ(std::make_tuple(reported.sent, reported.approved, reported.denied, reported.verdict),
              std::make_tuple(stored->sent, stored->approved, stored->denied, stored->verdict));
    EXPECT_EQ(reported.start.toMSecsSinceEpoch(), stored->start.toMSecsSinceEpoch());
}

TEST_F(VerdictRun, AnotherOriginsClientIsNotEvaluatedAndLeavesTheLogAsItWas)
{
    QFile::remove(dir.filePath("radclient"));
    ASSERT_TRUE(dir.writeFile("radclient", "#!/bin/sh\nprintf 'Info: Received Access-Accept\\r\\n'\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    addTask("3", kAcceptThenReject, {});

    EXPECT_TRUE(runVerdictLines("3").isEmpty());
    const auto last = taskstore::RunHistoryStore(connection).lastRunOf("3").value();
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->verdict, Verdict::NotEvaluated);
    EXPECT_EQ(last->sent, 0);
    EXPECT_EQ(taskList.shown, (QList{std::make_pair(QString("3"), Verdict::NotEvaluated)}));
}

TEST(RecordsOption, GoesRightAfterTheProgramWord)
{
    EXPECT_EQ(withRecordsOption("radclient -c 1  -f  \"script/4.txt\"  -i 0  -sx  127.0.0.1:1812 1 s", "/tmp/a b/r"),
              "radclient -R \"/tmp/a b/r\" -c 1  -f  \"script/4.txt\"  -i 0  -sx  127.0.0.1:1812 1 s");
}
