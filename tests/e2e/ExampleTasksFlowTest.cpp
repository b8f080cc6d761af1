// The example tasks run against the demo server's configuration (on free ports, so that
// a demo server of the user's may run meanwhile): each gets the reply its kind expects.
#include "PellionUser.h"
#include "ProgramUnderTest.h"
#include "UserActions.h"

#include "execution/LogPane.h"
#include "shell/ExampleTasks.h"
#include "shell/TfrmMain.h"
#include "support/FreeRadiusServer.h"

#include <QAction>

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(ExampleTasksFlow, EveryExampleGetsItsReplyFromTheDemoServer)
{
    if (!testsupport::FreeRadiusServer::isInstalled())
        GTEST_SKIP() << "FreeRADIUS server not installed";
    testsupport::FreeRadiusServer server;
    server.addStandardUsers();
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();

    ProgramUnderTest program;
    ASSERT_TRUE(program.clientsInstalled());
    ASSERT_TRUE(program.startPellion(&error)) << error.toStdString();
    PellionUser user(program.main(), program.dialogs);
    const shell::ExampleEndpoint endpoint{"127.0.0.1", server.secret(), server.authPort(), server.acctPort(),
                                          server.coaPort()};
    ASSERT_EQ(shell::ExampleTasks::load(program.main().connection(), endpoint, QDateTime::currentDateTime()), 10);
    // The menu finds them all there, adds none and shows the group.
    control<QAction>(&program.main(), "mnuLoadExamples")->trigger();
    ASSERT_TRUE(user.selectGroup("Examples"));

    const struct {
        const char *task;
        const char *reply;
    } examples[] = {
        {"PAP", "Info: Received Access-Accept"},
        {"CHAP", "Info: Received Access-Accept"},
        {"EAP-MD5", "Info: Received Access-Accept"},
        {"EAP-SIM", "Info: Received Access-Accept"},
        {"MS-CHAPv2", "Info: Received Access-Accept"},
        {"EAP-MSCHAPv2", "Info: Received Access-Accept"},
        {"Accounting Start", "Info: Received Accounting-Response"},
        {"Accounting Stop", "Info: Received Accounting-Response"},
        {"Status-Server", "Info: Received Access-Accept"},
        {"Disconnect", "Info: Received Disconnect-ACK"},
    };
    for (const auto &example : examples) {
        SCOPED_TRACE(example.task);
        ASSERT_TRUE(user.runTask(example.task));
        ASSERT_TRUE(user.waitForFinishedRuns(example.task, 1, 15000)) << user.allLog()->toPlainText().toStdString();
        const QStringList run = user.lastRunInAllLog(example.task);
        EXPECT_GE(lineWith(run, example.reply), 0) << run.join('\n').toStdString() << "\n"
                                                   << server.output().toStdString();
        EXPECT_EQ(lineWith(run, "Error:"), -1) << run.join('\n').toStdString();
    }

    // The README's screenshot is taken here, when asked for.
    if (const QByteArray shot = qgetenv("PELLION_E2E_SCREENSHOT"); !shot.isEmpty()) {
        ASSERT_TRUE(user.selectTask("PAP"));
        EXPECT_TRUE(program.main().grab().save(QString::fromLocal8Bit(shot))) << shot.constData();
    }
}

} // namespace
} // namespace e2e
