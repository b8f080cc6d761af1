#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/PageCtrlRunLog.h"
#include "execution/RunControl.h"
#include "execution/Settings.h"
#include "execution/TaskListUpdater.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogService.h"
#include "scheduling/Scheduler.h"
#include "support/FreeRadiusServer.h"
#include "support/Moments.h"
#include "support/SampleTask.h"
#include "support/SpinWait.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace execution;
using taskstore::DateTimeText;
using testsupport::at;
namespace sql = taskstore::sql;

namespace {
QString text(const QDateTime &moment)
{
    return DateTimeText::dateTimeText(moment);
}

struct FakeTaskList : TaskListUpdater {
    void showRunTimes(const QString &taskId, const QString &last, const QString &next) override
    {
        shown << QStringList{taskId, last, next};
    }
    QList<QStringList> shown;
};

// A shell loop that waits until the test writes the file.
QByteArray waitFor(const char *file)
{
    return QByteArray("while [ ! -e ") + file + " ]; do sleep 0.02; done; ";
}

QString startBanner(const QString &time, const QString &name)
{
    return "--------------------" + time + " Test started  [" + name + "]-------------------------";
}
QString finishBanner(const QString &time, const QString &name)
{
    return "--------------------" + time + " Test finished [" + name + "]-------------------------";
}

class RunFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Clock::setNow(now);
        Settings colours; // distinct colours, so that each class shows
        colours.SummaryClr = 0x008000;
        colours.InfoClr = 0x808000;
        colours.WarningClr = 0x00FFFF;
        colours.ErrorClr = 0x0000FF;
        ASSERT_TRUE(colours.write());
    }
    void TearDown() override
    {
        control.shutDown();
        platform::Clock::setNow({});
    }

    // A run first asks the client its origin with -v: the stand-in answers as another
    // origin's client and does nothing else then.
    void writeClient(const QByteArray &body)
    {
        ASSERT_TRUE(dir.writeFile("radclient", "#!/bin/sh\n[ \"$1\" = -v ] && exit 0\n" + body));
        QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void addTask(const char *id, const char *name, int runType)
    {
        taskstore::TaskRecord t;
        t.GroupID = "AllTask";
        t.TaskID = id;
        t.TaskName = name;
        t.ServerIP = "127.0.0.1";
        t.SecretKey = "secret";
        t.Port = 1812;
        t.AuthMode = "PAP";
        t.RunType = runType;
        t.RepeatTimes = 1;
        t.NumInParall = 1;
        testsupport::insertTaskRows(query, t);
    }
    void addRow(const char *taskId, int type, int value, const QDateTime &next)
    {
        taskstore::ExecQuery(query, sql::insertIntervalSchedule(taskId, type, value, text(saved), text(next), "0"));
    }
    // A client waits for this file before it goes on.
    void release(const char *name) { ASSERT_TRUE(dir.writeFile(name, "")); }
    bool waitForFile(const char *name)
    {
        return QTest::qWaitFor([&] { return QFile::exists(dir.filePath(name)); }, 10000);
    }
    bool waitForAllRunsToEnd(int ms = 10000)
    {
        return QTest::qWaitFor([&] { return control.liveRunCount() == 0 && log.pendingAllLogLines() == 0; }, ms);
    }
    LogPane *runPage(int index) const
    {
        return log.widget(index) ? log.widget(index)->findChild<LogPane *>() : nullptr;
    }
    static QStringList lines(const LogPane &pane) { return pane.lines(); }
    static QColor colorOfLine(const LogPane &pane, int line) { return pane.lineColor(line); }

    const QDateTime now = at("2026-03-20T10:00:00");
    const QDateTime saved = at("2026-03-19T07:00:00");
    testsupport::TempProgramDir dir;
    taskstore::Connection connection{taskstore::Connection::defaultPath()};
    taskstore::Query query{connection};
    PageCtrlLog log;
    FakeTaskList taskList;
    RunControl control{RunEnvironment{&connection, new PageCtrlRunLog(&log), &taskList}};
};
} // namespace

TEST_F(RunFixture, ARunFromStartToEnd)
{
    addTask("42", "Probe", taskstore::kRunBySchedule);
    addRow("42", 0, 5, now.addSecs(-60));  // due: stamped
    addRow("42", 0, 5, now.addSecs(3600)); // in the future: left alone
    writeClient("printf 'Warning: w1\\r\\nTotal: 3\\r\\nError: bad\\r\\n'; " + waitFor("go")
                + "printf 'plain\\r\\n'\n");
    QList<RunCommandState> states;
    QObject::connect(&control, &RunControl::commandStatesChanged, [&](RunCommandState s) { states << s; });

    control.runClicked("42");
    EXPECT_EQ(control.runningCount(), 1);
    EXPECT_TRUE(control.isRunning("42"));
    EXPECT_EQ(control.commandState(), RunCommandState::Running);

    // while the client waits: its page shows the lines in their colours
    ASSERT_TRUE(QTest::qWaitFor([&] { return runPage(1) && runPage(1)->lineCount() == 4; }, 5000));
    EXPECT_EQ(log.tabText(1), "Active Log [Probe]");
    const LogPane &page = *runPage(1);
    EXPECT_EQ(lines(page)[0], startBanner(text(now), "Probe"));
    EXPECT_EQ(colorOfLine(page, 0), QColor(0, 128, 128));
    EXPECT_EQ(colorOfLine(page, 1), QColor(255, 255, 0));
    EXPECT_EQ(colorOfLine(page, 2), QColor(0, 128, 0));
    EXPECT_EQ(colorOfLine(page, 3), QColor(255, 0, 0));

    release("go");
    ASSERT_TRUE(waitForAllRunsToEnd());
    EXPECT_EQ(log.count(), 1); // the run's page is gone
    EXPECT_EQ(control.runningCount(), 0);
    EXPECT_EQ(states.last(), RunCommandState::Idle);

    const QStringList expected{startBanner(text(now), "Probe"), "Warning: w1", "Total: 3", "Error: bad", "plain",
                               finishBanner(text(now), "Probe")};
    EXPECT_EQ(lines(*log.allLog()), expected);
    EXPECT_EQ(colorOfLine(*log.allLog(), 5), QColor(0, 128, 128));
    EXPECT_EQ(colorOfLine(*log.allLog(), 1), QColor(255, 255, 0));
    EXPECT_EQ(dir.readFile("Log/PellionLog.txt"), (expected.join("\r\n") + "\r\n\r\n").toUtf8());

    const auto rows = taskstore::readScheduleRows(query, sql::selectSchedules("42"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].NextRunTime, now.addSecs(300));
    EXPECT_EQ(rows[0].LastRunTime, now);
    EXPECT_EQ(rows[1].NextRunTime, now.addSecs(3600));
    EXPECT_EQ(rows[1].LastRunTime, saved);

    ASSERT_EQ(taskList.shown.size(), 1);
    EXPECT_EQ(taskList.shown[0], (QStringList{"42", text(now), text(now.addSecs(300))}));
}

TEST_F(RunFixture, AManualTaskShowsManuallyAndStampsItsRow)
{
    addTask("7", "Hand", taskstore::kRunManually);
    taskstore::ExecQuery(query, sql::insertManualRunRow("7", text(saved)));
    writeClient("printf 'Info: x\\r\\n'\n");
    control.runClicked("7");
    ASSERT_TRUE(waitForAllRunsToEnd());
    ASSERT_EQ(taskList.shown.size(), 1);
    EXPECT_EQ(taskList.shown[0][2], "Manually");
    const auto rows = taskstore::readScheduleRows(query, sql::selectSchedules("7"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].LastRunTime, now);
}

TEST_F(RunFixture, NoSelectionAndAMissingClient)
{
    platform::ScriptedDialogService dialogs;
    control.runClicked("0");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Please select a task."});
    EXPECT_EQ(control.liveRunCount(), 0);

    addTask("5", "Gone", taskstore::kRunManually);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    control.runClicked("5");
    const bool ended = waitForAllRunsToEnd();
    qputenv("PATH", path);
    ASSERT_TRUE(ended);
    EXPECT_EQ(dialogs.messages().size(), 3);
    EXPECT_EQ(lines(*log.allLog()), (QStringList{startBanner(text(now), "Gone"), finishBanner(text(now), "Gone")}));
}

TEST_F(RunFixture, SuspendResumeAndStop)
{
    addTask("3", "Slow", taskstore::kRunManually);
    taskstore::ExecQuery(query, sql::insertManualRunRow("3", text(saved)));
    writeClient("i=0; while [ $i -lt 400 ]; do printf 'line %d\\r\\n' $i; i=$((i+1)); sleep 0.05; done\n");
    control.runClicked("3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return runPage(1) && runPage(1)->lineCount() >= 3; }, 5000));
    control.suspendClicked("3");
    EXPECT_EQ(control.commandState(), RunCommandState::Suspended);
    // Held, it hands nothing over: what its page shows now stays.
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.firstRunOf("3")->isHeld(); }));
    const int held = runPage(1)->lineCount();
    QCoreApplication::processEvents();
    EXPECT_EQ(runPage(1)->lineCount(), held);
    control.suspendClicked("3"); // already suspended: nothing changes
    EXPECT_EQ(control.commandState(), RunCommandState::Suspended);

    control.runClicked("3"); // resumes the same run
    EXPECT_EQ(control.runningCount(), 1);
    EXPECT_EQ(control.liveRunCount(), 1);
    EXPECT_EQ(control.commandState(), RunCommandState::Running);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runPage(1)->lineCount() > held + 2; }, 5000));

    control.suspendClicked("3");
    control.stopClicked("3"); // a suspended run resumes, notices the stop and finishes
    EXPECT_EQ(control.runningCount(), 0);
    EXPECT_FALSE(control.isRunning("3"));
    EXPECT_EQ(control.commandState(), RunCommandState::Idle);
    control.stopClicked("3"); // no run: nothing
    ASSERT_TRUE(waitForAllRunsToEnd());
    const QStringList all = lines(*log.allLog());
    EXPECT_EQ(all.last(), finishBanner(text(now), "Slow"));
    EXPECT_LT(all.size(), 100);
    EXPECT_TRUE(dir.readFile("Log/PellionLog.txt").endsWith(finishBanner(text(now), "Slow").toUtf8() + "\r\n\r\n"));
    const auto rows = taskstore::readScheduleRows(query, sql::selectSchedules("3"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].LastRunTime, now); // a stopped run still stamps its due rows
}

TEST_F(RunFixture, AnErrorEndsTheRunSilentlyAndItsEntryStillGoes)
{
    addTask("6", "Broken", taskstore::kRunManually);
    writeClient("echo one\n");
    ASSERT_EQ(sqlite3_exec(connection.handle(), "drop table TaskSchedule", nullptr, nullptr, nullptr), SQLITE_OK);
    platform::ScriptedDialogService dialogs;
    control.runClicked("6");
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.liveRunCount() == 0; }, 5000));
    EXPECT_EQ(control.runningCount(), 0);
    EXPECT_EQ(control.commandState(), RunCommandState::Idle);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    // the steps after the failed stamping are skipped: the page stays with what it holds
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(runPage(1)->lines(), (QStringList{startBanner(text(now), "Broken"), "one"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("Log/PellionLog.txt")));
}

TEST_F(RunFixture, TheSchedulerStartsADueTaskOnce)
{
    platform::Clock::setNow(now.addMSecs(300));
    addTask("4", "Timed", taskstore::kRunBySchedule);
    addRow("4", 0, 5, now);
    writeClient("echo ran\n");
    int ended = 0;
    QObject::connect(&control, &RunControl::runEnded, [&] { ++ended; });
    scheduling::Scheduler scheduler(connection, control);
    control.setScheduler(&scheduler);
    int passes = 0;
    QObject::connect(&scheduler, &scheduling::Scheduler::pausing, [&] { ++passes; });
    scheduler.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 1 && passes >= 1; }, 5000));
    // two more passes: the run moved the row on
    for (const int pass : {2, 3}) {
        platform::Clock::advance(1000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return passes >= pass; }, 5000));
    }
    EXPECT_EQ(ended, 1);
    const auto rows = taskstore::readScheduleRows(query, sql::selectSchedules("4"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].NextRunTime, now.addSecs(300)); // stored to the second
    control.shutDown();
    EXPECT_FALSE(scheduler.hasThreads());
}

TEST_F(RunFixture, ParallelRunsKeepTheirLinesApart)
{
    writeClient("i=0; while [ $i -lt 300 ]; do echo \"$4 line $i\"; i=$((i+1)); done\n");
    const char *ids[] = {"11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
    for (const char *id : ids) {
        addTask(id, id, taskstore::kRunManually);
        control.runClicked(id);
    }
    EXPECT_EQ(control.runningCount(), 10);
    ASSERT_TRUE(waitForAllRunsToEnd(20000));
    const QString file = QString::fromUtf8(dir.readFile("Log/PellionLog.txt"));
    QStringList blocks = file.split("\r\n\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(blocks.size(), 10);
    QSet<QString> seen;
    for (const QString &block : blocks) {
        const QStringList blockLines = block.split("\r\n");
        ASSERT_EQ(blockLines.size(), 302);
        const QString id = blockLines[0].section('[', 1).section(']', 0, 0);
        seen.insert(id);
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(blockLines[i + 1], QString("script/%1.txt line %2").arg(id).arg(i));
    }
    EXPECT_EQ(seen.size(), 10);
    EXPECT_EQ(log.allLog()->lineCount(), 10 * 302);
}

TEST_F(RunFixture, EachRunOfOneTaskRemovesOnlyItsOwnEntry)
{
    addTask("9", "Twice", taskstore::kRunManually);
    writeClient("if [ -e first ]; then :; else touch first; " + waitFor("release") + "fi; echo done\n");
    control.runClicked("9");
    ASSERT_TRUE(waitForFile("first"));
    control.runClicked("9"); // not suspended: a second run and a second entry
    EXPECT_EQ(control.runningCount(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.liveRunCount() == 1; }, 5000));
    // the second run ended first and took its own entry: the first run is still answered for
    EXPECT_EQ(control.runningCount(), 1);
    EXPECT_TRUE(control.isRunning("9"));
    ASSERT_NE(control.firstRunOf("9"), nullptr);
    EXPECT_FALSE(control.firstRunOf("9")->isFinished());
    release("release");
    ASSERT_TRUE(waitForAllRunsToEnd());
    EXPECT_EQ(control.runningCount(), 0);
}

TEST_F(RunFixture, AStoppedRunEndingLaterLeavesTheNewRunsEntry)
{
    addTask("10", "Again", taskstore::kRunManually);
    writeClient("if [ -e first ]; then touch second; " + waitFor("release2") + "else touch first; "
                + waitFor("release1") + "fi; echo done\n");
    control.runClicked("10");
    ASSERT_TRUE(waitForFile("first"));
    control.stopClicked("10"); // takes effect at the client's next byte
    control.runClicked("10");
    ASSERT_TRUE(waitForFile("second"));
    release("release1"); // the stopped run ends
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.liveRunCount() == 1; }, 5000));
    EXPECT_TRUE(control.isRunning("10")); // the new run is still answered for
    release("release2");
    ASSERT_TRUE(waitForAllRunsToEnd());
    EXPECT_FALSE(control.isRunning("10"));
}

// Closing with one run waiting for the user-interface thread, one suspended and one
// reading a client that prints nothing and does not exit: every run ends and is deleted
// without an event being run, and the step that was waiting never runs.
TEST_F(RunFixture, ShutDownEndsRunsWaitingSuspendedAndSilent)
{
    addTask("1", "Silent", taskstore::kRunManually);
    addTask("2", "Paused", taskstore::kRunManually);
    addTask("3", "Waiting", taskstore::kRunManually);
    writeClient("case \"$4\" in *2.txt) while :; do echo tick; sleep 0.05; done;; esac; exec sleep 60\n");
    control.runClicked("1");
    control.runClicked("2");
    // the paused run's page has a line of its client (pages open in either order)
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return log.count() == 3 && std::max(runPage(1)->lineCount(), runPage(2)->lineCount()) >= 2; }, 5000));
    control.suspendClicked("2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.firstRunOf("2")->isHeld(); }, 5000));
    control.runClicked("3");
    const TMyThread *waiting = control.firstRunOf("3");
    // Without events its first step stays handed over and not run.
    ASSERT_TRUE(testsupport::spinUntil([&] { return waiting->hasWaitingStep(); }));

    control.shutDown();
    EXPECT_EQ(control.liveRunCount(), 0);
    EXPECT_EQ(control.runningCount(), 0);
    QCoreApplication::processEvents(); // the calls still queued run nothing
    EXPECT_EQ(log.count(), 3);         // the waiting run never opened its page
    EXPECT_EQ(lines(*log.allLog()), QStringList{});

    // Closed: Run and the scheduler's start do nothing.
    platform::ScriptedDialogService dialogs;
    control.runClicked("3");
    control.runClicked("0");
    control.startRun("1");
    EXPECT_EQ(control.liveRunCount(), 0);
    EXPECT_EQ(control.runningCount(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

// Action → Check Server Security goes like a run of the task: its own page and banners,
// the client's lines, the verdict; our client gets the secret through the pipe.
TEST_F(RunFixture, SecurityCheckRunsLikeATaskAndEndsWithTheVerdict)
{
    if (!testsupport::FreeRadiusServer::isInstalled())
        GTEST_SKIP() << "FreeRADIUS server not installed";
    testsupport::FreeRadiusServer server;
    server.setSecret("check secret");
    server.setRequireMessageAuthenticator(true);
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    ASSERT_TRUE(QFile::copy(PELLION_RADCLIENT, dir.filePath("radclient")));
    taskstore::TaskRecord t = testsupport::sampleTask("5");
    t.TaskName = "Guarded";
    t.SecretKey = "check secret";
    t.Port = server.authPort();
    t.ReplyTimeout = 1;
    t.RetryTimes = 0;
    testsupport::insertTaskRows(query, t);

    control.checkSecurityClicked("5");
    EXPECT_EQ(control.runningCount(), 1);
    ASSERT_TRUE(waitForAllRunsToEnd(20000));
    const QStringList all = lines(*log.allLog());
    ASSERT_FALSE(all.isEmpty());
    EXPECT_TRUE(all.first().endsWith(" Test started  [Guarded]-------------------------")) << all.first().toStdString();
    EXPECT_EQ(all.filter("Access-Request without Message-Authenticator: no answer (dropped)").size(), 1)
        << all.join('\n').toStdString();
    EXPECT_EQ(all.filter("Info: Verdict: requests protected").size(), 1) << all.join('\n').toStdString();
    EXPECT_TRUE(all.filter("does not verify").isEmpty()) << all.join('\n').toStdString();
    EXPECT_TRUE(all.last().endsWith(" Test finished [Guarded]-------------------------"));
}
