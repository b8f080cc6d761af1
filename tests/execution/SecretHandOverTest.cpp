#include "LaunchLines.h"
#include "execution/ClientCommandLine.h"
#include "execution/ClientLaunch.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedDialogService.h"
#include "support/FreeRadiusServer.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The secret reaches our own clients through an inherited pipe, never the process list;
// the line Pellion shows keeps it in place, and a task's transport settings go in only
// where they differ from the defaults.

using namespace execution;

namespace {

const QString kSecret = "Very-Secret-42";

taskstore::TaskRecord task(quint16 port)
{
    taskstore::TaskRecord t = testsupport::sampleTask("42");
    t.SecretKey = kSecret;
    t.Port = port;
    return t;
}

// A UDP socket on 127.0.0.1 that never answers, so the client waits while it is looked at.
class SilentServer {
public:
    SilentServer()
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), length) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(m_fd); }
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;
    quint16 port() const { return m_port; }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};

// The command line of our child whose command line holds marker, read from /proc while it runs.
QByteArray childCommandLine(const QByteArray &marker)
{
    const QString parent = QString::number(::getpid());
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = stat.readAll().split(' ');
        // pid (comm) state ppid; the names of our children hold no blank.
        if (fields.size() <= 3 || fields[3] != parent.toLatin1())
            continue;
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        if (QByteArray words = cmdline.readAll(); words.contains(marker))
            return words;
    }
    return {};
}

class SecretHandOver : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Our radclient in the program directory, where the run looks for it.
        ASSERT_TRUE(QFile::link(PELLION_RADCLIENT, dir.filePath("radclient")));
        ASSERT_TRUE(dir.writeFile("script/42.txt", "User-Name = bob\nUser-Password = hello\n\n"));
    }

    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    RunFlags flags;
};

} // namespace

TEST_F(SecretHandOver, OwnClientsProcessListHoldsNoSecret)
{
    SilentServer server;
    ASSERT_NE(server.port(), 0);
    taskstore::TaskRecord t = task(server.port());
    t.ReplyTimeout = 2;
    t.RetryTimes = 0;
    const ClientLaunch launch = ClientLaunch::forTask(t);
    EXPECT_FALSE(launch.commandLine.contains(kSecret)) << launch.commandLine.toStdString();
    EXPECT_EQ(launch.handedSecret, kSecret.toUtf8() + "\n");

    QByteArray seen;
    bool sent = false;
    RunClient(
        launch.commandLine,
        [&](const QList<ClientLine> &batch) {
            for (const ClientLine &line : batch)
                sent = sent || line.text.startsWith("Info: Sent Access-Request");
            if (sent && seen.isEmpty()) {
                seen = childCommandLine("script/42.txt");
                flags.requestStop();
            }
        },
        flags, launch.handedSecret);
    ASSERT_TRUE(sent) << "the client never sent its request";
    ASSERT_FALSE(seen.isEmpty()) << "the client's process was not found";
    EXPECT_FALSE(seen.contains(kSecret.toUtf8())) << seen.replace('\0', ' ').constData();
    EXPECT_TRUE(seen.contains(QByteArray("-S\0/dev/fd/3", 12))) << seen.replace('\0', ' ').constData();
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(SecretHandOver, ForeignClientGetsTheContractLine)
{
    QFile::remove(dir.filePath("radclient"));
    ASSERT_TRUE(dir.writeFile("radclient", "#!/bin/sh\nprintf 'radclient: FreeRADIUS Version 3.2.1\\r\\n'\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const taskstore::TaskRecord t = task(1812);
    const ClientLaunch launch = ClientLaunch::forTask(t);
    EXPECT_EQ(launch.commandLine, BuildCommandLine(t));
    EXPECT_TRUE(launch.handedSecret.isEmpty());
}

TEST_F(SecretHandOver, SecretsThatAFirstLineCannotCarryStayOnTheLine)
{
    for (const char *secret : {"", "two\nlines", "ends in CR\r"}) {
        taskstore::TaskRecord t = task(1812);
        t.SecretKey = QString::fromLatin1(secret);
        const ClientLaunch launch = ClientLaunch::forTask(t);
        EXPECT_EQ(launch.commandLine, BuildCommandLine(t)) << secret;
        EXPECT_TRUE(launch.handedSecret.isEmpty()) << secret;
    }
}

TEST_F(SecretHandOver, RunThroughThePipeIsAcceptedByFreeRadius)
{
    if (!testsupport::FreeRadiusServer::isInstalled())
        GTEST_SKIP() << "FreeRADIUS server not installed";
    testsupport::FreeRadiusServer server;
    server.setSecret(kSecret);
    server.addStandardUsers();
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    const ClientLaunch launch = ClientLaunch::forTask(task(server.authPort()));
    ASSERT_FALSE(launch.handedSecret.isEmpty());
    const QStringList lines = launchLines(launch, flags);
    EXPECT_FALSE(lines.filter("Info: Received Access-Accept").isEmpty()) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.filter("does not verify").isEmpty()) << lines.join('\n').toStdString();
}

TEST(TransportOptions, GoOnTheLineOnlyWhereTheyDifferFromTheDefaults)
{
    struct Case {
        const char *name;
        taskstore::TaskTransport transport;
        const char *options; // between "-sx  " and the server, as the client gets them
    };
    taskstore::TaskTransport tls;
    tls.Protocol = "tls";
    tls.CaFile = "/pki/my ca.pem";
    tls.CertFile = "/pki/client.pem";
    tls.KeyFile = "/pki/client.key";
    taskstore::TaskTransport tcpLegacy;
    tcpLegacy.Protocol = "tcp";
    tcpLegacy.MessageAuthenticatorFirst = false;
    tcpLegacy.CaFile = "/pki/ignored-without-tls.pem";
    taskstore::TaskTransport udpRequiring;
    udpRequiring.RequireMessageAuthenticator = true;
    const Case cases[] = {
        {"defaults", {}, ""},
        {"tls", tls, "-P tls --ca \"/pki/my ca.pem\" --cert /pki/client.pem --key /pki/client.key  "},
        {"tcp legacy", tcpLegacy, "-P tcp -M  "},
        {"udp requiring", udpRequiring, "-A  "},
    };
    for (const Case &c : cases) {
        taskstore::TaskRecord t = task(1812);
        t.Transport = c.transport;
        const QString line = BuildCommandLine(t);
        const QString expected = "-sx  " + QString::fromUtf8(c.options) + "127.0.0.1:1812 1 " + kSecret;
        EXPECT_TRUE(line.endsWith(expected)) << c.name << ": " << line.toStdString();
        // The private line differs only in the secret's place.
        const QString privateLine = BuildPrivateCommandLine(t);
        EXPECT_EQ(privateLine,
                  line.chopped(kSecret.size()).replace("127.0.0.1:1812 1 ", "-S /dev/fd/3  127.0.0.1:1812 1 ") + "-")
            << c.name;
    }
}

TEST(TransportOptions, SecurityCheckLineNamesTheServerTimeoutAndRetries)
{
    taskstore::TaskRecord t = task(1812);
    t.ReplyTimeout = 2;
    t.RetryTimes = 1;
    t.SecretKey = "a b";
    EXPECT_EQ(BuildSecurityCheckLine(t, false), "radclient -B -r 1 -t 2 127.0.0.1:1812 \"a b\"");
    EXPECT_EQ(BuildSecurityCheckLine(t, true), "radclient -B -r 1 -t 2 -S /dev/fd/3 127.0.0.1:1812 -");
    EXPECT_EQ(platform::splitCommandLine(BuildSecurityCheckLine(t, false)).last(), "a b");
}
