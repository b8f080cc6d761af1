#include "ClientRunner.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The client's lines reach a reader while the client runs, not only when it ends.

namespace {

TEST(ClientOutput, SentLineReachesTheReaderWhileTheClientWaitsForTheReply)
{
    // A port bound but never read: the client waits out its whole time-out.
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length), 0);

    ClientRunner runner;
    runner.dir().writeFile("script/test.txt", "User-Name = bob\r\n\r\n");
    QProcess process;
    process.setWorkingDirectory(runner.dir().path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(ClientRunner::radclient(),
                  {"-f", "script/test.txt", "-r", "0", "-t", "60", QString("127.0.0.1:%1").arg(ntohs(address.sin_port)),
                   "1", "s"});
    QByteArray seen;
    while (!seen.contains("Info: Sent ") && process.waitForReadyRead(30000))
        seen += process.readAll();
    EXPECT_TRUE(seen.contains("Info: Sent Access-Request Id 0 to 127.0.0.1:")) << seen.toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
    ::close(fd);
}

} // namespace
