#include "ClientRunner.h"
#include "LoopbackPort.h"

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
    QByteArray seen;
    while (!seen.contains("Info: Sent ") && process.waitForReadyRead(30000))
        seen += process.readAll();
    EXPECT_TRUE(seen.contains("Info: Sent Access-Request Id 0 to 127.0.0.1:")) << seen.toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
}

} // namespace
