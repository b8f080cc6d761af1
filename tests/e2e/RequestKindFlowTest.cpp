// Accounting-Request, Status-Server and EAP-MD5 tasks: made, run against the server,
// viewed and deleted through the windows.
#include "E2eSuite.h"

#include "execution/LogColors.h"
#include "execution/LogPane.h"
#include "execution/MessageClass.h"
#include "execution/Settings.h"
#include "platform/Clock.h"
#include "reports/TfrmViewTask.h"
#include "shell/TfrmMain.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"
#include "taskstore/DateTimeText.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

namespace e2e {
namespace {

struct RequestKind {
    const char *label;
    const char *requestType;
    const char *mode;
    bool accountingPort;
    Packet packet;
    const char *reply;       // what the client reports for the server's answer
    const char *rawCode;     // the request's code on the raw page
    Packet wrongPacket = {}; // when given, the task edited to these pairs is refused
    const char *refusal = "";
};

std::ostream &operator<<(std::ostream &os, const RequestKind &kind)
{
    return os << kind.label;
}

class RequestKindFlow : public E2eSuite, public ::testing::WithParamInterface<RequestKind> {};

TEST_P(RequestKindFlow, MadeRunViewedDeleted)
{
    const RequestKind &kind = GetParam();
    freezeClock();
    ASSERT_TRUE(startPellion());
    const QString name = QString("e2e ") + kind.label;
    const quint16 port = kind.accountingPort ? server().acctPort() : server().authPort();
    ASSERT_TRUE(user->newTask({name, "127.0.0.1", port, server().secret(), kind.requestType, kind.mode, {kind.packet}}))
        << program.dialogs.messageTexts().join("; ").toStdString();
    const QString before = user->taskRow(name).lastRunTime;

    platform::Clock::advance(5000);
    const QString started = taskstore::DateTimeText::dateTimeText(platform::Clock::now());
    ASSERT_TRUE(user->runTask(name));
    ASSERT_TRUE(user->waitForFinishedRuns(name, 1, 15000)) << user->allLog()->toPlainText().toStdString();
    const QStringList run = user->lastRunInAllLog(name);
    const int reply = lineWith(run, kind.reply);
    ASSERT_GE(reply, 0) << run.join('\n').toStdString();
    EXPECT_EQ(lineWith(run, "Error:"), -1) << run.join('\n').toStdString();
    const execution::LogPane *all = user->allLog();
    EXPECT_EQ(all->lineColor(int(all->lineCount() - run.size()) + reply),
              execution::LogColors::from(execution::Settings::read()).of(execution::MessageClass::Info));
    const QByteArray logFile = program.dir.readFile("Log/" + execution::Settings::read().LogFileName);
    EXPECT_TRUE(logFile.contains((run.join("\r\n") + "\r\n\r\n").toUtf8())) << logFile.constData();
    EXPECT_EQ(user->taskRow(name).lastRunTime, started);
    EXPECT_NE(before, started);

    ASSERT_TRUE(user->viewTask(name, [&](reports::TfrmViewTask *view) {
        const QString description = control<QPlainTextEdit>(view, "RichEditTaskDescript")->toPlainText();
        EXPECT_TRUE(description.contains(QString::number(port))) << description.toStdString();
        showPage(control<QTabWidget>(view, "PageControlView"), "RichEditTaskViewRaw");
        const QString raw = control<QPlainTextEdit>(view, "RichEditTaskViewRaw")->toPlainText();
        EXPECT_TRUE(raw.contains(QString("   Code          : ") + kind.rawCode)) << raw.toStdString();
    }));

    if (!kind.wrongPacket.isEmpty()) {
        ASSERT_TRUE(user->editTask(name, [&](taskdef::TfrmTask *editor) {
            showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetPackage");
            auto *packets = control<QTreeWidget>(editor, "trePackage");
            clickItem(packets, packets->topLevelItem(0)->child(0));
            inModal<taskdef::TfrmPackage>(
                [&](taskdef::TfrmPackage *packet) {
                    program.dialogs.queueAnswer(platform::Answer::Ok);
                    click(packet, "spbtnClear");
                    PellionUser::fillPacket(packet, kind.wrongPacket);
                    click(packet, "spbtnOK");
                },
                [&] { click(editor, "spbtnModify"); });
            click(editor, "spbtnOK");
        }));
        ASSERT_TRUE(user->runTask(name));
        ASSERT_TRUE(user->waitForFinishedRuns(name, 2, 15000)) << user->allLog()->toPlainText().toStdString();
        const QStringList second = user->lastRunInAllLog(name);
        EXPECT_GE(lineWith(second, kind.refusal), 0) << second.join('\n').toStdString();
        EXPECT_EQ(lineWith(second, kind.reply), -1) << second.join('\n').toStdString();
    }

    const QString taskId = user->taskRow(name).taskId;
    ASSERT_TRUE(user->deleteTask(name));
    EXPECT_FALSE(QFile::exists(program.dir.filePath("script/" + taskId + ".txt")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RequestKindFlow,
                         ::testing::Values(RequestKind{"Accounting",
                                                       "Acct",
                                                       "PAP",
                                                       true,
                                                       {{"User-Name", "bob"},
                                                        {"Acct-Status-Type", "Start", true},
                                                        {"Acct-Session-Id", "e2e-42"}},
                                                       "Info: Received Accounting-Response",
                                                       "0x04"},
                                           RequestKind{"StatusServer",
                                                       "Status Server",
                                                       "PAP",
                                                       false,
                                                       {{"NAS-Identifier", "e2e-probe"}},
                                                       "Info: Received Access-Accept",
                                                       "0x0c"},
                                           RequestKind{"EapMd5",
                                                       "Auth",
                                                       "EAP-MD5",
                                                       false,
                                                       {{"User-Name", "bob"}, {"EAP-MD5-Password", "hello"}},
                                                       "Info: Received Access-Accept",
                                                       "0x01",
                                                       {{"User-Name", "bob"}, {"EAP-MD5-Password", "wrong"}},
                                                       "Info: Received Access-Reject"}),
                         [](const ::testing::TestParamInfo<RequestKind> &param) {
                             return std::string(param.param.label);
                         });

} // namespace
} // namespace e2e
