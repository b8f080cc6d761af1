#include "ClientRunner.h"
#include "LoopbackPort.h"
#include "support/ProcessEnd.h"

#include <QEventLoop>
#include <QProcess>

#include <gtest/gtest.h>

// The client's lines reach a reader while the client runs, not only when it ends.

namespace {

TEST(ClientOutput, SentLineReachesTheReaderWhileTheClientWaitsForTheReply)
{
    // Nothing answers: the client waits out its whole time-out.
    const LoopbackPort silent(SOCK_DGRAM);
    ASSERT_TRUE(silent.isBound());

    ClientRunner runner;
    runner.dir().writeFile("script/test.txt", "User-Name = bob\r\n\r\n");
    QProcess process;
    process.setWorkingDirectory(runner.dir().path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(ClientRunner::radclient(),
                  {"-f", "script/test.txt", "-r", "0", "-t", "60", silent.address(), "1", "s"});
    // Waits on the client's output and its end, whichever comes first.
    QByteArray seen;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyRead, &loop, [&] {
        seen += process.readAll();
        if (seen.contains("Info: Sent "))
            loop.quit();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(seen.contains("Info: Sent Access-Request Id 0 to 127.0.0.1:")) << seen.toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    testsupport::awaitCleanExit(process);
}

} // namespace
