// A PAP task from a new group to a scheduled run and its deletion, as a user walks it.
#include "E2eSuite.h"

#include "execution/LogColors.h"
#include "execution/LogPane.h"
#include "execution/MessageClass.h"
#include "execution/Settings.h"
#include "platform/Clock.h"
#include "platform/SpinEdit.h"
#include "reports/TfrmViewTask.h"
#include "scheduling/Scheduler.h"
#include "scheduling/TfrmTaskSchedule.h"
#include "shell/TfrmMain.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"
#include "taskstore/DateTimeText.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>

namespace e2e {
namespace {

using execution::MessageClass;
using taskstore::DateTimeText;

QString pane(QWidget *window, const char *name)
{
    auto *text = control<QPlainTextEdit>(window, name);
    return text ? text->toPlainText() : QString();
}

class PapFlow : public E2eSuite {
protected:
    // The colour "All Log" shows the line of the last run in.
    QColor colorOf(int lineInRun, const QString &task)
    {
        const QStringList all = user->allLog()->lines();
        const int first = int(all.size() - user->lastRunInAllLog(task).size());
        return user->allLog()->lineColor(first + lineInRun);
    }
};

TEST_F(PapFlow, GroupTaskRunViewRejectScheduleDelete)
{
    freezeClock();
    ASSERT_TRUE(startPellion());
    program.main().resize(1100, 700);
    const QString name = "bob logs in";

    // A group, then a task in it pointing at the server, its packet picked from the lists.
    ASSERT_TRUE(user->addGroup("Radius lab"));
    ASSERT_TRUE(user->selectGroup("Radius lab"));
    TaskInput task{name,
                   "127.0.0.1",
                   server().authPort(),
                   server().secret(),
                   "Auth",
                   "PAP",
                   {{{"User-Name", "bob"}, {"User-Password", "hello"}}}};
    ASSERT_TRUE(user->newTask(task)) << program.dialogs.messageTexts().join("; ").toStdString();
    // It belongs to the group: listed under it and under "All Tasks".
    ASSERT_TRUE(user->selectGroup("All Tasks"));
    EXPECT_GE(user->taskIndex(name), 0);
    ASSERT_TRUE(user->selectGroup("Radius lab"));
    EXPECT_GE(user->taskIndex(name), 0);
    const shell::TaskRow saved = user->taskRow(name);
    EXPECT_EQ(saved.nextRunTime, "Manually");
    EXPECT_EQ(saved.serverIp, "127.0.0.1");
    const QByteArray script = program.dir.readFile("script/" + saved.taskId + ".txt");
    EXPECT_TRUE(script.contains("User-Name") && script.contains("bob")) << script.constData();

    // Run it: the finish banner comes, the run's page goes, "All Log" has the block in colour.
    platform::Clock::advance(5000);
    const QDateTime firstRun = platform::Clock::now();
    ASSERT_TRUE(user->runTask(name));
    ASSERT_TRUE(user->waitForFinishedRuns(name, 1, 15000)) << user->allLog()->toPlainText().toStdString();
    EXPECT_TRUE(waitFor([&] { return user->runPages() == 0; }));
    const QStringList run = user->lastRunInAllLog(name);
    ASSERT_GE(run.size(), 3);
    const QString started = DateTimeText::dateTimeText(firstRun);
    EXPECT_EQ(run.first(), "--------------------" + started + " Test started  [" + name + "]-------------------------");
    EXPECT_TRUE(run.last().endsWith(" Test finished [" + name + "]-------------------------"))
        << run.last().toStdString();
    const int accept = lineWith(run, "Info: Received Access-Accept");
    const int total = lineWith(run, "Total");
    ASSERT_GE(accept, 0) << run.join('\n').toStdString();
    ASSERT_GE(total, 0) << run.join('\n').toStdString();
    EXPECT_EQ(lineWith(run, "Access-Reject"), -1);
    const execution::Settings settings = execution::Settings::read();
    const execution::LogColors colours = execution::LogColors::from(settings);
    EXPECT_EQ(colorOf(0, name), colours.of(MessageClass::Info));
    EXPECT_EQ(colorOf(int(run.size() - 1), name), colours.of(MessageClass::Info));
    EXPECT_EQ(colorOf(accept, name), colours.of(MessageClass::Info));
    EXPECT_EQ(colorOf(total, name), colours.of(MessageClass::Summary));
    EXPECT_NE(colours.of(MessageClass::Info), colours.of(MessageClass::Summary));

    // The log file holds the same block, CR LF, closed by an empty line.
    const QByteArray logFile = program.dir.readFile("Log/" + settings.LogFileName);
    EXPECT_TRUE(logFile.endsWith((run.join("\r\n") + "\r\n\r\n").toUtf8())) << logFile.constData();
    EXPECT_EQ(user->taskRow(name).lastRunTime, started);
    EXPECT_NE(saved.lastRunTime, started);

    // The README's screenshot is taken here, when asked for.
    if (const QByteArray shot = qgetenv("PELLION_E2E_SCREENSHOT"); !shot.isEmpty()) {
        EXPECT_TRUE(program.main().grab().save(QString::fromLocal8Bit(shot))) << shot.constData();
    }

    // View it: the report names the server, the text page the pairs, the raw page the octets.
    ASSERT_TRUE(user->viewTask(name, [&](reports::TfrmViewTask *view) {
        const QString description = pane(view, "RichEditTaskDescript");
        EXPECT_TRUE(description.contains(name)) << description.toStdString();
        EXPECT_TRUE(description.contains("127.0.0.1")) << description.toStdString();
        const QString text = pane(view, "RichEditTaskViewText");
        EXPECT_TRUE(text.contains("User-Name") && text.contains("bob")) << text.toStdString();
        showPage(control<QTabWidget>(view, "PageControlView"), "RichEditTaskViewRaw");
        const QString raw = pane(view, "RichEditTaskViewRaw");
        EXPECT_TRUE(raw.contains("   Code          : 0x01")) << raw.toStdString();
        EXPECT_TRUE(raw.contains(QRegularExpression("Attributes    : 0x(..)*0105626f62"))) << raw.toStdString();
        // The password hidden with the secret the user typed and the shown authenticator.
        const QByteArray authenticator = QByteArray::fromHex(
            QRegularExpression("Authenticator : 0x([0-9a-f]{32})").match(raw).captured(1).toLatin1());
        ASSERT_EQ(authenticator.size(), 16) << raw.toStdString();
        const QByteArray key =
            QCryptographicHash::hash(server().secret().toUtf8() + authenticator, QCryptographicHash::Md5);
        QByteArray hidden = QByteArray("hello").leftJustified(16, '\0');
        for (int i = 0; i < 16; ++i)
            hidden[i] = char(hidden[i] ^ key[i]);
        EXPECT_TRUE(raw.contains("0212" + hidden.toHex())) << raw.toStdString();
    }));

    // A wrong password: the reject is shown.
    ASSERT_TRUE(user->editTask(name, [](taskdef::TfrmTask *editor) {
        showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetPackage");
        auto *packets = control<QTreeWidget>(editor, "trePackage");
        clickItem(packets, packets->topLevelItem(0)->child(0));
        inModal<taskdef::TfrmPackage>(
            [](taskdef::TfrmPackage *packet) {
                auto *rows = control<QTreeWidget>(packet, "lvwArrList");
                const QList<QTreeWidgetItem *> password = rows->findItems("User-Password", Qt::MatchExactly);
                ASSERT_EQ(password.size(), 1);
                clickItem(rows, password.first());
                click(packet, "spbtnRemove");
                PellionUser::fillPacket(packet, {{"User-Password", "wrong"}});
                click(packet, "spbtnOK");
            },
            [&] { click(editor, "spbtnModify"); });
        click(editor, "spbtnOK");
    }));
    platform::Clock::advance(5000);
    ASSERT_TRUE(user->runTask(name));
    ASSERT_TRUE(user->waitForFinishedRuns(name, 2, 15000)) << user->allLog()->toPlainText().toStdString();
    const QStringList rejected = user->lastRunInAllLog(name);
    EXPECT_GE(lineWith(rejected, "Info: Received Access-Reject"), 0) << rejected.join('\n').toStdString();
    EXPECT_EQ(lineWith(rejected, "Access-Accept"), -1);

    // Every minute: once its minute has come, the scheduler starts it by itself, once.
    ASSERT_TRUE(user->editTask(name, [](taskdef::TfrmTask *editor) {
        showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetSchedule");
        click(editor, "RadiobtnSchedule");
        inModal<scheduling::TfrmTaskSchedule>(
            [](scheduling::TfrmTaskSchedule *schedule) {
                pick(control<QComboBox>(schedule, "cboSchType"), "Every Minute(s)");
                retype(control<platform::SpinEdit>(schedule, "edtMinute")->editor(), "1");
                click(schedule, "spbtnOK");
            },
            [&] { click(editor, "spbtnSchAdd"); });
        click(editor, "spbtnOK");
    }));
    const QDateTime savedAt = platform::Clock::now();
    EXPECT_EQ(user->taskRow(name).nextRunTime, DateTimeText::dateTimeText(savedAt.addSecs(60)));
    // The scheduler, started again after the save, has looked once: nothing is due yet.
    scheduling::Scheduler *scheduler = program.main().scheduler();
    ASSERT_TRUE(waitFor([&] { return scheduler->isRunning() && scheduler->currentPasses() >= 1; }));
    EXPECT_FALSE(user->waitForFinishedRuns(name, 3, 0));
    platform::Clock::advance(61000);
    ASSERT_TRUE(user->waitForFinishedRuns(name, 3, 15000)) << "the scheduler did not start the task";
    EXPECT_TRUE(waitFor([&] { return user->runPages() == 0; }));
    const QDateTime scheduledRun = platform::Clock::now();
    EXPECT_EQ(user->taskRow(name).lastRunTime, DateTimeText::dateTimeText(scheduledRun));
    EXPECT_EQ(user->taskRow(name).nextRunTime, DateTimeText::dateTimeText(scheduledRun.addSecs(60)));
    // Two more passes: its next minute has not come, so no second scheduled run.
    const int passes = scheduler->currentPasses();
    for (const int more : {1, 2}) {
        platform::Clock::advance(1000);
        ASSERT_TRUE(waitFor([&] { return scheduler->currentPasses() >= passes + more; }));
    }
    EXPECT_FALSE(user->waitForFinishedRuns(name, 4, 0));

    // Delete it: gone from the list and with its packet script file.
    ASSERT_TRUE(user->deleteTask(name));
    EXPECT_EQ(program.dialogs.lastMessageText(), "Do you really want to delete the selected task?");
    EXPECT_FALSE(QFile::exists(program.dir.filePath("script/" + saved.taskId + ".txt")));

    // The next start of the program finds the group and no task.
    program.endPellion();
    ASSERT_TRUE(startPellion());
    ASSERT_TRUE(user->selectGroup("Radius lab"));
    EXPECT_EQ(user->taskIndex(name), -1);
    ASSERT_TRUE(user->selectGroup("All Tasks"));
    EXPECT_EQ(user->taskIndex(name), -1);
}

} // namespace
} // namespace e2e
