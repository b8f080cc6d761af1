// pellion-run against the private FreeRADIUS server: verdicts, reports, exit codes, and the
// database shared with a window open on the same program directory.
#include "RunnerFixture.h"

#include "dictmanager/QtPrinters.h"
#include "support/FreeRadiusServer.h"
#include "taskstore/Query.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "taskstore/Transaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

using namespace runnertest;

namespace {
using taskstore::AttributeCheck;
using taskstore::CheckOperator;
namespace replycode = taskstore::replycode;

const QByteArray kCarol = "User-Name = carol\r\nUser-Password = pw\r\n\r\n";

class RunnerServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_server =
            testsupport::FreeRadiusServer::started("s3cret",
                                                   {{"carol", "Cleartext-Password := \"pw\"",
                                                     "Reply-Message = \"Hello, carol\", Framed-IP-Address = 10.1.2.3"}},
                                                   &s_error);
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
        ASSERT_TRUE(s_server) << s_error.toStdString();
        ASSERT_TRUE(program.clientsInstalled);
    }

    QString addCarolTask(const QString &group, const QString &name, const QList<taskstore::PacketExpectation> &expected)
    {
        return program.addTask(group, name, kCarol, expected, s_server->authPort(), s_server->secret());
    }

    static inline std::unique_ptr<testsupport::FreeRadiusServer> s_server;
    static inline QString s_error;
    ProgramDir program;
};
} // namespace

TEST_F(RunnerServerTest, VerdictsReportsAndExitCodes)
{
    const QString auth = program.addGroup("Auth");
    const QString holds = addCarolTask(auth, "carol accepted",
                                       {expectReply(replycode::kAccessAccept,
                                                    {{"Framed-IP-Address", CheckOperator::Present, {}},
                                                     {"Class", CheckOperator::Absent, {}},
                                                     {"Reply-Message", CheckOperator::Matches, "^Hello, [a-z]+$"}})});
    addCarolTask(auth, "carol rejected", {expectReply(replycode::kAccessReject)});
    addCarolTask(auth, "carol filtered",
                 {expectReply(replycode::kAccessAccept, {{"Filter-Id", CheckOperator::Present, {}}})});
    // Without expectations a verified reply passes, a reject too.
    program.addTask(program.addGroup("Other"), "bob wrong password", "User-Name = bob\r\nUser-Password = wrong\r\n\r\n",
                    {}, s_server->authPort(), s_server->secret());

    const RunnerOutput all =
        program.run({"--all", "--junit", "report.xml", "--json", "report.json", "--csv", "report.csv"});
    EXPECT_EQ(all.exitCode, 1) << all.out.toStdString() << all.err.toStdString();
    EXPECT_TRUE(all.out.contains("[1/4] Auth / carol accepted\n")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("PASS: carol accepted (")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("FAIL: carol rejected (")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("FAIL: carol filtered (")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("PASS: bob wrong password (")) << all.out.toStdString();
    EXPECT_TRUE(all.out.endsWith("2 of 4 tasks passed\n")) << all.out.toStdString();

    // The JUnit file is what a CI server reads.
    const RunnerOutput lint =
        runProgram("xmllint", {"--noout", "--schema", PELLION_JUNIT_SCHEMA, "report.xml"}, program.files.path());
    EXPECT_EQ(lint.exitCode, 0) << lint.err.toStdString() << program.report("report.xml").constData();
    const QString junit = QString::fromUtf8(program.report("report.xml"));
    EXPECT_TRUE(junit.contains("<testsuite name=\"Auth\" id=\"0\" tests=\"3\" failures=\"2\" errors=\"0\""))
        << junit.toStdString();
    EXPECT_TRUE(junit.contains("<testsuite name=\"Other\" id=\"1\" tests=\"1\" failures=\"0\" errors=\"0\""));
    // Each failure names the failed check, what it expected and what came.
    for (const char *failure : {"Packet 1 (pass 1): expected Access-Reject; came: Access-Accept",
                                "Packet 1 (pass 1): expected Filter-Id present; came: no such attribute"})
        EXPECT_TRUE(junit.contains(QString("<failure message=\"%1\" type=\"verdict\">%1</failure>").arg(failure)))
            << failure << "\n"
            << junit.toStdString();
    EXPECT_TRUE(junit.contains("Test started  [")) << "system-out holds the task's log lines";

    const QJsonObject json = QJsonDocument::fromJson(program.report("report.json")).object();
    EXPECT_EQ(json["passed"].toInt(), 2);
    EXPECT_EQ(json["failed"].toInt(), 2);
    EXPECT_EQ(json["notEvaluated"].toInt(), 0);
    const QJsonArray tasks = json["tasks"].toArray();
    ASSERT_EQ(tasks.size(), 4);
    EXPECT_EQ(tasks[1].toObject()["task"].toString(), "carol filtered");
    EXPECT_EQ(tasks[1].toObject()["verdict"].toString(), "fail");
    EXPECT_FALSE(tasks[1].toObject()["failedChecks"].toArray().isEmpty());

    const QStringList csv = QString::fromUtf8(program.report("report.csv")).split("\r\n");
    EXPECT_EQ(csv[0], "group,task,verdict,start,end,duration_ms,failed_checks");
    EXPECT_TRUE(csv[1].startsWith("Auth,carol accepted,pass,")) << csv[1].toStdString();

    // One passing task alone exits with 0; its group with a failing one does not.
    const RunnerOutput one = program.run({"--task", "carol accepted", "--quiet"});
    EXPECT_EQ(one.exitCode, 0) << one.out.toStdString() << one.err.toStdString();
    EXPECT_FALSE(one.out.contains("Test started")) << "quiet leaves the client's lines out";
    EXPECT_EQ(program.run({"--group", "Auth", "--quiet"}).exitCode, 1);

    // The same engine as the window: the log file block and a history row per run.
    const QByteArray log = program.dir.readFile("Log/PellionLog.txt");
    EXPECT_EQ(log.count("Test finished ["), 8) << log.constData();
    const taskstore::StoreResult<QList<taskstore::RunRecord>> runs =
        taskstore::RunHistoryStore(program.connection).runsOf(holds);
    ASSERT_TRUE(runs.ok());
    ASSERT_EQ(runs.value().size(), 3);
    for (const taskstore::RunRecord &run : runs.value()) {
        EXPECT_EQ(run.trigger, taskstore::RunTrigger::CommandLine);
        EXPECT_EQ(run.verdict, taskstore::Verdict::Pass);
    }
}

TEST_F(RunnerServerTest, ATaskThatCannotBeJudgedIsNotAPass)
{
    // Its client is not ours: FreeRADIUS's radeapclient from the path, which keeps no
    // records (or none at all where that is not installed).
    const QString id = program.addTask(program.addGroup("Auth"), "unknown client", kCarol, {}, s_server->authPort(),
                                       s_server->secret());
    taskstore::Query query(program.connection);
    taskstore::ExecQuery(query, "update Task set AuthMode = 'EAP-MD5' where TaskID = '" + id + "'");
    ASSERT_TRUE(QFile::remove(program.dir.filePath("radeapclient")));
    const RunnerOutput output = program.run({"--all", "--junit", "report.xml"});
    EXPECT_EQ(output.exitCode, 1) << output.out.toStdString();
    EXPECT_TRUE(output.out.contains("NOT EVALUATED: unknown client")) << output.out.toStdString();
    EXPECT_TRUE(output.out.contains("\n  Verdict: not evaluated (")) << output.out.toStdString();
    const QString junit = QString::fromUtf8(program.report("report.xml"));
    EXPECT_TRUE(junit.contains("<error message=\"not evaluated\" type=\"not-evaluated\"")) << junit.toStdString();
}

TEST_F(RunnerServerTest, RunsBesideAnotherConnectionWithoutLosingAWrite)
{
    const QString id =
        addCarolTask(program.addGroup("Auth"), "carol accepted", {expectReply(replycode::kAccessAccept)});
    // The window's connection holds a write from the run's start until its client has ended, so the
    // runner's stamps and history wait for it.
    taskstore::Connection window(taskstore::Connection::defaultPath());
    std::unique_ptr<taskstore::Transaction> held;
    bool released = false;
    const RunnerOutput output = program.run({"--all"}, [&](const QString &out) {
        if (!held && out.contains("[1/1]")) {
            held = std::make_unique<taskstore::Transaction>(window);
            taskstore::Query query(window);
            taskstore::ExecQuery(query, taskstore::sql::insertGroup("77", "Written by the window"));
        } else if (held && !released && out.contains("Total response time")) {
            held->commit();
            released = true;
        }
    });
    EXPECT_EQ(output.exitCode, 0) << output.out.toStdString() << output.err.toStdString();
    EXPECT_TRUE(released);

    // Both writers' rows are there, seen from the window's connection.
    taskstore::Query query(window);
    taskstore::OpenQuery(query, taskstore::sql::selectGroupName("77"));
    EXPECT_EQ(query.asText("Name"), "Written by the window");
    EXPECT_FALSE(taskstore::lastRunTimeText(query, id).isEmpty());
    const taskstore::StoreResult<QList<taskstore::RunRecord>> runs = taskstore::RunHistoryStore(window).runsOf(id);
    ASSERT_TRUE(runs.ok());
    EXPECT_EQ(runs.value().size(), 1);
}
